#include "app/orbalin.h"
#include "platform/qt/application.h"
#include "platform/orbalinerror.h"
#include "platform/qt/qtinteraction.h"
#include "platform/qt/qtprinterport.h"

#include <QDir>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace {
// Without a display Qt would abort with a cryptic message; say how to run the program instead.
bool displayAvailable() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}
} // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fputs("Orbalin is a desktop program and needs a graphical display.\n"
                   "Start it from a desktop session, or without one run it under a virtual display:\n"
                   "    xvfb-run -a ./orbalin\n"
                   "(Debian package xvfb), or with QT_QPA_PLATFORM=offscreen for a headless check.\n",
                   stderr);
        return 1;
    }
    OrbalinApplication app(argc, argv);
    QtInteraction ui;
    QtPrinterPort printer;
    const QString programFolder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    try {
        Orbalin program({programFolder, ui, printer});
        return QApplication::exec();
    } catch (const OrbalinError& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Orbalin"), error.message());
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Orbalin"), QString::fromLocal8Bit(error.what()));
    }
    return 0;
}
