// Keyboard use and screen-reader names, through the real windows.
#include "app/tform1.h"
#include "decor/tflibrary.h"
#include "decor/tform16.h"
#include "decor/tform18.h"
#include "platform/qt/imageview.h"
#include "print/tform19.h"
#include "print/tfprintpreview.h"
#include "support/slotfixture.h"
#include "text/textarealists.h"
#include "text/tform17.h"

#include <QAccessible>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextEdit>

namespace {

std::string nameOf(QObject* control) {
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).toStdString();
}

// What a screen reader says a control is for: a combo box's name is its current entry, so its label.
std::string purposeOf(QObject* control) {
    if (!qobject_cast<QComboBox*>(control))
        return nameOf(control);
    const auto labels = QAccessible::queryAccessibleInterface(control)->relations(QAccessible::Label);
    return labels.isEmpty() ? "" : labels.front().first->text(QAccessible::Name).toStdString();
}

void showActive(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
}

using Keyboard = ProgramTest;

TEST_F(Keyboard, EveryControlSaysWhatItIsForAndNamesFollowTheCaptions) {
    start();
    const Orbalin& p = *program;
    // The other windows are the main window's children.
    for (QWidget* control : form().findChildren<QWidget*>())
        EXPECT_TRUE(control->focusPolicy() == Qt::NoFocus || !purposeOf(control).empty())
            << control->metaObject()->className() << " in " << control->parent()->objectName().toStdString();

    const std::pair<QWidget*, const char*> named[] = {
        {p.Form1->SpeedButton1, "Resize"},
        {p.Form1->SpeedButton2, "Resize-Adjust"},
        {p.Form19->Edit1, "Picture #1 Horizontal"},
        {p.Form19->Edit2, "Picture #1 Vertical"},
        {p.Form19->Edit3, "Picture #2 Horizontal"},
        {p.Form19->Edit4, "Picture #2 Vertical"},
        {p.Form19->Edit5, "Stretch Pictures Horizontal"},
        {p.Form17->ComboBox4, "Text colour"},
        {p.Form17->ComboBox3->list(), "Font size"},
        {&control<QComboBox>(form(), "Combofonte"), "Font"},
        {&control<QComboBox>(form(), "combotaillefonte"), "Font size"},
        {p.Form18->ComboBox5, "Kind of gradient"},
        {p.Form18->Image22, "Gradient (display)"},
        {p.FLibrary->C_CloneImage, "Chosen picture"},
    };
    for (const auto& [control, name] : named)
        EXPECT_EQ(purposeOf(control), name);

    ui.modalActions.push_back(
        [](QDialog& language) { language.findChild<QAbstractButton*>("Button1")->click(); });
    control<QAction>(form(), "German1").trigger();
    const QString group = p.Form19->findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title();
    ASSERT_NE(group, "Picture #1");
    EXPECT_EQ(nameOf(p.Form19->Edit1), (group + " Horizontal").toStdString());
    EXPECT_EQ(nameOf(p.Form18->Image22), p.Form18->findChild<QLabel*>("Label1")->text().toStdString());
    const QString exportCaption = p.PrintPreview->ExportButton->text();
    ASSERT_TRUE(exportCaption.endsWith("...")) << exportCaption.toStdString();
    EXPECT_EQ(nameOf(p.PrintPreview->ExportButton), exportCaption.chopped(3).toStdString());
}

// Each control is put five pixels from the corner its drag stops at, then moved by the keys:
// one pixel, ten with Shift, never past that corner.
TEST_F(Keyboard, ArrowKeysMoveWhatTheMouseDragsWithinTheDragLimits) {
    start();
    showActive(form());
    TForm15& f = form();
    TForm16& slide = *program->Form16;
    control<ImageView>(f, "MyPicture").setPicture(Picture(QImage(40, 30, QImage::Format_RGB32)));
    slide.prepareFor(CoverMode::CdCover, Picture(QImage(900, 900, QImage::Format_RGB32)));
    const struct {
        QWidget* control;               // what takes the keys
        std::function<QWidget*()> show; // shows it and returns what moves
        QPoint corner;
    } cases[] = {
        {&control<QLabel>(f, "floatinglabel"),
         [&] {
             return control<QAction>(f, "FloatingtextBarredetexteflottante1").trigger(),
                    &control<QLabel>(f, "floatinglabel");
         },
         {0, 65}},
        {&control<QLabel>(f, "Image5"),
         [&] { return doubleClick(control<QLabel>(f, "floatinglabel")), &control<QFrame>(f, "supfloat"); },
         {0, 0}},
        {&control<ImageView>(f, "MyPicture"),
         [&] { return control<ImageView>(f, "MyPicture").show(), &control<ImageView>(f, "MyPicture"); },
         {0, 0}},
        {slide.Image2, [&] { return showActive(slide), slide.Image2; }, {0, 0}},
    };
    for (const auto& [control, show, corner] : cases) {
        QWidget* moved = show();
        SCOPED_TRACE(control->objectName().toStdString());
        const QImage unfocused = control->grab().toImage();
        control->setFocus();
        EXPECT_NE(control->grab().toImage(), unfocused) << "no focus frame";
        moved->move(corner + QPoint(5, 5));
        for (const auto& [key, at] : std::initializer_list<std::pair<QKeyCombination, QPoint>>{
                 {Qt::Key_Left, {4, 5}},
                 {Qt::ShiftModifier | Qt::Key_Left, {0, 5}},
                 {Qt::ShiftModifier | Qt::Key_Up, {0, 0}},
                 {Qt::Key_Down, {0, 1}},
                 {Qt::ShiftModifier | Qt::Key_Right, {10, 1}}}) {
            QTest::keyClick(control, key.key(), key.keyboardModifiers());
            EXPECT_EQ(moved->pos() - corner, at) << QKeySequence(key).toString().toStdString();
        }
    }
    slide.hide();
}

// A menu is on the accessibility bus while it is open, by the name it gives.
TEST_F(Keyboard, MenuKeysOpenTheFloatingTextsNamedMenuAndEnterItsTextBar) {
    start();
    showActive(form());
    const auto expectOpen = [](QMenu* menu, const char* name) {
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(menu)->state().invisible) << name;
        EXPECT_EQ(nameOf(menu), name);
        menu->hide();
    };
    control<QAction>(form(), "FloatingtextBarredetexteflottante1").trigger();
    QLabel* text = &control<QLabel>(form(), "floatinglabel");
    text->setFocus();
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Menu), Qt::ShiftModifier | Qt::Key_F10}) {
        QTest::keyClick(text, key.key(), key.keyboardModifiers());
        expectOpen(&control<QMenu>(form(), "PopupMenu1"), "Floating text menu");
    }
    QTest::mouseClick(form().windowHandle(), Qt::RightButton, {}, {400, 300});
    expectOpen(&control<QMenu>(form(), "PopupMenu2"), "Cover menu");
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_TRUE(control<QFrame>(form(), "supfloat").isVisible() && !text->isVisible());
}

// Tool buttons answer Space only by themselves; Enter presses the focused one too.
TEST_F(Keyboard, EnterPressesTheFocusedButtonAndTheTextBarTakesEnterAndEscape) {
    start();
    showActive(form());
    auto& text = control<QLabel>(form(), "floatinglabel");
    auto& field = control<QLineEdit>(form(), "Edition");
    control<QAction>(form(), "FloatingtextBarredetexteflottante1").trigger();
    const QString before = text.text();
    const struct {
        QWidget* pressed;
        Qt::Key key;
        QString typed, shown;
    } ways[] = {
        {&field, Qt::Key_Escape, "dropped", before},
        {&field, Qt::Key_Return, "by Return", "by Return"},
        {&control<QToolButton>(form(), "SpeedButton21"), Qt::Key_Enter, "cancelled", "by Return"},
        {&control<QToolButton>(form(), "SpeedButton18"), Qt::Key_Return, "by Ok", "by Ok"},
    };
    for (const auto& way : ways) {
        doubleClick(text);
        field.setText(way.typed);
        way.pressed->setFocus();
        QTest::keyClick(way.pressed, way.key);
        EXPECT_FALSE(control<QFrame>(form(), "supfloat").isVisible()) << way.typed.toStdString();
        EXPECT_EQ(text.text(), way.shown);
    }
    EXPECT_TRUE(ui.fileRequests.empty()) << "the key went on to the button the focus moved to: Open";

    auto& labels = control<QToolButton>(form(), "SpeedButton10");
    labels.setFocus();
    QTest::keyClick(&labels, Qt::Key_Return);
    EXPECT_EQ(ui.modalWindows(), QStringList{"Form3"});
    TFPrintPreview& preview = *program->PrintPreview;
    showActive(preview);
    preview.CloseButton->setFocus();
    QTest::keyClick(preview.CloseButton, Qt::Key_Return);
    EXPECT_FALSE(preview.isVisible());
}

TEST_F(Keyboard, TabLeavesTheTextAreasEditorAndGoesOnToAllColours) {
    start();
    TForm17& area = *program->Form17;
    showActive(area);
    area.RichEdit1->setFocus();
    QTest::keyClicks(area.RichEdit1, "ab\t");
    EXPECT_EQ(area.RichEdit1->toPlainText(), "ab");
    QStringList order;
    for (int i = 0; i < 4; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(' '), "ComboBox2Edit ComboBox2List ComboBox4 SpeedButton6");
    area.hide();
}

} // namespace

// Edit sits between Files and Options; Undo takes Alt+Backspace because Ctrl+Z stays
// "Resize - Take a slide"'s, and Redo takes Ctrl+Y and Ctrl+Shift+Z.
TEST_F(Keyboard, EditUndoesAndRedoesFromItsKeysAndLeavesCtrlZToTheSlide) {
    start();
    QStringList titles;
    for (QAction* menu : form().menuBar()->actions())
        titles << menu->menu()->objectName();
    EXPECT_EQ(titles.mid(0, 3), (QStringList{"Files1", "Edit1", "Options1"}));
    const QAction& undo = control<QAction>(form(), "Undo1");
    EXPECT_FALSE(undo.isEnabled());

    Picture(gradientPicture(640, 480)).saveBmp(folder.file("photo.bmp"));
    openPicture(*program, ui, folder.file("photo.bmp"), Adjust::Resize);
    EXPECT_EQ(undo.text(), "Undo Resize");
    ASSERT_NO_FATAL_FAILURE(showActive(form()));
    QTest::keyClick(&form(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_FALSE(form().document().slotLoaded[0]);
    EXPECT_EQ(control<QAction>(form(), "Redo1").text(), "Redo Resize");
    QTest::keyClick(&form(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(form().document().slotLoaded[0]);
    QTest::keyClick(&form(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(form().document().slotLoaded[0]) << "nothing left to redo";

    QTest::keyClick(&form(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(form().document().slotLoaded[0]);
    EXPECT_EQ(ui.messages().size(), 1) << "the fitted picture is too small to take a slide of";
}

// An opened picture undone before it is fitted comes back with Redo, ready to be fitted.
TEST_F(Keyboard, AnOpenedPictureUndoneComesBackWithRedo) {
    start();
    Picture(gradientPicture(640, 480)).saveBmp(folder.file("photo.bmp"));
    openPicture(*program, ui, folder.file("photo.bmp"), Adjust::Nothing);
    const QImage opened = form().document().slotPicture[0].bitmap();
    QAction& undo = control<QAction>(form(), "Undo1");
    QAction& redo = control<QAction>(form(), "Redo1");
    EXPECT_EQ(undo.text(), "Undo Open");
    undo.trigger();
    EXPECT_FALSE(form().document().slotLoaded[0]);
    EXPECT_EQ(redo.text(), "Redo Open");
    ASSERT_TRUE(redo.isEnabled());
    redo.trigger();
    EXPECT_EQ(form().document().slotPicture[0].bitmap(), opened);
    EXPECT_FALSE(redo.isEnabled());
    control<QAction>(form(), "Resize1").trigger();
    EXPECT_TRUE(form().document().slotResized[0]);
    EXPECT_EQ(undo.text(), "Undo Resize");
}

// After Undo and Redo the status bar says what the picture then holds: through a fit, a photo
// opened and not fitted.
TEST_F(Keyboard, TheStatusBarFollowsUndoAndRedo) {
    start();
    const auto status = [this] { return form().statusText(0).trimmed() + '|' + form().statusText(1); };
    const auto trigger = [this](const char* item) { control<QAction>(form(), item).trigger(); };
    Picture(gradientPicture(640, 480)).saveBmp(folder.file("portrait.bmp"));
    Picture(noisePicture(500, 500, 4)).saveBmp(folder.file("second.bmp"));
    openPicture(*program, ui, folder.file("portrait.bmp"), Adjust::Resize);
    trigger("Undo1");
    EXPECT_EQ(status(), "None...|Waiting");
    trigger("Redo1");
    openPicture(*program, ui, folder.file("second.bmp"), Adjust::Nothing);
    trigger("Undo1");
    EXPECT_EQ(status(), "portrait.bmp|Resized");
    trigger("Redo1");
    EXPECT_EQ(status(), "second.bmp|Waiting");
}
