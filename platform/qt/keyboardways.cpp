#include "platform/qt/keyboardways.h"

#include "platform/qt/application.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

namespace {

bool isEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

bool plain(const QKeyEvent& key) {
    return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Sees the keys the focused control leaves unanswered, on their way up to the window.
class KeyWays : public QObject {
public:
    KeyWays(QWidget* area, std::function<void()> leave)
        : QObject(area), area_(area), leave_(std::move(leave)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != area_ || event->type() != QEvent::KeyPress)
            return false;
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!plain(key))
            return false;
        if (isEnter(key) && !leave_) {
            auto* button = qobject_cast<QAbstractButton*>(area_->window()->focusWidget());
            if (button == nullptr || !button->isEnabled() || !area_->isAncestorOf(button))
                return false;
            button->click();
            return true;
        }
        if (key.key() == Qt::Key_Escape && leave_) {
            runReportingErrors(leave_);
            return true;
        }
        return false;
    }

private:
    QWidget* area_;
    std::function<void()> leave_;
};

} // namespace

void pressFocusedButtonWithEnter(QWidget* area) {
    area->installEventFilter(new KeyWays(area, {}));
}

void leaveWithEscape(QWidget* area, std::function<void()> leave) {
    area->installEventFilter(new KeyWays(area, std::move(leave)));
}
