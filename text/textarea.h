#pragma once

#include "cover/covermode.h"
#include "cover/textplan.h"
#include "text/aroundlayout.h"
#include "text/layouttables.h"

#include <QColor>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

class QTextBlock;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;

// What the Text Area decides without a widget: its lists, the lines and styles it reads from the
// editor's document, and which layout is planned from them onto which cover picture.

// A colour of the colour list, as the 32-bit value 0x00BBGGRR (red in the low byte).
struct NamedColour {
    const char* name;
    quint32 value;
};
std::span<const NamedColour> namedColours();
QColor colourFromValue(quint32 value);
quint32 colourValue(const QColor& colour);

// "6", "8" … "100", then "110" … "500": the sizes in points the size list offers.
QStringList fontSizeEntries();
// The installed fonts with "Arial" before them, even when it is one of them.
QStringList fontListEntries(const QStringList& installedFamilies);

// The editor's lines are its blocks. A last empty block, left by a final line break or by an empty
// editor, is not a line.
QStringList editorLines(const QTextDocument& document);

// The look of a character in the document; what a format leaves unset is the document's default.
TextStyle styleOf(const QTextCharFormat& format, const QTextDocument& document);

// Each line with the style of its first character, or of its last (where the caret stands at the
// line's end); an empty line has the style of its block.
enum class LineStyleFrom { FirstCharacter, LastCharacter };
std::vector<TextLine> styledEditorLines(const QTextDocument& document, LineStyleFrom from);

// Each line as its runs of text, each run in the style its characters have in the editor.
std::vector<StyledLine> styledEditorRuns(const QTextDocument& document);

// Whether every character the cursor selects has the property; without a selection, whether the
// text typed at the cursor would have it.
bool selectionIsBold(const QTextCursor& cursor);
bool selectionIsItalic(const QTextCursor& cursor);

// The caret's line with its line break (the last line has none): what "All  Colors ..." colours.
QTextCursor caretLineWithBreak(const QTextCursor& caret);

enum class TextLayout { Vertical, Center, LeftAligned, Adjust };

// The plan of a layout for the document on a picture of the mode. Center and Left ali. draw every
// line in `listStyle` (the lists' font and size and the last chosen colour) made bold or italic as
// the text's first character; Vertical and Adjust give each line its own style.
TextPlan planTextLayout(TextLayout layout, const QTextDocument& document, const TextStyle& listStyle,
                        CoverMode mode, const LayoutTables& tables);

// The Around plan for the document on a picture of the mode, each character in its own style;
// nothing on the rectangular inserts.
std::optional<TextPlan> planAroundLayout(const QTextDocument& document, CoverMode mode,
                                         const AroundSettings& settings);
