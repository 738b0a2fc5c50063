// What a screen reader is told, and the menus worked from the keyboard, through the real windows.
#include "about/tform20.h"
#include "decor/tform16.h"
#include "decor/tform3.h"
#include "lang/captioncontrols.h"
#include "lang/tform4.h"
#include "platform/qt/imageview.h"
#include "print/tfprintpreview.h"
#include "support/programfixture.h"
#include "text/tform17.h"

#include <QAccessible>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

namespace {

QAccessibleInterface* reader(QObject* control) {
    return QAccessible::queryAccessibleInterface(control);
}

QString said(QObject* control, QAccessible::Text what) {
    return reader(control)->text(what);
}

void showActive(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
}

// Each entry has a letter, and no other entry has the same one, as Qt itself reads the marks.
void expectLettersOfTheirOwn(const QList<QAction*>& entries, const std::string& where) {
    QSet<int> taken;
    for (const QAction* entry : entries) {
        if (entry->isSeparator())
            continue;
        const QKeySequence letter = QKeySequence::mnemonic(entry->text());
        if (letter.isEmpty()) {
            ADD_FAILURE() << where << ": no letter for " << entry->text().toStdString();
            continue;
        }
        EXPECT_FALSE(taken.contains(letter[0].toCombined())) << where << ": " << entry->text().toStdString();
        taken.insert(letter[0].toCombined());
    }
}

using ScreenReader = ProgramTest;

TEST_F(ScreenReader, BoldItalicAndReverseAreCheckedWhileTheyAreOn) {
    start();
    showActive(form());
    control<QAction>(form(), "FloatingtextBarredetexteflottante1").trigger();
    doubleClick(control<QLabel>(form(), "floatinglabel"));
    auto* bold = &control<QToolButton>(form(), "SpeedButton16");
    auto* reverse = &control<QToolButton>(form(), "SpeedButton19");
    EXPECT_TRUE(reader(bold)->state().checkable);
    EXPECT_TRUE(reader(bold)->state().checked) << "the floating text starts bold";
    bold->click();
    EXPECT_FALSE(control<QLineEdit>(form(), "Edition").font().bold());
    EXPECT_FALSE(reader(bold)->state().checked);
    EXPECT_EQ(said(reverse, QAccessible::Name), "Reverse text");
    EXPECT_FALSE(reader(reverse)->state().checked);
    reverse->click();
    EXPECT_TRUE(reader(reverse)->state().checked);
    control<QAction>(form(), "HidetextareaCacherlazonedetexte2").trigger(); // turns reverse off
    EXPECT_FALSE(reader(reverse)->state().checked);

    TForm17& area = *program->Form17;
    area.RichEdit1->setPlainText(QStringLiteral("Title"));
    for (QToolButton* style : {area.SpeedButton2, area.SpeedButton3}) {
        style->click();
        EXPECT_TRUE(reader(style)->state().checked) << style->objectName().toStdString();
        style->click();
        EXPECT_FALSE(reader(style)->state().checked) << style->objectName().toStdString();
    }
    area.SpeedButton3->click();
    EXPECT_TRUE(area.RichEdit1->currentCharFormat().fontItalic());
}

TEST_F(ScreenReader, TheLabelsWindowChecksTheKindInUse) {
    start();
    control<QAction>(form(), "Backcover1").trigger();
    TForm3& labels = *program->Form3;
    showActive(labels);
    for (QToolButton* kind : {labels.SpeedButton1, labels.SpeedButton2, labels.SpeedButton3, labels.SpeedButton4})
        EXPECT_EQ(reader(kind)->state().checked, kind == labels.SpeedButton3) << kind->objectName().toStdString();
    EXPECT_TRUE(labels.SpeedButton3->hasFocus());
    labels.SpeedButton1->click();
    EXPECT_EQ(form().statusText(3), "Cd Cover");
    EXPECT_TRUE(reader(labels.SpeedButton1)->state().checked);
    EXPECT_FALSE(reader(labels.SpeedButton3)->state().checked);
}

TEST_F(ScreenReader, WhatTheMouseDragsAndThePagePreviewAreFocusableAndTellTheirKeys) {
    start();
    const struct {
        QWidget* control;
        const char* alsoSays;
    } controls[] = {
        {&control<QLabel>(form(), "floatinglabel"), "Enter opens the text bar"},
        {&control<QLabel>(form(), "Image5"), "Shift"},
        {&control<ImageView>(form(), "MyPicture"), "Menu key"},
        {program->Form16->Image2, "Shift"},
        {program->PrintPreview->Page, "Page Down"},
    };
    program->PrintPreview->prepareFor(CoverMode::CdCover, {}, nullptr, nullptr);
    for (const auto& [control, alsoSays] : controls) {
        const std::string name = control->objectName().toStdString();
        EXPECT_TRUE(reader(control)->state().focusable) << name;
        EXPECT_FALSE(said(control, QAccessible::Name).isEmpty()) << name;
        const QString keys = said(control, QAccessible::Description);
        EXPECT_TRUE(keys.contains(QLatin1String("Arrow keys"))) << name << ": " << keys.toStdString();
        EXPECT_TRUE(keys.contains(QLatin1String(alsoSays))) << name << ": " << keys.toStdString();
    }
}

TEST_F(ScreenReader, TheCoverPictureIsAGraphicThatSaysWhatItShows) {
    start();
    auto* picture = form().findChild<QWidget*>(QStringLiteral("Cover picture"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(reader(picture)->role(), QAccessible::Graphic);
    EXPECT_EQ(said(picture, QAccessible::Name), "Cover picture");
    EXPECT_EQ(said(picture, QAccessible::Description), "Cd Cover, Picture #1: example picture");

    Picture(gradientPicture(640, 480)).saveBmp(folder.file(QStringLiteral("photo.bmp")));
    openPicture(*program, ui, folder.file(QStringLiteral("photo.bmp")), Adjust::Nothing);
    EXPECT_EQ(said(picture, QAccessible::Description), "Cd Cover, Picture #1: photo not fitted yet");
    control<QAction>(form(), "Resize1").trigger();
    EXPECT_EQ(said(picture, QAccessible::Description), "Cd Cover, Picture #1: photo fitted");
    TForm17& area = *program->Form17;
    area.RichEdit1->setPlainText(QStringLiteral("Title"));
    area.SpeedButton8->click();
    control<QAction>(form(), "ApplyChangesAppliquerleschangements2").trigger();
    EXPECT_EQ(said(picture, QAccessible::Description), "Cd Cover, Picture #1: photo fitted, Center text, 1 stamp");
    area.SpeedButton4->click(); // a layout is drawn on the fitted picture: the stamp goes
    EXPECT_EQ(said(picture, QAccessible::Description), "Cd Cover, Picture #1: photo fitted, Vertical text");
    control<QAction>(form(), "Undo1").trigger();
    EXPECT_EQ(said(picture, QAccessible::Description), "Cd Cover, Picture #1: photo fitted, Center text, 1 stamp");
    control<QAction>(form(), "Refresh1").trigger(); // Clear
    EXPECT_EQ(said(picture, QAccessible::Description), "Cd Cover, Picture #1: photo fitted");

    control<QToolButton>(form(), "SpeedButton9").click();
    EXPECT_EQ(said(picture, QAccessible::Description), "Cd Cover, Picture #2: empty");
}

TEST_F(ScreenReader, AboutIsLeftByItsOwnFocusedCloseButton) {
    start();
    TForm20& about = *program->Form20;
    showActive(about);
    auto* close = about.findChild<QToolButton*>(QStringLiteral("CloseButton"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(said(close, QAccessible::Name), "Close");
    EXPECT_TRUE(reader(close)->state().focusable);
    EXPECT_TRUE(close->hasFocus());
    for (const QLabel* line : about.findChildren<QLabel*>())
        EXPECT_FALSE(line->geometry().intersects(close->geometry())) << line->objectName().toStdString();
    QTest::keyClick(close, Qt::Key_Return);
    EXPECT_FALSE(about.isVisible());
}

// The text-bar help's keys are read whole, between the help above and its button.
TEST_F(ScreenReader, TheTextBarHelpShowsItsKeysWhole) {
    start();
    QDialog& help = *form().findChild<QDialog*>(QStringLiteral("Form5"));
    auto& keys = control<QLabel>(help, "Keys");
    const QWidget& above = control<QLabel>(help, "StaticText1");
    const QWidget& ok = control<QPushButton>(help, "BitBtn1");
    EXPECT_LE(keys.heightForWidth(keys.width()), keys.height());
    EXPECT_GE(keys.y(), above.geometry().bottom());
    EXPECT_LE(keys.geometry().bottom(), ok.y());
    EXPECT_LE(ok.geometry().bottom(), help.height());
}

TEST_F(ScreenReader, MenusAndTheirEntriesHaveLettersOfTheirOwnInEveryShippedLanguage) {
    start();
    for (const char* file : {"english.lag", "french.lag", "german.lag", "hungarian.lag", "swedish.lag",
                             "Catala.lag", "croatian.lag"}) {
        program->Form4->loadLanguage(folder.file(QString::fromLatin1(file)), LanguageSource::ProgramFolder);
        program->Form4->apply();
        const QList<QAction*> titles = form().menuBar()->actions();
        expectLettersOfTheirOwn(titles, std::string(file) + " menu bar");
        for (const QAction* title : titles) {
            QMenu* menu = title->menu();
            emit menu->aboutToShow();
            expectLettersOfTheirOwn(menu->actions(), std::string(file) + " " + menu->objectName().toStdString());
        }
    }
    // Shown as the file has them, the marks aside.
    EXPECT_EQ(captionShown(&control<QMenu>(form(), "Files1")), QStringLiteral("Datoteke"));
}

TEST_F(ScreenReader, AltLightsTheMenuBarF10OpensItAndAltWithALetterOpensItsMenu) {
    start();
    showActive(form());
    QMenuBar* bar = form().menuBar();
    QMenu& files = control<QMenu>(form(), "Files1");
    const QKeySequence letter = QKeySequence::mnemonic(files.menuAction()->text());
    ASSERT_FALSE(letter.isEmpty());
    QTest::keyClick(&form(), letter[0].key(), Qt::AltModifier);
    EXPECT_TRUE(files.isVisible());
    files.hide();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !files.isVisible(); }));

    QWidget* focus = &control<QToolButton>(form(), "SpeedButton1");
    focus->setFocus();
    QTest::keyPress(focus, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(focus, Qt::Key_Alt);
    EXPECT_EQ(bar->activeAction(), bar->actions().constFirst());
    EXPECT_TRUE(bar->hasFocus());
    EXPECT_FALSE(files.isVisible());
    QTest::keyClick(bar, Qt::Key_Escape);

    QTest::keyClick(&form(), Qt::Key_F10);
    EXPECT_TRUE(files.isVisible());
    files.hide();
}

} // namespace
