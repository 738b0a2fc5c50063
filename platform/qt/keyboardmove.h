#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <optional>

class QKeyEvent;
class QWidget;

// The keys that stand in for a drag: an arrow moves by one pixel, by ten with Shift.
std::optional<QPoint> arrowStep(const QKeyEvent& key);

// Makes a control the user drags also usable from the keyboard: it takes focus from Tab and a
// click and shows a dashed frame while it has it; an arrow key hands `move` its step (the caller
// puts it through the same clamp as a drag); Enter runs `open` when one is given; the Menu key
// and Shift+F10 ask for the control's context menu, as a right click does. The control's accessible
// description tells these keys; `opens` says what Enter does ("changes the text").
void moveWithKeys(QWidget* control, std::function<void(QPoint step)> move, std::function<void()> open = {},
                  const QString& opens = {});

// What the keys of moveWithKeys do for a control, in a sentence or three.
QString movingKeysDescription(const QString& opens, bool hasMenu);
