#include "platform/ownfolder.h"

#include "platform/filemessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <system_error>
#include <unistd.h>

namespace {

// Asking for the folder's permission bits is not enough: a read-only mount or an access control
// list can refuse what they allow. A file made and removed answers for certain.
std::optional<QString> cannotWriteIn(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("orbalin-probe-XXXXXX"));
    if (probe.open())
        return std::nullopt;
    return sentence(probe.errorString());
}

// Makes the folder; why it cannot be made or written, or nothing.
std::optional<QString> unusable(const QString& folder) {
    if (folder.isEmpty())
        return QStringLiteral("There is no home folder to put it in (HOME is not set).");
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
    if (error)
        return sentence(QString::fromStdString(error.message()));
    return cannotWriteIn(folder);
}

QString environmentFolder(const char* name) {
    const QString path = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(path) ? QDir::cleanPath(path) : QString();
}

QString homeFolder() {
    if (QString home = environmentFolder("HOME"); !home.isEmpty())
        return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? QDir::cleanPath(QFile::decodeName(entry->pw_dir))
                                                        : QString();
}

QString orbalinIn(QString base, const QString& home, const char* underHome) {
    if (base.isEmpty() && !home.isEmpty())
        base = home + QLatin1String(underHome);
    return base.isEmpty() ? QString() : base + QStringLiteral("/orbalin/");
}

// Room for "/orbalin-<16 hex digits>.sock" in a socket's address.
bool roomForSocket(const QString& folder) {
    constexpr qsizetype nameLength = 30;
    return QFile::encodeName(folder).size() + nameLength < qsizetype(sizeof(sockaddr_un::sun_path));
}

bool onlyMine(const QString& folder) {
    struct stat status {};
    return ::lstat(QFile::encodeName(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::getuid() && (status.st_mode & 077) == 0;
}

} // namespace

UserFolders userFolders() {
    const QString home = homeFolder();
    return {orbalinIn(environmentFolder("XDG_DATA_HOME"), home, "/.local/share"),
            orbalinIn(environmentFolder("XDG_CACHE_HOME"), home, "/.cache")};
}

OwnFolders foldersForOwnFiles(const QString& programFolder, const UserFolders& user) {
    const bool shared = QFileInfo::exists(programFolder + QLatin1String(kSharedInstallMarker));
    if (!shared && !programFolder.isEmpty() && !cannotWriteIn(programFolder))
        return {programFolder, programFolder, {}};
    OwnFolders folders{user.data, user.cache, {}};
    const std::optional<QString> dataProblem = unusable(user.data);
    if (dataProblem)
        folders.problem =
            QStringLiteral("Orbalin cannot keep your calibrations and choices: the folder \"%1\" cannot be "
                           "made or written: %2 They cannot be saved until it can.")
                .arg(shownPath(user.data.isEmpty() ? QStringLiteral("~/.local/share/orbalin/") : user.data),
                     *dataProblem);
    if (unusable(user.cache)) {
        const QString runtime = privateRuntimeFolder();
        if (!dataProblem)
            folders.work = user.data;
        else if (!runtime.isEmpty())
            folders.work = runtime;
    }
    if (folders.own.isEmpty()) // no home: the private folder serves while it lasts, if there is one
        folders.own = folders.work;
    return folders;
}

QString privateRuntimeFolder() {
    const QString runtime = environmentFolder("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && onlyMine(runtime) && roomForSocket(runtime))
        return runtime + QLatin1Char('/');
    const QString mine = QStringLiteral("/orbalin-%1").arg(::getuid());
    for (const QString& base : {QDir::tempPath(), QStringLiteral("/tmp")}) {
        const QString folder = QDir::cleanPath(base) + mine;
        if (!roomForSocket(folder))
            continue;
        ::mkdir(QFile::encodeName(folder).constData(), 0700); // one already there is judged below
        if (onlyMine(folder))
            return folder + QLatin1Char('/');
    }
    return {};
}
