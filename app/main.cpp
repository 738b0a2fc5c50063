#include "app/orbalin.h"
#include "platform/orbalinerror.h"
#include "platform/ownfolder.h"
#include "platform/programfolder.h"
#include "platform/qt/application.h"
#include "platform/qt/qtinteraction.h"
#include "platform/qt/qtprinterport.h"
#include "platform/qt/singleprogram.h"
#include "platform/safewrite.h"

#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

namespace {
// Without a display Qt would abort with a cryptic message; say how to run the program instead.
bool displayAvailable() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

const char kNeedsADisplay[] =
    "Orbalin is a desktop program and needs a graphical display.\n"
    "Start it from a desktop session, or without one run it under a virtual display:\n"
    "    xvfb-run -a ./orbalin\n"
    "(Debian package xvfb), or with QT_QPA_PLATFORM=offscreen for a headless check.\n";

// A display that is named but does not answer makes Qt give up while the application is made,
// with its own words and an abort: the program says its own sentence and ends with status 1.
// What Qt says before is kept back until the application is made.
QStringList& heldBack() {
    static QStringList messages;
    return messages;
}

void displayGoneHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        heldBack() << message;
        return;
    }
    std::fprintf(stderr, "The display \"%s\" does not answer.\n%s", qgetenv("DISPLAY").constData(),
                 kNeedsADisplay);
    std::_Exit(1);
}

// For checking an installed program folder without anyone at the screen (ORBALIN_QUIT_AFTER_START
// set): the program starts as usual and quits once its main window is up. Each message it shows
// meanwhile, such as a program file it could not load, is printed and closed, and makes the exit
// status 2.
class StartCheck {
public:
    StartCheck() {
        watcher_.setInterval(50);
        QObject::connect(&watcher_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                std::fprintf(stderr, "Orbalin says: %s\n", qPrintable(box->text()));
                ++messages_;
                box->done(QMessageBox::Ok);
            }
        });
        watcher_.start();
    }
    int quit() {
        QTimer::singleShot(0, [this] { QApplication::exit(messages_ > 0 ? 2 : 0); });
        return QApplication::exec();
    }

private:
    QTimer watcher_;
    int messages_ = 0;
};
} // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fputs(kNeedsADisplay, stderr);
        return 1;
    }
    const QtMessageHandler previous = qInstallMessageHandler(displayGoneHandler);
    OrbalinApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString& message : std::exchange(heldBack(), {}))
        std::fprintf(stderr, "%s\n", qPrintable(message));
    QtInteraction ui;
    QtPrinterPort printer;
    const QString programFolder = runningProgramFolder();
    const OwnFolders own = foldersForOwnFiles(programFolder, userFolders());
    std::optional<StartCheck> startCheck;
    if (qEnvironmentVariableIsSet("ORBALIN_QUIT_AFTER_START"))
        startCheck.emplace();
    if (own.own.isEmpty()) { // not even a private folder: nowhere to write a working picture
        QMessageBox::critical(nullptr, QStringLiteral("Orbalin"), own.problem);
        return startCheck ? 2 : 0;
    }
    QtInteraction::keepDialogStateIn(own.own);
    // Its working pictures and choices lie in its own folder: one program runs per such folder.
    SingleProgram single(own.own);
    switch (single.start()) {
    case SingleProgram::Start::First:
        break;
    case SingleProgram::Start::HandedOver:
        return 0;
    case SingleProgram::Start::Unreachable:
        QMessageBox::information(nullptr, QStringLiteral("Orbalin"),
                                 SingleProgram::alreadyRunning(shownFolderName(programFolder)));
        return startCheck ? 2 : 0;
    }
    removeStagedLeftovers(own.own);
    removeStagedLeftovers(own.work);
    if (!own.problem.isEmpty())
        QMessageBox::warning(nullptr, QStringLiteral("Orbalin"), own.problem);
    try {
        Orbalin program({programFolder, ui, printer, 2000, labelStockFolders(), own.own, own.work});
        single.onLaterStart([&program] { program.comeForward(); });
        return startCheck ? startCheck->quit() : QApplication::exec();
    } catch (const OrbalinError& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Orbalin"), error.message());
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Orbalin"), QString::fromLocal8Bit(error.what()));
    }
    return startCheck ? 2 : 0; // the program could not start
}
