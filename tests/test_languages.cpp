// Language files applied to the running program: every caption of the table, whole files only,
// and the choice remembered in "config.obn".
#include "lang/captioncontrols.h"
#include "lang/captiontable.h"
#include "lang/tform4.h"
#include "print/tform19.h"
#include "print/tfprintpreview.h"
#include "support/programfixture.h"
#include "text/tform17.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

void collectCaptions(const QObject* parent, QStringList& captions) {
    for (const QObject* child : parent->children()) {
        if (qobject_cast<const QDialog*>(child) != nullptr)
            continue;
        // A menu's unnamed action in the menu bar shows the menu's own title.
        if (const std::optional<QString> caption = captionShown(child);
            caption && !child->objectName().isEmpty())
            captions << child->objectName() + QLatin1Char('=') + *caption;
        collectCaptions(child, captions);
    }
}

// Every caption of every window, in a fixed order.
QStringList everyCaption(TForm15& main) {
    QList<QWidget*> windows{&main};
    for (QDialog* window : main.findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        windows << window;
    QStringList captions;
    for (const QWidget* window : windows) {
        captions << window->objectName() + QLatin1Char('=') + window->windowTitle();
        collectCaptions(window, captions);
    }
    return captions;
}

QByteArray languageFile(const std::function<QString(int)>& lineText, int count = kCaptionLineCount) {
    QStringList lines;
    for (int line = 1; line <= count; ++line)
        lines << lineText(line);
    return lines.join(QStringLiteral("\r\n")).toUtf8();
}

QString marker(int line) {
    return QStringLiteral("<b>#%1&</b>").arg(line);
}

class Languages : public ProgramTest {
protected:
    // The language window's Ok, pressed when the window comes.
    void pressOk() {
        ui.modalActions.push_back(
            [](QDialog& window) { window.findChild<QAbstractButton*>(QStringLiteral("Button1"))->click(); });
    }
    QString config() { return QString::fromUtf8(folder.read(QStringLiteral("config.obn"))); }
};

TEST_F(Languages, EachLineReachesItsControlAndNoOtherAsPlainText) {
    folder.write(QStringLiteral("marks.lag"), languageFile(marker));
    start();
    program->Form4->loadLanguage(folder.file(QStringLiteral("marks.lag")), LanguageSource::ProgramFolder);
    program->Form4->apply();

    for (const CaptionRow& row : captionTable()) {
        QWidget* window = captionWindow(form(), row.window);
        ASSERT_NE(window, nullptr) << row.line;
        if (row.control == kWindowCaption) {
            EXPECT_EQ(window->windowTitle(), marker(row.line)) << row.line;
            continue;
        }
        const QList<QObject*> controls = controlsNamed(*window, row.control);
        ASSERT_EQ(controls.size(), 1) << row.line;
        EXPECT_EQ(captionShown(controls.front()), marker(row.line)) << row.line;
        if (const auto* label = qobject_cast<QLabel*>(controls.front())) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << row.line;
        }
    }
    const QStringList shown = everyCaption(form()).filter(QRegularExpression(QStringLiteral("#\\d+&")));
    EXPECT_EQ(shown.size(), std::ssize(captionTable())) << shown.join(QLatin1Char('\n')).toStdString();
}

TEST_F(Languages, SwitchingLanguagesAndBackRestoresEveryCaption) {
    start();
    const QStringList english = everyCaption(form());
    pressOk();
    control<QAction>(form(), "German1").trigger();
    EXPECT_EQ(config(), "german.lag\r\n");
    EXPECT_EQ(form().document().languageFileName, "german.lag");
    EXPECT_EQ(control<QToolButton>(form(), "SpeedButton1").text(), QString::fromUtf8("Öffnen"));
    EXPECT_EQ(program->Form19->windowTitle(), QString::fromUtf8("Kalibrieren...")); // hidden all along

    // Back through the real language window.
    ui.realModalWindows = true;
    QTimer::singleShot(0, [this] { program->Form4->Button1->click(); });
    control<QAction>(form(), "English1").trigger();
    EXPECT_EQ(config(), "english.lag\r\n");
    EXPECT_EQ(form().document().languageFileName, "English.lag");
    EXPECT_EQ(everyCaption(form()), english);
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
}

TEST_F(Languages, ARefusedFileChangesNothing) {
    folder.write(QStringLiteral("french.lag"), languageFile(marker, 140));
    start();
    const QStringList english = everyCaption(form());
    const QByteArray choice = folder.read(QStringLiteral("config.obn"));
    control<QAction>(form(), "Francais1").trigger();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().contains(QStringLiteral("french.lag")));
    EXPECT_TRUE(ui.messages().front().contains(QStringLiteral("140 lines")));
    EXPECT_TRUE(ui.modalWindows().isEmpty());
    EXPECT_EQ(everyCaption(form()), english);
    EXPECT_EQ(folder.read(QStringLiteral("config.obn")), choice);
    EXPECT_EQ(form().document().languageFileName, "english.lag");
}

TEST_F(Languages, AChoiceNamingAFileOutsideTheFolderIsNotOpened) {
    folder.write(QStringLiteral("config.obn"), "../data/french.lag\r\n");
    start();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(ui.messages().front().contains(QStringLiteral("../data/french.lag")));
    EXPECT_EQ(control<QToolButton>(form(), "SpeedButton1").text(), QStringLiteral("Open"));
    EXPECT_EQ(folder.read(QStringLiteral("config.obn")), "../data/french.lag\r\n");
}

TEST_F(Languages, YourLanguageTriesAFileWhereItLiesAndIsNotRemembered) {
    QTemporaryDir elsewhere;
    QFile own(elsewhere.filePath(QStringLiteral("german.lag")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write(languageFile([](int line) { return QStringLiteral("mine %1").arg(line); }));
    own.close();
    start();
    ui.fileAnswers.push_back(FileDialogAnswer{own.fileName(), 0});
    pressOk();
    control<QAction>(form(), "YourLanguage1").trigger();
    EXPECT_EQ(control<QToolButton>(form(), "SpeedButton1").text(),
              QStringLiteral("mine 2")); // not the shipped german.lag
    EXPECT_EQ(form().document().languageFileName, "german.lag");
    EXPECT_EQ(config(), "english.lag\r\n");
    EXPECT_EQ(ui.fileRequests.front().filters, QStringList{QStringLiteral("Language files... (*.lag)")});

    control<QAction>(form(), "YourLanguage1")
        .trigger(); // cancelled: starts in the program folder and changes nothing
    EXPECT_EQ(ui.fileRequests.back().initialFolder, folder.path());
    EXPECT_EQ(control<QToolButton>(form(), "SpeedButton1").text(), QStringLiteral("mine 2"));
}

TEST_F(Languages, AnOlderTranslationShowsTheLaterCaptionsInEnglish) {
    folder.write(QStringLiteral("older.lag"), languageFile(marker, kLanguageFileLineCount));
    start();
    pressOk();
    control<QAction>(form(), "German1").trigger();
    EXPECT_EQ(program->PrintPreview->windowTitle(), "Druckvorschau");
    ui.fileAnswers.push_back(FileDialogAnswer{folder.file(QStringLiteral("older.lag")), 0});
    pressOk();
    control<QAction>(form(), "YourLanguage1").trigger();
    EXPECT_EQ(control<QToolButton>(form(), "SpeedButton1").text(), "<b>#2&&</b>");
    EXPECT_EQ(control<QAction>(form(), "PrintPreview1").text(), "Print preview...");
    EXPECT_EQ(program->PrintPreview->windowTitle(), "Print preview");
}

// Through the real language window.
TEST_F(Languages, AUtf8FileWithAStrayByteIsReadAsUtf8AndItsLineNamed) {
    QByteArray french = folder.read(QStringLiteral("french.lag"));
    french.insert(french.indexOf("Charger une image"), '\xFF'); // line 25
    folder.write(QStringLiteral("stray.lag"), french);
    start();
    ui.realModalWindows = true;
    QTimer::singleShot(0, [this] { program->Form4->Button1->click(); });
    ui.fileAnswers.push_back(FileDialogAnswer{folder.file(QStringLiteral("stray.lag")), 0});
    control<QAction>(form(), "YourLanguage1").trigger();
    EXPECT_EQ(control<QToolButton>(form(), "SpeedButton6").text(), QString::fromUtf8("Réglages"));
    EXPECT_EQ(control<QAction>(form(), "Loadpicture1").text(),
              QString::fromUtf8("\uFFFDCharger une image..."));
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_TRUE(
        ui.messages().front().contains(QRegularExpression(QStringLiteral("stray.lag.*line 25 holds"))));
}

TEST_F(Languages, TheChoiceIsReadAsUtf8OrAsLatin1WrittenBefore) {
    const QString name = QString::fromUtf8("français.lag");
    folder.write(name, folder.read(QStringLiteral("french.lag")));
    for (const QByteArray& choice : {name.toUtf8(), name.toLatin1()}) {
        folder.write(QStringLiteral("config.obn"), choice);
        start();
        EXPECT_EQ(control<QToolButton>(form(), "SpeedButton1").text(), "Ouvrir");
    }
    EXPECT_TRUE(ui.messages().isEmpty()) << ui.messages().join('\n').toStdString();
}

TEST_F(Languages, AnUnreadableChoiceIsReplacedOrTheUserToldItCannotBeKept) {
    folder.write(QStringLiteral("config.obn"), QByteArray(1024 * 1024 + 1, 'x'));
    start();
    EXPECT_TRUE(
        ui.messages().value(0).contains(QRegularExpression(QStringLiteral("config.obn.*stay in English"))));
    pressOk();
    control<QAction>(form(), "German1").trigger();
    EXPECT_EQ(config(), "german.lag\r\n"); // a fresh file in its place

    folder.remove(QStringLiteral("config.obn"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("config.obn")));
    pressOk();
    control<QAction>(form(), "German1").trigger();
    EXPECT_EQ(control<QToolButton>(form(), "SpeedButton1").text(), QString::fromUtf8("Öffnen"));
    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_TRUE(
        ui.messages().back().contains(QRegularExpression(QStringLiteral("cannot be kept.*config.obn"))));
}

TEST_F(Languages, EditAndSendBackOpensTheEnglishFile) {
    start();
    control<QAction>(form(), "Editandsendbackbymail1").trigger();
    ASSERT_EQ(ui.openedUrls.size(), 1u);
    EXPECT_EQ(ui.openedUrls.front(), QUrl::fromLocalFile(folder.file(QStringLiteral("english.lag"))));
}

// What a translation says must be seen whole: each caption fits its control in the program's font.
TEST_F(Languages, EveryShippedCaptionFitsItsControl) {
    start();
    for (const char* file : {"english.lag", "french.lag", "german.lag", "hungarian.lag", "swedish.lag",
                             "Catala.lag", "croatian.lag"}) {
        program->Form4->loadLanguage(folder.file(QString::fromLatin1(file)), LanguageSource::ProgramFolder);
        program->Form4->apply();
        for (const CaptionRow& row : captionTable()) {
            QWidget* window = captionWindow(form(), row.window);
            if (row.control == kWindowCaption)
                continue;
            if (window->layout() != nullptr)
                window->layout()->activate(); // as showing the window does
            const auto* control = qobject_cast<const QWidget*>(controlsNamed(*window, row.control).value(0));
            if (control == nullptr || !control->isVisibleTo(window))
                continue; // menu items and the text bar's field size themselves
            const QString text = captionShown(control).value_or(QString());
            const QFontMetrics metrics(control->font());
            int room = control->width() - 6;
            if (qobject_cast<const QLabel*>(control) != nullptr)
                room = window->width() - control->x(); // a one-line label grows to its right
            if (const auto* label = qobject_cast<const QLabel*>(control); label && label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << file << " line " << row.line << ": " << text.toStdString();
                continue;
            }
            if (const auto* button = qobject_cast<const QToolButton*>(control);
                button && button->toolButtonStyle() == Qt::ToolButtonTextBesideIcon)
                room -= button->iconSize().width() + 4;
            EXPECT_LE(metrics.horizontalAdvance(text), room)
                << file << " line " << row.line << " (" << control->metaObject()->className()
                << "): " << text.toStdString();
        }
    }
}

// Undo and Redo name their step again as the language changes, before the menu opens; the menu
// bar and the Edit menu fit the window.
TEST_F(Languages, TheEditMenuReadsInEveryShippedLanguageAndFitsTheWindow) {
    start();
    Picture(gradientPicture(640, 480)).saveBmp(folder.file("photo.bmp"));
    openPicture(*program, ui, folder.file("photo.bmp"), Adjust::Resize);
    program->Form17->RichEdit1->setPlainText(QStringLiteral("Summer"));
    program->Form17->SpeedButton8->click();               // Center
    control<QToolButton>(form(), "SpeedButton5").click(); // Clear
    control<QAction>(form(), "Undo1").trigger();
    const std::pair<const char*, const char*> languages[] = {
        {"Francais1", "Édition|Annuler Centrer|Rétablir Effacer"},
        {"hungarian1", "Szerkesztés|Visszavonás Középre|Újra Törlés"},
        {"Swedish1", "Redigera|Ångra Centrera|Gör om Rensa"},
        {"Catalan1", "Edita|Desfés Centra|Refés Esborra"},
        {"Coratian1", "Uredi|Poništi Centriraj|Ponovi Očisti"},
        {"German1", "Bearbeiten|Rückgängig Zentriert|Wiederholen Löschen"},
        {"English1", "Edit|Undo Center|Redo Clear"}};
    for (const auto& [item, menu] : languages) {
        pressOk();
        control<QAction>(form(), item).trigger();
        QMenu& edit = control<QMenu>(form(), "Edit1");
        const QStringList shown{edit.title(), control<QAction>(form(), "Undo1").text(),
                                control<QAction>(form(), "Redo1").text()};
        EXPECT_EQ(shown.join('|').remove('&'), QString::fromUtf8(menu));
        EXPECT_LE(form().menuBar()->sizeHint().width(), form().width()) << item;
        emit edit.aboutToShow();
        EXPECT_LE(edit.sizeHint().width(), form().width()) << item;
    }
}

} // namespace
