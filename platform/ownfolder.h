#pragma once

#include <QString>

// Where the program keeps the files it writes itself (calibrations, the language and print
// choices, its working pictures): its own folder while it can write there, as a per-user install
// or a build folder can, else `userDataFolder` (the user's $XDG_DATA_HOME/orbalin), made when
// missing. Both with a trailing separator. Empty when neither can be written.
QString folderForOwnFiles(const QString& programFolder, const QString& userDataFolder);
