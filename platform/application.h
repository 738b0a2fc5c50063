#pragma once

#include <QApplication>
#include <functional>

// The application object: every event goes through notify(), so an exception that escapes any
// handler is caught here, shown to the user, and the event loop goes on.
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
