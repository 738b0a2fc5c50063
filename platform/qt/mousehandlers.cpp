#include "platform/qt/mousehandlers.h"

#include "platform/qt/application.h"

#include <QMouseEvent>
#include <QWidget>

namespace {
class MouseRouter : public QObject {
public:
    MouseRouter(QWidget* control, MouseHandlers handlers) : QObject(control), handlers_(std::move(handlers)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const auto* mouse = dynamic_cast<QMouseEvent*>(event);
        if (mouse == nullptr)
            return false;
        const QPoint at = mouse->position().toPoint();
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            return run(handlers_.down, mouse->button(), at);
        case QEvent::MouseMove:
            return run(handlers_.move, mouse->buttons(), at);
        case QEvent::MouseButtonRelease:
            return run(handlers_.up, mouse->button(), at);
        case QEvent::MouseButtonDblClick:
            if (!handlers_.doubleClick)
                return false;
            runReportingErrors(handlers_.doubleClick);
            return true;
        default:
            return false;
        }
    }

private:
    template <typename Handler, typename Buttons> static bool run(const Handler& handler, Buttons buttons, QPoint at) {
        if (!handler)
            return false;
        runReportingErrors([&] { handler(buttons, at); });
        return true;
    }

    MouseHandlers handlers_;
};
} // namespace

void routeMouse(QWidget* control, MouseHandlers handlers) {
    if (handlers.move)
        control->setMouseTracking(true);
    control->installEventFilter(new MouseRouter(control, std::move(handlers)));
}
