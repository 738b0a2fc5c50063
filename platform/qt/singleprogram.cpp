#include "platform/qt/singleprogram.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <unistd.h>

namespace {

QString canonicalFolder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
}

QString folderKey(const QString& folder) {
    return QString::fromLatin1(
        QCryptographicHash::hash(canonicalFolder(folder).toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

// Tries the lock in the folder, or, where the folder is not writable, in the user's runtime folder.
std::unique_ptr<QLockFile> lockFor(const QString& folder, bool& held) {
    QStringList places{QDir(folder).filePath(QStringLiteral("orbalin.lock"))};
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    places << QDir(runtime.isEmpty() ? QDir::tempPath() : runtime)
                  .filePath(QStringLiteral("orbalin-%1.lock").arg(folderKey(folder)));
    std::unique_ptr<QLockFile> lock;
    for (const QString& place : places) {
        lock = std::make_unique<QLockFile>(place);
        // The age of a lock says nothing: the program holding it may run for days. Only a holder
        // that no longer runs makes it stale.
        lock->setStaleLockTime(0);
        held = lock->tryLock(0);
        if (held || lock->error() == QLockFile::LockFailedError)
            return lock;
    }
    held = false; // no place to lock: the start goes on as the only one it knows of
    return nullptr;
}

} // namespace

SingleProgram::SingleProgram(const QString& programFolder)
    : folder_(programFolder),
      serverName_(QStringLiteral("orbalin-%1-%2").arg(folderKey(programFolder)).arg(::getuid())) {
    QObject::connect(&server_, &QLocalServer::newConnection, [this] {
        while (QLocalSocket* later = server_.nextPendingConnection()) {
            later->disconnectFromServer();
            later->deleteLater();
            if (comeForward_)
                comeForward_();
        }
    });
}

SingleProgram::~SingleProgram() = default;

SingleProgram::Start SingleProgram::start() {
    bool held = false;
    lock_ = lockFor(folder_, held);
    if (held || lock_ == nullptr) {
        // A socket left by a killed program would refuse the name.
        QLocalServer::removeServer(serverName_);
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        server_.listen(serverName_);
        return Start::First;
    }
    return askRunningProgram() ? Start::HandedOver : Start::Unreachable;
}

void SingleProgram::onLaterStart(std::function<void()> comeForward) {
    comeForward_ = std::move(comeForward);
}

// The running program may have taken the lock a moment ago and not listen yet.
bool SingleProgram::askRunningProgram() const {
    QElapsedTimer clock;
    clock.start();
    do {
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(500)) {
            socket.write("forward\n");
            socket.waitForBytesWritten(500);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(100);
    } while (!clock.hasExpired(3000));
    return false;
}

QString SingleProgram::alreadyRunning(const QString& programFolder) {
    return QStringLiteral("Orbalin is already running from the folder %1. Switch to its window, or close it "
                          "before starting Orbalin again.")
        .arg(QDir::toNativeSeparators(programFolder));
}
