#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

// Routes a control's mouse events to handlers, in the control's own coordinates, so that a
// window can give each of its controls MouseDown / MouseMove / MouseUp / DblClick handlers
// without one event filter that knows them all. Handlers that throw are reported like any other.
struct MouseHandlers {
    std::function<void(Qt::MouseButton, QPoint)> down;
    std::function<void(Qt::MouseButtons, QPoint)> move;
    std::function<void(Qt::MouseButton, QPoint)> up;
    std::function<void()> doubleClick;
};

// Installs the handlers on `control` (owned by it); the control gets mouse tracking when a move
// handler is given. Returns true from the filter for the events it handled.
void routeMouse(QWidget* control, MouseHandlers handlers);
