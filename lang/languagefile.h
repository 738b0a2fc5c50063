#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Language files: one caption per line, the line of each fixed by the caption table. A file is
// taken whole or not at all, so the captions never end up half in one language and half in another.

// Where a language file comes from: the program folder's own files are not read through a link
// leading out of the folder; a file the user picked is read wherever it lies.
enum class LanguageSource { ProgramFolder, UserChoice };

struct LanguageFileLines {
    // Every caption line: a file that stops after the table's first captions (an older
    // translation) gets the English text of the captions added since.
    QStringList lines;
    // Read, but with a fault the user should mend: the lines holding bytes that are not UTF-8.
    std::optional<QString> warning;
};

// The lines of a language file (lang/languagetext.h says how its bytes are read); a line may end
// with CR LF, LF or CR. Throws OrbalinError naming the file when it cannot be read, is no caption
// text, or has fewer lines than kLanguageFileLineCount.
LanguageFileLines readLanguageFile(const QString& path, LanguageSource source);

// A name that can only mean a file directly inside a folder: no folder part, no "." or "..", no
// control characters. Names from "config.obn" must be such names.
bool isBareFileName(const QString& name);

// The name with each control character shown as "?", fit for a message.
QString printableName(QString name);

// The path of the file `name` in `folder`. When no file has exactly that name, a file whose name
// differs only in letter case is taken ("English.lag" finds "english.lag"); when none does either,
// the exact path, so that the error names what was asked for.
QString programFileNamed(const QString& folder, const QString& name);

// "english.lag" as the caption table gives it: the English text on each caption's line, free
// lines empty but the first, which tells a translator what the file is. UTF-8, CR LF.
QByteArray englishLanguageFile();
