// The captions the windows show right after start-up are the English texts of the caption table,
// found by the object names a language file's lines are applied to.
#include "app/tform1.h"
#include "lang/captiontable.h"
#include "support/programfixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <optional>

namespace {

QString nameOf(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// The window's own objects named `name`, without entering the windows it owns.
void collectNamed(const QObject* parent, const QString& name, QList<QObject*>& found) {
    for (QObject* child : parent->children()) {
        if (qobject_cast<QDialog*>(child) != nullptr)
            continue;
        if (child->objectName() == name)
            found << child;
        collectNamed(child, name, found);
    }
}

QList<QObject*> controlsNamed(const QWidget& window, std::string_view name) {
    QList<QObject*> found;
    collectNamed(&window, nameOf(name), found);
    return found;
}

std::optional<QString> captionShown(const QObject* control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(control))
        return group->title();
    if (const auto* menu = qobject_cast<const QMenu*>(control))
        return menu->title();
    if (const auto* action = qobject_cast<const QAction*>(control))
        return action->text();
    return std::nullopt;
}

class Captions : public ProgramTest {
protected:
    // The main window or one of the windows it owns.
    QWidget* window(std::string_view name) {
        if (form().objectName() == nameOf(name))
            return &form();
        return form().findChild<QDialog*>(nameOf(name), Qt::FindDirectChildrenOnly);
    }
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
    QList<const QMenu*> menus{form().PopupMenu1, form().PopupMenu2, form().PopupMenu3};
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
