#include "platform/ownfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

// Asking for the folder's permission bits is not enough: a read-only mount or an access control
// list can refuse what they allow. A file made and removed answers for certain.
bool canWriteIn(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("orbalin-probe-XXXXXX"));
    return probe.open();
}

} // namespace

QString folderForOwnFiles(const QString& programFolder, const QString& userDataFolder) {
    const bool shared = QFileInfo::exists(programFolder + QLatin1String(kSharedInstallMarker));
    if (!shared && canWriteIn(programFolder))
        return programFolder;
    if (!QDir().mkpath(userDataFolder) || !canWriteIn(userDataFolder))
        return {};
    return userDataFolder;
}
