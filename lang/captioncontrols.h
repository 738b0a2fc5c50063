#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

class QGroupBox;
class QObject;
class QWidget;

// The controls the caption table names, found in the running program by object name.

// The main window itself, or one of the windows it owns, by its object name; nullptr if none.
QWidget* captionWindow(QWidget& mainWindow, std::string_view name);

// The window's own objects named `name`, not looking into the windows it owns.
QList<QObject*> controlsNamed(const QWidget& window, std::string_view name);

// The caption a control shows as the user reads it, or nothing for an object without one.
std::optional<QString> captionShown(const QObject* control);

// Shows `text` as the control's caption, as plain text: an ampersand stays an ampersand and a
// tag stays a tag.
void setCaption(QObject* control, const QString& text);

// Names each field of the group by the group's title and the label tied to the field, as
// "Picture #1 Horizontal": the label alone would not tell the groups' fields apart. A change of the
// group's caption names them again.
void nameFieldsByGroup(const QGroupBox& group);

// Gives every control of the caption table the text of its line; `lines` holds at least
// kLanguageFileLineCount lines, the first file line at index 0.
void applyCaptions(QWidget& mainWindow, const QStringList& lines);
