// The Edit menu in the language chosen, and the status bar after Undo and Redo.
#include "decor/tform18.h"
#include "decor/tform7.h"
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
    QString shown(const char* name) { return plainCaption(control<QAction>(form(), name).text()); }
    void trigger(const char* name) { control<QAction>(form(), name).trigger(); }
    QStringList status() { return {form().statusText(0), form().statusText(1)}; }
};

// Named again as the language changes, before the menu opens; the menu bar and the menu fit the
// window. A step named by no caption keeps its own name.
TEST_F(EditMenu, ReadsInEveryShippedLanguageAndFitsTheWindow) {
    start();
    open(bmpFile("portrait.bmp", gradientPicture(640, 480)), Adjust::Resize);
    program->Form17->RichEdit1->setPlainText(QStringLiteral("Summer"));
    program->Form17->SpeedButton8->click();               // Center
    control<QToolButton>(form(), "SpeedButton5").click(); // Clear
    trigger("Undo1");
    const std::pair<const char*, const char*> languages[] = {
        {"English1", "Edit|Undo Center|Redo Clear"},
        {"Francais1", "Édition|Annuler Centrer|Rétablir Effacer"},
        {"hungarian1", "Szerkesztés|Visszavonás Középre|Újra Törlés"},
        {"Swedish1", "Redigera|Ångra Centrera|Gör om Rensa"},
        {"Catalan1", "Edita|Desfés Centra|Refés Esborra"},
        {"Coratian1", "Uredi|Poništi Centriraj|Ponovi Očisti"},
        {"German1", "Bearbeiten|Rückgängig Zentriert|Wiederholen Löschen"}};
    for (const auto& [item, menu] : languages) {
        ui.modalActions.push_back(
            [](QDialog& window) { window.findChild<QAbstractButton*>("Button1")->click(); });
        trigger(item);
        QMenu& edit = control<QMenu>(form(), "Edit1");
        EXPECT_EQ(QStringList({plainCaption(edit.title()), shown("Undo1"), shown("Redo1")}).join('|'),
                  QString::fromUtf8(menu));
        EXPECT_LE(form().menuBar()->sizeHint().width(), form().width()) << item;
        emit edit.aboutToShow();
        EXPECT_LE(edit.sizeHint().width(), form().width()) << item;
    }
    trigger("Undo1");
    trigger("Undo1");
    EXPECT_EQ(shown("Redo1"), QString::fromUtf8("Wiederholen Einpassen"));
    trigger("Redo1");
    program->Form7->SpeedButton1Click();
    EXPECT_EQ(shown("Undo1"), QString::fromUtf8("Rückgängig Rotate Left"));
}

// Through a fit, a photo opened and not fitted, and a gradient; each picture of a cover has its own.
TEST_F(EditMenu, TheStatusBarSaysWhatUndoAndRedoLeaveInThePicture) {
    start();
    const QStringList nothing{"       None...", "Waiting"}, portrait{"       portrait.bmp", "Resized"};
    open(bmpFile("portrait.bmp", gradientPicture(640, 480)), Adjust::Resize);
    trigger("Undo1");
    EXPECT_EQ(status(), nothing);
    trigger("Redo1");
    EXPECT_EQ(status(), portrait);

    open(bmpFile("second.bmp", noisePicture(500, 500, 4)), Adjust::Nothing);
    trigger("Undo1");
    EXPECT_EQ(status(), portrait);
    trigger("Redo1");
    EXPECT_EQ(status(), (QStringList{"       second.bmp", "Waiting"}));
    trigger("Undo1");

    ui.colourAnswers.push_back(QColor(Qt::yellow));
    ui.modalActions.push_back([this](QDialog&) {
        program->Form18->SpeedButton3->click();
        program->Form18->SpeedButton1->click();
    });
    control<QToolButton>(form(), "SpeedButton13").click();
    trigger("Undo1");
    EXPECT_EQ(status(), portrait);
    trigger("Redo1");
    EXPECT_EQ(status(), (QStringList{"       Gradient", "Resized"}));

    control<QToolButton>(form(), "SpeedButton9").click();
    open(bmpFile("back.bmp", gradientPicture(300, 300)), Adjust::Resize);
    trigger("Undo1");
    EXPECT_EQ(status(), nothing);
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
}

} // namespace
