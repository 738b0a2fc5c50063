#pragma once

#include <QByteArray>
#include <QString>

// The folder holding the program, from the path of its executable as the system gives it (bytes,
// /proc/self/exe), with a trailing separator. A folder whose name Qt cannot write back to the same
// bytes (a Latin-1 "café" decoded as UTF-8) would be a folder that does not exist, so it is held
// open and reached as /proc/self/fd/N/ for the program's life. Empty when it cannot be opened.
QString programFolderOf(const QByteArray& executablePath);

// The running program's folder; Qt's guess where the system does not say.
QString runningProgramFolder();

// The folder's name for messages: the real name where it is reached through a handle.
QString shownFolderName(const QString& folder);
