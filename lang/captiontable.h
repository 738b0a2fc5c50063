#pragma once

#include <QString>
#include <span>
#include <string_view>

// The captions a language file replaces: for each, the line of the file that holds it, the window
// and the control (both by object name) that show it, and the built-in English text, which is also
// what "english.lag" holds on that line. Windows take their English captions from here, so that
// the built-in captions and the English file cannot drift apart.
struct CaptionRow {
    int line;                 // counted from 1, as an editor shows it
    std::string_view window;  // the window's object name, e.g. "Form15"
    std::string_view control; // the control's object name; kWindowCaption for the window's title
    std::string_view english; // UTF-8
};

// The control name of a row that captions the window itself.
inline constexpr std::string_view kWindowCaption{};

// A language file holds at least this many lines: the captions of the first table. The captions
// added since lie on the lines after it, up to kCaptionLineCount; a file without them shows them
// in English.
inline constexpr int kLanguageFileLineCount = 141;
inline constexpr int kCaptionLineCount = 162;

// Every row, in increasing line order.
std::span<const CaptionRow> captionTable();

// nullptr when the control's caption is not translated.
const CaptionRow* findCaption(std::string_view window, std::string_view control);

// The English caption of a control of the table. Asking for one the table does not list is a
// mistake in the program, and stops it.
QString captionOf(std::string_view window, std::string_view control);

inline QString englishText(const CaptionRow& row) {
    return QString::fromUtf8(row.english.data(), static_cast<qsizetype>(row.english.size()));
}

// Rows whose control the program does not build yet: a language file's line for them is read and
// has nowhere to go. Building the control means taking its row off this list.
struct CaptionKey {
    std::string_view window;
    std::string_view control;
};
std::span<const CaptionKey> pendingCaptions();
bool isCaptionPending(const CaptionRow& row);
