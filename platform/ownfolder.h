#pragma once

#include <QString>

// Where the program keeps the files it writes itself. A program folder it can write, as a per-user
// install or a build folder can, holds them all. A program folder installed for all users by a
// package holds kSharedInstallMarker and is never written, not even by root, so that removing the
// package leaves nothing behind; neither is one the program cannot write. Then the user's
// calibrations and choices go to their data folder ($XDG_DATA_HOME/orbalin), and the working
// pictures, which a fit makes again, to their cache folder ($XDG_CACHE_HOME/orbalin).
inline constexpr char kSharedInstallMarker[] = "shared-install";

// The user's folders as the desktop names them, each with "orbalin/" and a trailing separator;
// empty when the user has no home folder to put it in.
struct UserFolders {
    QString data;
    QString cache;
};
// From XDG_DATA_HOME and XDG_CACHE_HOME, else the home folder (HOME, else the user's entry in the
// system's user list). A relative XDG path is ignored, as the desktop does.
UserFolders userFolders();

struct OwnFolders {
    QString own;  // calibrations and choices
    QString work; // working pictures: cd*_tmp.bmp, tst.bmp, refresh*.bmp
    // For the user, when the calibrations and choices cannot be kept; empty when they can.
    QString problem;
};
// Both folders with a trailing separator, made when missing. When the data folder cannot be used,
// `own` still names it, so that a write fails naming the folder the user can mend. `work` is the
// cache folder, else the data folder, else the private runtime folder (privateRuntimeFolder()).
// Without a home folder `own` is `work`; both are empty when not even a private folder exists.
OwnFolders foldersForOwnFiles(const QString& programFolder, const UserFolders& user);

// A folder only this user can have made, for the program's socket and, where nothing else can
// hold it, its lock: $XDG_RUNTIME_DIR, else orbalin-<uid> in the temporary folder or in /tmp, made
// with no rights for others. One that another user made, or others may write, is passed over, and
// so is one whose path leaves no room for a socket's name. Empty when there is none.
QString privateRuntimeFolder();
