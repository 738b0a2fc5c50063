#pragma once

#include <QString>
#include <optional>

class QFileDevice;

// Pieces of the messages that tell the user why a file could not be read or written.

// The path as the user's system writes it.
QString shownPath(const QString& path);
// A reason ending with a full stop.
QString sentence(QString text);
// Why a file cannot be created: a missing folder is the usual case and the clearest to name.
QString createFailure(const QString& path, const QFileDevice& file);
// Why a path cannot be read as a file (missing, a folder, a device), or nothing when it is one.
std::optional<QString> notAFile(const QString& path);
// Why one of the program's own files is not read through the link found at its path: the link
// leads out of the file's folder or nowhere. Nothing when the path is no link or stays inside.
std::optional<QString> linkLeavingFolder(const QString& path);
