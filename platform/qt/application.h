#pragma once

#include <QApplication>
#include <functional>

// The application object. Qt's own code is built without exception support, so an exception must
// never unwind through it: handlers connected to signals are wrapped with reportingErrors(), which
// catches where the exception arises. notify() is the last safety net for event overrides.
class OrbalinApplication : public QApplication {
public:
    using ErrorReporter = std::function<void(const QString&)>;

    OrbalinApplication(int& argc, char** argv);
    ~OrbalinApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // Who shows the message; without one, messages go to the log.
    static void setErrorReporter(ErrorReporter reporter);
    static void reportError(const QString& message);
};

// Runs an action, turning an exception into a reported error; returns whether it succeeded.
bool runReportingErrors(const std::function<void()>& action);

// A slot that runs the handler and reports what it throws, for connecting to any signal.
template <typename Handler> auto reportingErrors(Handler handler) {
    return [handler = std::move(handler)] { runReportingErrors(handler); };
}
