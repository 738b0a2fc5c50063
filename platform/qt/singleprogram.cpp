#include "platform/qt/singleprogram.h"

#include "platform/ownfolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSysInfo>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QByteArray kGreeting = "orbalin\n";

QString folderKey(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    const QString name = canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
    return QString::fromLatin1(
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

// The lock in the folder itself, or, where the folder cannot hold one, in the private folder.
QStringList lockPlaces(const QString& folder) {
    QStringList places;
    if (!folder.isEmpty())
        places << QDir(folder).filePath(QStringLiteral("orbalin.lock"));
    if (const QString runtime = privateRuntimeFolder(); !runtime.isEmpty())
        places << runtime + QStringLiteral("orbalin-%1.lock").arg(folderKey(folder));
    return places;
}

// A holder that runs on this machine. Qt itself clears a lock whose holder has ended.
bool liveHolder(const QLockFile& lock) {
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application) || pid <= 0 || host != QSysInfo::machineHostName())
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// Removes the link itself, never what it leads to.
bool clearDeadLock(const QString& place) {
    const QFileInfo info(place);
    if (info.isDir() && !info.isSymLink())
        return QDir().rmdir(place);
    return ::unlink(QFile::encodeName(place).constData()) == 0;
}

bool peerIsThisUser(const QLocalSocket& socket) {
#ifdef SO_PEERCRED
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::getuid();
#else
    Q_UNUSED(socket);
    return true; // the private folder alone keeps others out
#endif
}

bool greeted(QLocalSocket& socket, int waitMs) {
    QElapsedTimer clock;
    clock.start();
    QByteArray said;
    while (said.size() < kGreeting.size() &&
           socket.waitForReadyRead(int(qMax<qint64>(1, waitMs - clock.elapsed()))))
        said += socket.read(kGreeting.size() - said.size());
    return said == kGreeting;
}

// How long a start waits for the listener to be there, and then for its greeting. A live holder
// may still be making its windows; a lock with none is only asked whether anyone answers for it.
constexpr int kListeningForALiveHolder = 3000;
constexpr int kGreetingFromALiveHolder = 10000;
constexpr int kListeningForNoHolder = 300;
constexpr int kGreetingForNoHolder = 1000;

} // namespace

SingleProgram::SingleProgram(const QString& folder) : folder_(folder), serverPath_(serverPath(folder)) {
    QObject::connect(&server_, &QLocalServer::newConnection, [this] {
        while (QLocalSocket* later = server_.nextPendingConnection()) {
            QObject::connect(later, &QLocalSocket::disconnected, later, &QObject::deleteLater);
            later->write(kGreeting);
            later->disconnectFromServer(); // once the greeting is written
            if (comeForward_)
                comeForward_();
        }
    });
}

SingleProgram::~SingleProgram() = default;

QString SingleProgram::serverPath(const QString& folder) {
    const QString runtime = privateRuntimeFolder();
    return runtime.isEmpty() ? QString() : runtime + QStringLiteral("orbalin-%1.sock").arg(folderKey(folder));
}

SingleProgram::Start SingleProgram::start() {
    for (const QString& place : lockPlaces(folder_)) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            auto lock = std::make_unique<QLockFile>(place);
            // The age of a lock says nothing: the program holding it may run for days.
            lock->setStaleLockTime(0);
            if (lock->tryLock(0))
                return startFirst(std::move(lock));
            if (lock->error() != QLockFile::LockFailedError)
                break; // this place cannot hold a lock
            bool live = liveHolder(*lock);
            Answer answer = live ? askRunningProgram(kListeningForALiveHolder, kGreetingFromALiveHolder)
                                 : askRunningProgram(kListeningForNoHolder, kGreetingForNoHolder);
            // A holder that has just made its lock takes a moment to write it.
            if (answer != Answer::CameForward && !live && liveHolder(*lock)) {
                live = true;
                answer = askRunningProgram(kListeningForALiveHolder, kGreetingFromALiveHolder);
            }
            if (answer == Answer::CameForward)
                return Start::HandedOver;
            if (live)
                return Start::Unreachable;
            if (!clearDeadLock(place))
                break; // a folder with files in it: the next place
        }
    }
    return startFirst(nullptr); // no place to lock: the start goes on as the only one it knows of
}

SingleProgram::Start SingleProgram::startFirst(std::unique_ptr<QLockFile> lock) {
    lock_ = std::move(lock);
    if (!serverPath_.isEmpty()) {
        // A socket left by a killed program, or one that is not ours, would refuse the name.
        QLocalServer::removeServer(serverPath_);
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        server_.listen(serverPath_);
    }
    return Start::First;
}

void SingleProgram::onLaterStart(std::function<void()> comeForward) {
    comeForward_ = std::move(comeForward);
}

// Only a listener of this user that greets as the program does counts as the running program.
SingleProgram::Answer SingleProgram::askRunningProgram(int listeningMs, int greetingMs) const {
    if (serverPath_.isEmpty())
        return Answer::NoOne;
    QElapsedTimer clock;
    clock.start();
    do {
        QLocalSocket socket;
        socket.connectToServer(serverPath_);
        if (socket.waitForConnected(500)) {
            if (!peerIsThisUser(socket))
                return Answer::NoOne;
            return greeted(socket, greetingMs) ? Answer::CameForward : Answer::Silent;
        }
        QThread::msleep(100);
    } while (!clock.hasExpired(listeningMs));
    return Answer::NoOne;
}

QString SingleProgram::alreadyRunning(const QString& programFolder) {
    return QStringLiteral("Orbalin is already running from the folder %1. Switch to its window, or close it "
                          "before starting Orbalin again.")
        .arg(QDir::toNativeSeparators(programFolder));
}
