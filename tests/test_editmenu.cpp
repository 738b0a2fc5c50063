// The Edit menu as the user reads it: in the language chosen, naming the step in that language
// where a control's caption names it, and with the status bar telling what Undo and Redo leave in
// the slot.
#include "decor/tform18.h"
#include "decor/tform7.h"
#include "lang/captiontable.h"
#include "lang/languagefile.h"
#include "lang/mnemonics.h"
#include "support/slotfixture.h"
#include "text/tform17.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>

namespace {

class EditMenu : public SlotTest {
protected:
    QAction& action(const char* name) { return control<QAction>(form(), name); }
    QString shown(const char* name) { return plainCaption(action(name).text()); }
    QStringList status() { return {form().statusText(0), form().statusText(1)}; }
    void click(const char* button) { control<QToolButton>(form(), button).click(); }
    void centerText() {
        program->Form17->RichEdit1->setPlainText(QStringLiteral("Summer 2024"));
        program->Form17->SpeedButton8->click();
    }
    void chooseLanguage(const char* item) {
        ui.modalActions.push_back(
            [](QDialog& window) { window.findChild<QAbstractButton*>(QStringLiteral("Button1"))->click(); });
        action(item).trigger();
    }
};

const struct {
    const char* item;
    const char* file;
} kLanguages[] = {{"English1", "english.lag"},     {"Francais1", "french.lag"}, {"German1", "german.lag"},
                  {"hungarian1", "hungarian.lag"}, {"Swedish1", "swedish.lag"}, {"Catalan1", "Catala.lag"},
                  {"Coratian1", "croatian.lag"}};

TEST_F(EditMenu, ReadsInEveryShippedLanguageAndFitsTheMenuBar) {
    start();
    open(bmpFile("portrait.bmp", gradientPicture(640, 480)), Adjust::Resize);
    centerText();
    click("SpeedButton5"); // Clear
    action("Undo1").trigger();
    ASSERT_EQ(shown("Undo1"), "Undo Center");
    ASSERT_EQ(shown("Redo1"), "Redo Clear");

    const QStringList english =
        readLanguageFile(folder.file("english.lag"), LanguageSource::ProgramFolder).lines;
    const auto line = [](const QStringList& lines, std::string_view window, std::string_view control) {
        return lines[findCaption(window, control)->line - 1];
    };
    for (const auto& language : kLanguages) {
        SCOPED_TRACE(language.file);
        chooseLanguage(language.item);
        const QStringList lines =
            readLanguageFile(folder.file(QString::fromLatin1(language.file)), LanguageSource::ProgramFolder)
                .lines;
        // Named again as the language changes, before the menu is opened.
        EXPECT_EQ(shown("Undo1"),
                  line(lines, "Form15", "Undo1") + ' ' + line(lines, "Form17", "SpeedButton8"));
        EXPECT_EQ(shown("Redo1"),
                  line(lines, "Form15", "Redo1") + ' ' + line(lines, "Form15", "SpeedButton5"));
        EXPECT_EQ(plainCaption(control<QMenu>(form(), "Edit1").title()), line(lines, "Form15", "Edit1"));
        if (QLatin1String(language.file) != QLatin1String("english.lag")) {
            for (const char* item : {"Edit1", "Undo1", "Redo1"})
                EXPECT_NE(line(lines, "Form15", item), line(english, "Form15", item))
                    << item << " is not translated";
        }

        // Every menu's title shows whole in the window's width, and the Edit menu opens within it.
        EXPECT_LE(form().menuBar()->sizeHint().width(), form().width());
        QMenu& edit = control<QMenu>(form(), "Edit1");
        emit edit.aboutToShow();
        EXPECT_LE(edit.sizeHint().width(), form().width()) << shown("Undo1").toStdString();
    }

    // As the user reads it in one language; a step named by no caption keeps its name.
    chooseLanguage("German1");
    EXPECT_EQ(plainCaption(control<QMenu>(form(), "Edit1").title()), QString::fromUtf8("Bearbeiten"));
    EXPECT_EQ(shown("Undo1"), QString::fromUtf8("Rückgängig Zentriert"));
    EXPECT_EQ(shown("Redo1"), QString::fromUtf8("Wiederholen Löschen"));
    action("Undo1").trigger();
    action("Undo1").trigger();
    EXPECT_EQ(shown("Undo1"), QString::fromUtf8("Rückgängig"));
    EXPECT_FALSE(action("Undo1").isEnabled());
    EXPECT_EQ(shown("Redo1"), QString::fromUtf8("Wiederholen Einpassen"));
    action("Redo1").trigger();
    program->Form7->SpeedButton1Click();
    EXPECT_EQ(shown("Undo1"), QString::fromUtf8("Rückgängig Rotate Left"));
}

// Open then fit, open another photo and leave it unfitted, make a gradient: Undo and Redo through
// each, the status bar naming what the slot then holds.
TEST_F(EditMenu, TheStatusBarFollowsUndoAndRedo) {
    start();
    const QStringList nothing{"       None...", "Waiting"};
    const QStringList portrait{"       portrait.bmp", "Resized"};
    ASSERT_EQ(status(), nothing);
    open(bmpFile("portrait.bmp", gradientPicture(640, 480)), Adjust::Resize);
    ASSERT_EQ(status(), portrait);
    centerText();
    action("Undo1").trigger();
    EXPECT_EQ(status(), portrait);
    action("Undo1").trigger();
    EXPECT_EQ(status(), nothing);
    action("Redo1").trigger();
    EXPECT_EQ(status(), portrait);

    open(bmpFile("second.bmp", noisePicture(500, 500, 4)), Adjust::Nothing);
    action("Undo1").trigger();
    EXPECT_EQ(status(), portrait);
    action("Redo1").trigger();
    EXPECT_EQ(status(), (QStringList{"       second.bmp", "Waiting"}));
    action("Undo1").trigger();

    ui.colourAnswers.push_back(QColor(Qt::yellow));
    ui.modalActions.push_back([this](QDialog&) {
        program->Form18->SpeedButton3->click();
        program->Form18->SpeedButton1->click();
    });
    click("SpeedButton13");
    ASSERT_EQ(shown("Undo1"), "Undo Gradient");
    action("Undo1").trigger();
    EXPECT_EQ(status(), portrait);
    action("Redo1").trigger();
    EXPECT_EQ(status(), (QStringList{"       Gradient", "Resized"}));

    // Each picture of the cover has its own: Picture #2 holds nothing.
    click("SpeedButton9");
    open(bmpFile("back.bmp", gradientPicture(300, 300)), Adjust::Resize);
    action("Undo1").trigger();
    EXPECT_EQ(status(), nothing);
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
}

} // namespace
