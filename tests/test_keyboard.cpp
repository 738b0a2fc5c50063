// Keyboard use and screen-reader names, through the real windows: focus, arrow keys and the menu
// key on the controls the user drags, and the names the accessibility interface reports.
#include "app/tform1.h"
#include "decor/tflibrary.h"
#include "decor/tform16.h"
#include "decor/tform18.h"
#include "platform/qt/imageview.h"
#include "print/tform19.h"
#include "support/programfixture.h"
#include "text/textarealists.h"
#include "text/tform17.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

namespace {

std::string nameOf(QObject* control) {
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(control);
    return shown != nullptr ? shown->text(QAccessible::Name).toStdString() : std::string();
}

// What a control is for, as a screen reader tells it: a combo box's name is its current entry, so
// its purpose is its label.
std::string purposeOf(QObject* control) {
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(control);
    if (!qobject_cast<QComboBox*>(control))
        return nameOf(control);
    const auto labels = shown->relations(QAccessible::Label);
    return labels.isEmpty() ? std::string() : labels.front().first->text(QAccessible::Name).toStdString();
}

// A menu as the accessibility bus sees it while it is open.
void expectOpenMenu(QMenu* menu, const std::string& name) {
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(menu);
    EXPECT_TRUE(menu->isVisible()) << name;
    EXPECT_EQ(shown->role(), QAccessible::PopupMenu);
    EXPECT_FALSE(shown->state().invisible);
    EXPECT_EQ(nameOf(menu), name);
    menu->hide();
}

class Keyboard : public ProgramTest {
protected:
    void showMain() {
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
        QApplication::setActiveWindow(&form());
    }
    // The control's pixels as they are painted, its focus frame included.
    static QImage painted(QWidget* control) { return control->grab().toImage(); }
};

TEST_F(Keyboard, EveryControlSaysWhatItIsForAndNamesFollowTheCaptions) {
    start();
    const Orbalin& p = *program;
    const std::vector<QWidget*> windows = {&form(),  p.Form1,  p.Form16,  p.Form17,
                                           p.Form18, p.Form19, p.FLibrary};
    for (QWidget* window : windows) {
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->focusPolicy() != Qt::NoFocus && !qobject_cast<QMenu*>(control)) {
                EXPECT_NE(purposeOf(control), "")
                    << window->objectName().toStdString() << " " << control->metaObject()->className() << " "
                    << control->parent()->objectName().toStdString();
            }
        }
    }

    const struct {
        QWidget* control;
        const char* name;
    } named[] = {
        {p.Form1->SpeedButton1, "Resize"},
        {p.Form1->SpeedButton2, "Resize-Adjust"},
        {p.Form19->Edit1, "Picture #1 Horizontal"},
        {p.Form19->Edit2, "Picture #1 Vertical"},
        {p.Form19->Edit3, "Picture #2 Horizontal"},
        {p.Form19->Edit4, "Picture #2 Vertical"},
        {p.Form19->Edit5, "Stretch Pictures Horizontal"},
        {p.Form19->Edit6, "Stretch Pictures Vertical"},
        {p.Form17->ComboBox4, "Text colour"},
        {p.Form17->ComboBox2->list(), "Font"},
        {p.Form17->ComboBox3->list(), "Font size"},
        {form().Combofonte, "Font"},
        {form().combotaillefonte, "Font size"},
        {p.Form18->ComboBox5, "Kind of gradient"},
        {p.Form18->Image22, "Gradient (display)"},
        {p.FLibrary->C_CloneImage, "Chosen picture"},
        {p.Form16->Image2, "Slide frame"},
        {form().MyPicture, "Move and insert picture..."},
    };
    for (const auto& [control, name] : named)
        EXPECT_EQ(purposeOf(control), name) << control->objectName().toStdString();

    ui.modalActions.push_back(
        [](QDialog& language) { language.findChild<QAbstractButton*>(QStringLiteral("Button1"))->click(); });
    form().German1->trigger();
    const auto* group = p.Form19->findChild<QGroupBox*>(QStringLiteral("GroupBox1"));
    ASSERT_NE(group->title(), "Picture #1");
    EXPECT_EQ(nameOf(p.Form19->Edit1), (group->title() + " Horizontal").toStdString());
    EXPECT_EQ(nameOf(p.Form18->Image22),
              p.Form18->findChild<QLabel*>(QStringLiteral("Label1"))->text().toStdString());
}

// Each control is put a few pixels from the corner its drag stops at, then moved by the keys:
// one pixel, ten with Shift, never past the drag's limit.
TEST_F(Keyboard, ArrowKeysMoveWhatTheMouseDragsWithinTheDragLimits) {
    start();
    showMain();
    TForm15& f = form();
    TForm16& slide = *program->Form16;
    const struct {
        const char* what;
        QWidget* control;               // what takes the keys
        std::function<QWidget*()> show; // shows it and returns what moves
        QPoint limit;                   // the top-left corner a drag stops at
    } cases[] = {
        {"floating text",
         f.floatinglabel,
         [&] {
             f.FloatingtextBarredetexteflottante1->trigger();
             return f.floatinglabel;
         },
         {0, 65}},
        {"text bar grip",
         f.Image5,
         [&] {
             f.floatinglabelDblClick();
             return f.supfloat;
         },
         {0, 0}},
        {"added picture",
         f.MyPicture,
         [&] {
             f.MyPicture->setPicture(Picture(QImage(40, 30, QImage::Format_RGB32)));
             f.MyPicture->show();
             return f.MyPicture;
         },
         {0, 0}},
        {"slide frame",
         slide.Image2,
         [&] {
             slide.prepareFor(CoverMode::CdCover, Picture(QImage(900, 900, QImage::Format_RGB32)));
             slide.show();
             QApplication::setActiveWindow(&slide);
             return slide.Image2;
         },
         {0, 0}},
    };
    for (const auto& [what, control, show, limit] : cases) {
        SCOPED_TRACE(what);
        QWidget* moved = show();
        ASSERT_TRUE(control->isVisible());
        EXPECT_EQ(control->focusPolicy(), Qt::StrongFocus);
        const QImage unfocused = painted(control);
        control->setFocus();
        EXPECT_NE(painted(control), unfocused) << "no focus frame";

        moved->move(limit + QPoint(5, 5));
        const std::pair<QKeyCombination, QPoint> steps[] = {
            {Qt::Key_Left, {4, 5}},
            {Qt::ShiftModifier | Qt::Key_Left, {0, 5}},
            {Qt::ShiftModifier | Qt::Key_Up, {0, 0}},
            {Qt::Key_Down, {0, 1}},
            {Qt::ShiftModifier | Qt::Key_Right, {10, 1}},
        };
        for (const auto& [key, at] : steps) {
            QTest::keyClick(control, key.key(), key.keyboardModifiers());
            EXPECT_EQ(moved->pos() - limit, at) << QKeySequence(key).toString().toStdString();
        }
    }
    slide.hide();
}

TEST_F(Keyboard, EnterOpensTheTextBarAndTheMenuKeysTheFloatingTextsMenu) {
    start();
    showMain();
    form().FloatingtextBarredetexteflottante1->trigger();
    QLabel* text = form().floatinglabel;
    text->setFocus();
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Menu), Qt::ShiftModifier | Qt::Key_F10}) {
        QTest::keyClick(text, key.key(), key.keyboardModifiers());
        expectOpenMenu(form().PopupMenu1, "Floating text menu");
    }
    QTest::mouseClick(form().windowHandle(), Qt::RightButton, {},
                      form().centralWidget()->mapTo(&form(), QPoint(400, 300)));
    expectOpenMenu(form().PopupMenu2, "Cover menu");

    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_TRUE(form().supfloat->isVisible());
    EXPECT_FALSE(text->isVisible());
}

TEST_F(Keyboard, TabLeavesTheTextAreasEditorAndReachesAllColours) {
    start();
    TForm17& area = *program->Form17;
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    QApplication::setActiveWindow(&area);
    area.RichEdit1->setFocus();
    QTest::keyClicks(area.RichEdit1, "ab");
    QTest::keyClick(area.RichEdit1, Qt::Key_Tab);
    EXPECT_EQ(area.RichEdit1->toPlainText(), "ab");
    QStringList order;
    for (int i = 0; i < 12 && QApplication::focusWidget() != area.RichEdit1; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order.mid(0, 5),
              QStringList({"ComboBox2Edit", "ComboBox2List", "ComboBox4", "SpeedButton6", "ComboBox3Edit"}));
    area.hide();
}

} // namespace
