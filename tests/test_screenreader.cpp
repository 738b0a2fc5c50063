// What a screen reader is told, and the menus worked from the keyboard, through the real windows.
#include "about/tform20.h"
#include "decor/tform16.h"
#include "decor/tform3.h"
#include "lang/tform4.h"
#include "platform/qt/imageview.h"
#include "print/tfprintpreview.h"
#include "support/programfixture.h"
#include "text/tform17.h"

#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTextEdit>
#include <QToolButton>

namespace {

QAccessible::State stateOf(QObject* control) {
    return QAccessible::queryAccessibleInterface(control)->state();
}

QString said(QObject* control, QAccessible::Text what = QAccessible::Description) {
    return QAccessible::queryAccessibleInterface(control)->text(what);
}

void showActive(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
}

using ScreenReader = ProgramTest;

TEST_F(ScreenReader, StylesAndTheKindInUseAreCheckedWhileTheyAreOn) {
    start();
    control<QAction>(form(), "FloatingtextBarredetexteflottante1").trigger();
    doubleClick(control<QLabel>(form(), "floatinglabel"));
    auto* bold = &control<QToolButton>(form(), "SpeedButton16");
    auto* reverse = &control<QToolButton>(form(), "SpeedButton19");
    EXPECT_TRUE(stateOf(bold).checkable && stateOf(bold).checked) << "the floating text starts bold";
    bold->click();
    EXPECT_FALSE(stateOf(bold).checked);
    reverse->click();
    EXPECT_TRUE(stateOf(reverse).checked);
    control<QAction>(form(), "HidetextareaCacherlazonedetexte2").trigger(); // turns reverse off
    EXPECT_FALSE(stateOf(reverse).checked);

    TForm17& area = *program->Form17;
    area.RichEdit1->setPlainText(QStringLiteral("Title"));
    for (QToolButton* style : {area.SpeedButton2, area.SpeedButton3}) {
        style->click();
        EXPECT_TRUE(stateOf(style).checked) << style->objectName().toStdString();
        style->click();
        EXPECT_FALSE(stateOf(style).checked) << style->objectName().toStdString();
    }

    control<QAction>(form(), "Backcover1").trigger();
    TForm3& labels = *program->Form3;
    showActive(labels);
    for (QToolButton* kind :
         {labels.SpeedButton1, labels.SpeedButton2, labels.SpeedButton3, labels.SpeedButton4})
        EXPECT_EQ(stateOf(kind).checked, kind == labels.SpeedButton3) << kind->objectName().toStdString();
    labels.SpeedButton1->click();
    EXPECT_TRUE(stateOf(labels.SpeedButton1).checked && !stateOf(labels.SpeedButton3).checked);
}

TEST_F(ScreenReader, WhatTheMouseDragsAndThePagePreviewAreFocusableAndTellTheirKeys) {
    start();
    program->PrintPreview->prepareFor(CoverMode::CdCover, {}, nullptr, nullptr);
    const std::pair<QWidget*, const char*> controls[] = {
        {&control<QLabel>(form(), "floatinglabel"), "Enter opens the text bar"},
        {&control<QLabel>(form(), "Image5"), "Shift"},
        {&control<ImageView>(form(), "MyPicture"), "Menu key"},
        {program->Form16->Image2, "Shift"},
        {program->PrintPreview->Page, "Page Down"},
    };
    for (const auto& [control, keys] : controls) {
        EXPECT_TRUE(stateOf(control).focusable) << control->objectName().toStdString();
        EXPECT_FALSE(said(control, QAccessible::Name).isEmpty()) << control->objectName().toStdString();
        EXPECT_TRUE(said(control).contains(QLatin1String("Arrow keys")) &&
                    said(control).contains(QLatin1String(keys)))
            << said(control).toStdString();
    }
}

TEST_F(ScreenReader, TheCoverPictureIsAGraphicThatSaysWhatItShows) {
    start();
    auto* picture = form().findChild<QWidget*>(QStringLiteral("Cover picture"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(picture)->role(), QAccessible::Graphic);
    EXPECT_EQ(said(picture), "Cd Cover, Picture #1: example picture");
    Picture(gradientPicture(640, 480)).saveBmp(folder.file(QStringLiteral("photo.bmp")));
    openPicture(*program, ui, folder.file(QStringLiteral("photo.bmp")), Adjust::Resize);
    TForm17& area = *program->Form17;
    area.RichEdit1->setPlainText(QStringLiteral("Title"));
    area.SpeedButton8->click();
    control<QAction>(form(), "ApplyChangesAppliquerleschangements2").trigger();
    EXPECT_EQ(said(picture), "Cd Cover, Picture #1: photo fitted, Center text, 1 stamp");
    area.SpeedButton4->click(); // drawn on the fitted picture: the stamp goes
    EXPECT_EQ(said(picture), "Cd Cover, Picture #1: photo fitted, Vertical text");
    control<QToolButton>(form(), "SpeedButton9").click();
    EXPECT_EQ(said(picture), "Cd Cover, Picture #2: empty");
}

// About's Close takes the focus clear of the lines; the text-bar help shows its keys whole.
TEST_F(ScreenReader, AboutHasAFocusedCloseAndTheTextBarHelpItsKeys) {
    start();
    TForm20& about = *program->Form20;
    showActive(about);
    auto& close = control<QToolButton>(about, "CloseButton");
    EXPECT_TRUE(close.hasFocus());
    for (const QLabel* line : about.findChildren<QLabel*>())
        EXPECT_FALSE(line->geometry().intersects(close.geometry())) << line->objectName().toStdString();
    QTest::keyClick(&close, Qt::Key_Return);
    EXPECT_FALSE(about.isVisible());

    QDialog& help = *form().findChild<QDialog*>(QStringLiteral("Form5"));
    auto& keys = control<QLabel>(help, "Keys");
    EXPECT_LE(keys.heightForWidth(keys.width()), keys.height());
    EXPECT_LE(keys.geometry().bottom(), control<QPushButton>(help, "BitBtn1").y());
}

// Each title and entry has a letter no other of its menu has, as Qt itself reads the marks.
TEST_F(ScreenReader, MenusAndTheirEntriesHaveLettersOfTheirOwnInEveryShippedLanguage) {
    start();
    const auto expectOwnLetters = [](const QList<QAction*>& entries, const std::string& where) {
        QSet<int> taken;
        for (const QAction* entry : entries) {
            const QKeySequence letter = QKeySequence::mnemonic(entry->text());
            if (!entry->isSeparator() && (letter.isEmpty() || taken.contains(letter[0].toCombined())))
                ADD_FAILURE() << where << ": " << entry->text().toStdString();
            taken.insert(letter.isEmpty() ? 0 : letter[0].toCombined());
        }
    };
    for (const char* file : {"english.lag", "french.lag", "german.lag", "hungarian.lag", "swedish.lag",
                             "Catala.lag", "croatian.lag"}) {
        program->Form4->loadLanguage(folder.file(QString::fromLatin1(file)), LanguageSource::ProgramFolder);
        program->Form4->apply();
        expectOwnLetters(form().menuBar()->actions(), file);
        for (const QAction* title : form().menuBar()->actions()) {
            emit title->menu()->aboutToShow();
            expectOwnLetters(title->menu()->actions(),
                             title->menu()->objectName().toStdString() + " in " + file);
        }
    }
}

TEST_F(ScreenReader, AltLightsTheBarAltWithALetterAndF10OpenAMenu) {
    start();
    showActive(form());
    QMenuBar* bar = form().menuBar();
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Alt);
    EXPECT_EQ(bar->activeAction(), bar->actions().constFirst());
    QTest::keyClick(bar, Qt::Key_Escape);

    QMenu& files = control<QMenu>(form(), "Files1");
    QTest::keyClick(&form(), QKeySequence::mnemonic(files.menuAction()->text())[0].key(), Qt::AltModifier);
    EXPECT_TRUE(files.isVisible());
    files.hide();
    QTest::keyClick(&form(), Qt::Key_F10);
    EXPECT_TRUE(files.isVisible());
    files.hide();
}

} // namespace
