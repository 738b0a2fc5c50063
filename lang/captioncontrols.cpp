#include "lang/captioncontrols.h"

#include "lang/captiontable.h"
#include "lang/menukeys.h"
#include "lang/mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace {

QString nameOf(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void collectNamed(const QObject* parent, const QString& name, QList<QObject*>& found) {
    for (QObject* child : parent->children()) {
        if (qobject_cast<QDialog*>(child) != nullptr)
            continue;
        if (child->objectName() == name)
            found << child;
        collectNamed(child, name, found);
    }
}

// Buttons and menu items take "&" as the mark of a shortcut letter; a caption shows it as typed.
QString withoutShortcutMarks(QString text) {
    return text.replace(QLatin1String("&"), QLatin1String("&&"));
}

} // namespace

QWidget* captionWindow(QWidget& mainWindow, std::string_view name) {
    if (mainWindow.objectName() == nameOf(name))
        return &mainWindow;
    return mainWindow.findChild<QDialog*>(nameOf(name), Qt::FindDirectChildrenOnly);
}

QList<QObject*> controlsNamed(const QWidget& window, std::string_view name) {
    QList<QObject*> found;
    collectNamed(&window, nameOf(name), found);
    return found;
}

std::optional<QString> captionShown(const QObject* control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return plainCaption(button->text());
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(control))
        return plainCaption(group->title());
    if (const auto* menu = qobject_cast<const QMenu*>(control))
        return plainCaption(menu->title());
    if (const auto* action = qobject_cast<const QAction*>(control))
        return plainCaption(action->text());
    return std::nullopt;
}

void setCaption(QObject* control, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        // A name given apart from the caption (a glyph button's hint) stays; one that is the
        // caption, with or without the dots of a button that opens a dialog, follows it.
        const QString shown = plainCaption(button->text());
        const QString name = button->accessibleName();
        if (name == shown)
            button->setAccessibleName(text);
        else if (shown.endsWith(QLatin1String("...")) && name == shown.chopped(3))
            button->setAccessibleName(text.endsWith(QLatin1String("...")) ? text.chopped(3) : text);
        button->setText(withoutShortcutMarks(text));
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        // A one-line label was sized to its English text; it grows or shrinks with its caption.
        const bool sizedToText = !label->wordWrap() && label->size() == label->sizeHint();
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
        if (sizedToText)
            label->adjustSize();
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(withoutShortcutMarks(text));
        nameFieldsByGroup(*group);
    } else if (auto* menu = qobject_cast<QMenu*>(control)) {
        menu->setTitle(withoutShortcutMarks(text));
    } else if (auto* action = qobject_cast<QAction*>(control)) {
        action->setText(withoutShortcutMarks(text));
    }
}

void nameFieldsByGroup(const QGroupBox& group) {
    const QString title = plainCaption(group.title());
    for (const QLabel* label : group.findChildren<QLabel*>())
        if (label->buddy() != nullptr)
            label->buddy()->setAccessibleName(title + QLatin1Char(' ') + label->text());
}

void applyCaptions(QWidget& mainWindow, const QStringList& lines) {
    for (const CaptionRow& row : captionTable()) {
        QWidget* window = captionWindow(mainWindow, row.window);
        if (window == nullptr || row.line > lines.size())
            continue;
        const QString& text = lines[row.line - 1];
        if (row.control == kWindowCaption) {
            window->setWindowTitle(text);
            continue;
        }
        for (QObject* control : controlsNamed(*window, row.control))
            setCaption(control, text);
    }
    for (QMenuBar* bar : mainWindow.findChildren<QMenuBar*>())
        markMenuTitles(*bar);
}
