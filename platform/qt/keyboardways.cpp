#include "platform/qt/keyboardways.h"

#include "platform/qt/application.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

namespace {

bool isEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// Takes one key, without modifiers, on its way through `area`: pressed in it, or left unanswered
// by the focused control inside it. `answer` says whether it took the key.
class KeyWay : public QObject {
public:
    KeyWay(QWidget* area, bool (*matches)(const QKeyEvent&), std::function<bool()> answer)
        : QObject(area), area_(area), matches_(matches), answer_(std::move(answer)) {
        area->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != area_ || event->type() != QEvent::KeyPress)
            return false;
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || !matches_(key))
            return false;
        bool taken = false;
        runReportingErrors([&] { taken = answer_(); });
        return taken;
    }

private:
    QWidget* area_;
    bool (*matches_)(const QKeyEvent&);
    std::function<bool()> answer_;
};

} // namespace

void pressFocusedButtonWithEnter(QWidget* area) {
    new KeyWay(area, isEnter, [area] {
        auto* button = qobject_cast<QAbstractButton*>(area->window()->focusWidget());
        if (button == nullptr || !button->isEnabled() || !area->isAncestorOf(button))
            return false;
        button->click();
        return true;
    });
}

void leaveWithEscape(QWidget* area, std::function<void()> leave) {
    new KeyWay(
        area, [](const QKeyEvent& key) { return key.key() == Qt::Key_Escape; },
        [leave = std::move(leave)] {
            leave();
            return true;
        });
}

void acceptWithEnter(QWidget* field, std::function<void()> accept) {
    new KeyWay(field, isEnter, [accept = std::move(accept)] {
        accept();
        return true;
    });
}
