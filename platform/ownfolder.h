#pragma once

#include <QString>

// Where the program keeps the files it writes itself (calibrations, the language and print
// choices, its working pictures): its own folder while it can write there, as a per-user install
// or a build folder can, else `userDataFolder` (the user's $XDG_DATA_HOME/orbalin), made when
// missing. A program folder installed for all users by a package holds kSharedInstallMarker and is
// never written, not even by root, so that removing the package leaves nothing behind. Both with a
// trailing separator. Empty when neither can be written.
inline constexpr char kSharedInstallMarker[] = "shared-install";
QString folderForOwnFiles(const QString& programFolder, const QString& userDataFolder);
