#include "platform/qt/application.h"

#include "platform/orbalinerror.h"

#include <QDebug>

namespace {
OrbalinApplication::ErrorReporter& reporter() {
    static OrbalinApplication::ErrorReporter instance;
    return instance;
}
} // namespace

OrbalinApplication::OrbalinApplication(int& argc, char** argv) : QApplication(argc, argv) {}

OrbalinApplication::~OrbalinApplication() {
    reporter() = nullptr;
}

void OrbalinApplication::setErrorReporter(ErrorReporter newReporter) {
    reporter() = std::move(newReporter);
}

void OrbalinApplication::reportError(const QString& message) {
    if (!reporter()) {
        qWarning().noquote() << message;
        return;
    }
    try {
        reporter()(message);
    } catch (...) {
        qWarning().noquote() << "Could not show the error:" << message;
    }
}

bool runReportingErrors(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const OrbalinError& error) {
        OrbalinApplication::reportError(error.message());
    } catch (const std::bad_alloc&) {
        OrbalinApplication::reportError(QStringLiteral("Not enough memory to complete the action."));
    } catch (const std::exception& error) {
        OrbalinApplication::reportError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        OrbalinApplication::reportError(QStringLiteral("An unexpected error stopped the action."));
    }
    return false;
}

bool OrbalinApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    runReportingErrors([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
