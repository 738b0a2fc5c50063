#pragma once

#include <QString>
#include <QStringList>

// Small configuration files are single-byte text read and written whole as a list of lines.

// Reads the file's lines; a line may end with CR LF, LF or CR. Throws OrbalinError naming the
// file when it cannot be read or is unreasonably large for a configuration file.
QStringList readLines(const QString& path);

// Writes each line followed by CR LF, through a temporary file renamed into place, so a failed
// write leaves an existing file whole. Throws OrbalinError naming the file on failure.
void writeLines(const QString& path, const QStringList& lines);
