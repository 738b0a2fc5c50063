#pragma once

#include <QApplication>
#include <QDialog>
#include <QMetaObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

// A user working through real modal dialogs, one step per dialog: each step waits until a dialog
// of its class (or object name) is the active modal window, then acts on it. A control that opens another
// modal dialog must be pressed with press(), which lets the step return first (a timer's handler is not
// entered again while it runs). After a few seconds a watchdog rejects whatever is still open, so
// a test fails instead of hanging.
class ModalUser {
public:
    using Step = std::function<void(QDialog&)>;

    ModalUser& then(const char* dialog, Step step) {
        steps_.push_back({dialog, std::move(step)});
        return *this;
    }

    // Runs `open`, which blocks while its dialogs are shown; true when every step ran in time.
    bool run(const std::function<void()>& open) {
        QTimer user;
        user.setInterval(10);
        QObject::connect(&user, &QTimer::timeout, [this] {
            auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (steps_.empty() || shown == nullptr)
                return;
            const char* wanted = steps_.front().dialog;
            if (!shown->inherits(wanted) && shown->objectName() != QLatin1String(wanted))
                return;
            const Step step = std::move(steps_.front().step);
            steps_.pop_front();
            step(*shown);
        });
        QTimer watchdog;
        watchdog.setInterval(8000);
        QObject::connect(&watchdog, &QTimer::timeout, [&watchdog] {
            watchdog.setInterval(100);
            if (auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "still open: " << shown->metaObject()->className();
                shown->reject();
            }
        });
        user.start();
        watchdog.start();
        open();
        return steps_.empty();
    }

    static void press(QObject* control) { QMetaObject::invokeMethod(control, "click", Qt::QueuedConnection); }

private:
    struct Pending {
        const char* dialog;
        Step step;
    };
    std::deque<Pending> steps_;
};
