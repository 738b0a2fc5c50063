#pragma once

#include <QString>
#include <QStringList>

// Small configuration files are text read and written whole as a list of lines.

// Latin-1 for files of numbers and names the program writes itself; UTF-8 for files holding names
// a user may give, read as Latin-1 when they are not valid UTF-8 (as files written before were).
enum class LineEncoding { Latin1, Utf8 };

// Reads the file's lines; a line may end with CR LF, LF or CR. Throws OrbalinError naming the
// file when it cannot be read, is unreasonably large for a configuration file, or is a link leading
// out of its folder.
QStringList readLines(const QString& path, LineEncoding encoding = LineEncoding::Latin1);

// The lines of a text; a line may end with CR LF, LF or CR, and a last line without an ending counts.
QStringList splitLines(const QString& text);

// Writes each line followed by CR LF, through a temporary file renamed into place, so a failed
// write (a full disk included) leaves an existing file whole; a link at the path is replaced, never
// written through. Throws OrbalinError naming the file and the reason on failure.
void writeLines(const QString& path, const QStringList& lines, LineEncoding encoding = LineEncoding::Latin1);
