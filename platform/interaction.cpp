#include "platform/interaction.h"

#include <QDir>
#include <QUrl>

void openOrShowAddress(Interaction& ui, QWidget* owner, const QUrl& url) {
    if (ui.openExternally(url))
        return;
    const bool file = url.isLocalFile();
    const QString address = file ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
    ui.message(owner, QStringLiteral("The desktop did not open the %1. You can open it yourself:\n%2")
                          .arg(file ? QStringLiteral("file") : QStringLiteral("address"), address));
}
