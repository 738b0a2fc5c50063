// The captions the windows show right after start-up are the English texts of the caption table,
// found by the object names a language file's lines are applied to.
#include "app/tform1.h"
#include "lang/captioncontrols.h"
#include "lang/captiontable.h"
#include "support/programfixture.h"

#include <QMenu>
#include <QMenuBar>

namespace {

class Captions : public ProgramTest {
protected:
    QWidget* window(std::string_view name) { return captionWindow(form(), name); }
};

TEST_F(Captions, BuiltControlsShowTheirEnglishLine) {
    start();
    for (const CaptionRow& row : captionTable()) {
        const std::string where = "line " + std::to_string(row.line) + ", " + std::string(row.window) + " " +
                                  std::string(row.control);
        const QWidget* shownBy = window(row.window);
        ASSERT_NE(shownBy, nullptr) << where << ": no such window";
        if (row.control == kWindowCaption) {
            EXPECT_EQ(shownBy->windowTitle().toStdString(), row.english) << where;
            continue;
        }
        const QList<QObject*> controls = controlsNamed(*shownBy, row.control);
        if (isCaptionPending(row)) {
            EXPECT_TRUE(controls.isEmpty()) << where << " is built now: take it off the pending captions";
            continue;
        }
        if (controls.size() != 1) {
            ADD_FAILURE() << where << ": " << controls.size() << " controls of that name";
            continue;
        }
        const std::optional<QString> caption = captionShown(controls.front());
        if (!caption) {
            ADD_FAILURE() << where << ": a " << controls.front()->metaObject()->className()
                          << " has no caption";
            continue;
        }
        EXPECT_EQ(caption->toStdString(), row.english) << where;
    }
}

// A language file reaches a menu or an item only through its object name.
TEST_F(Captions, EveryMenuAndMenuItemOfTheMainWindowIsNamed) {
    start();
    QList<const QMenu*> menus{&control<QMenu>(form(), "PopupMenu1"), &control<QMenu>(form(), "PopupMenu2"),
                              &control<QMenu>(form(), "PopupMenu3")};
    for (const QAction* title : form().menuBar()->actions())
        menus << title->menu();
    for (const QMenu* menu : menus) {
        ASSERT_NE(menu, nullptr);
        EXPECT_FALSE(menu->objectName().isEmpty()) << menu->title().toStdString();
        for (const QAction* action : menu->actions())
            EXPECT_TRUE(action->isSeparator() || !action->objectName().isEmpty())
                << menu->objectName().toStdString() << ": " << action->text().toStdString();
    }
}

TEST_F(Captions, AdjustWindowHasTheMainWindowFace) {
    start();
    const QColor face = program->Form1->palette().color(QPalette::Window);
    EXPECT_EQ(face, QColor(236, 233, 216)); // 14215660
    EXPECT_EQ(face, form().palette().color(QPalette::Window));
}

} // namespace
