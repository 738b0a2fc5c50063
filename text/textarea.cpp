#include "text/textarea.h"

#include "text/textlayouts.h"
#include "text/textpainter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <functional>

namespace {

constexpr NamedColour kNamedColours[] = {
    {"Black", 0x000000},  {"White", 0xFFFFFF},  {"Red", 0x0000FF},   {"Blue", 0xFF0000},
    {"Yellow", 0x00FFFF}, {"Maroon", 0x000080}, {"Green", 0x008000}, {"Gray", 0x808080},
    {"Purple", 0x800080}, {"Teal", 0x808000},   {"Lime", 0x00FF00},  {"Fuchsia", 0xFF00FF},
    {"Aqua", 0xFFFF00},
};

// The blocks that are lines: all but a last empty one.
std::vector<QTextBlock> lineBlocks(const QTextDocument& document) {
    std::vector<QTextBlock> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks.push_back(block);
    if (!blocks.empty() && blocks.back().text().isEmpty())
        blocks.pop_back();
    return blocks;
}

QTextCharFormat lineFormat(const QTextBlock& block, LineStyleFrom from) {
    std::optional<QTextCharFormat> found;
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        found = fragment.fragment().charFormat();
        if (from == LineStyleFrom::FirstCharacter)
            break;
    }
    return found.value_or(block.charFormat());
}

// The first character of the whole text, on whichever line it stands.
QTextCharFormat firstCharacterFormat(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (!block.text().isEmpty())
            return lineFormat(block, LineStyleFrom::FirstCharacter);
    return document.begin().charFormat();
}

bool everySelectedCharacter(const QTextCursor& cursor, const std::function<bool(const TextStyle&)>& has) {
    const QTextDocument& document = *cursor.document();
    if (!cursor.hasSelection())
        return has(styleOf(cursor.charFormat(), document));
    const int start = cursor.selectionStart(), end = cursor.selectionEnd();
    for (QTextBlock block = document.findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const bool overlaps =
                fragment.position() < end && fragment.position() + fragment.length() > start;
            if (overlaps && !has(styleOf(fragment.charFormat(), document)))
                return false;
        }
    }
    return true;
}

} // namespace

std::span<const NamedColour> namedColours() {
    return kNamedColours;
}

QColor colourFromValue(quint32 value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 colourValue(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16;
}

QStringList fontSizeEntries() {
    QStringList sizes;
    for (int points = 6; points <= 100; points += 2)
        sizes << QString::number(points);
    for (int points = 110; points <= 500; points += 10)
        sizes << QString::number(points);
    return sizes;
}

QStringList fontListEntries(const QStringList& installedFamilies) {
    return QStringList{QStringLiteral("Arial")} + installedFamilies;
}

QStringList editorLines(const QTextDocument& document) {
    QStringList lines;
    for (const QTextBlock& block : lineBlocks(document))
        lines << block.text();
    return lines;
}

TextStyle styleOf(const QTextCharFormat& format, const QTextDocument& document) {
    const QFont font = format.font().resolve(document.defaultFont());
    TextStyle style;
    style.family = font.family();
    style.pointSize = qRound(font.pointSizeF());
    style.bold = font.bold();
    style.italic = font.italic();
    style.colour =
        format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : QColor(Qt::black);
    return style;
}

std::vector<TextLine> styledEditorLines(const QTextDocument& document, LineStyleFrom from) {
    std::vector<TextLine> lines;
    for (const QTextBlock& block : lineBlocks(document))
        lines.push_back({block.text(), styleOf(lineFormat(block, from), document)});
    return lines;
}

std::vector<StyledLine> styledEditorRuns(const QTextDocument& document) {
    std::vector<StyledLine> lines;
    for (const QTextBlock& block : lineBlocks(document)) {
        StyledLine& line = lines.emplace_back();
        for (auto it = block.begin(); !it.atEnd(); ++it)
            line.push_back({it.fragment().text(), styleOf(it.fragment().charFormat(), document)});
    }
    return lines;
}

bool selectionIsBold(const QTextCursor& cursor) {
    return everySelectedCharacter(cursor, [](const TextStyle& style) { return style.bold; });
}

bool selectionIsItalic(const QTextCursor& cursor) {
    return everySelectedCharacter(cursor, [](const TextStyle& style) { return style.italic; });
}

QTextCursor caretLineWithBreak(const QTextCursor& caret) {
    const QTextBlock block = caret.block();
    // The document's last position lies after the last line's end and cannot be selected.
    const int lastPosition = caret.document()->characterCount() - 1;
    QTextCursor line(caret);
    line.setPosition(block.position());
    line.setPosition(std::min(block.position() + block.length(), lastPosition), QTextCursor::KeepAnchor);
    return line;
}

TextPlan planTextLayout(TextLayout layout, const QTextDocument& document, const TextStyle& listStyle,
                        CoverMode mode, const LayoutTables& tables) {
    switch (layout) {
    case TextLayout::Vertical:
        return planVertical(styledEditorLines(document, LineStyleFrom::LastCharacter), mode);
    case TextLayout::Adjust:
        return planAdjust(styledEditorLines(document, LineStyleFrom::FirstCharacter), measureOnCover, tables);
    case TextLayout::Center:
    case TextLayout::LeftAligned:
        break;
    }
    const TextStyle first = styleOf(firstCharacterFormat(document), document);
    TextStyle style = listStyle;
    style.bold = first.bold;
    style.italic = first.italic;
    const QStringList lines = editorLines(document);
    return layout == TextLayout::Center ? planCenter(lines, style, mode, measureOnCover)
                                        : planLeftAligned(lines, style, mode);
}

std::optional<TextPlan> planAroundLayout(const QTextDocument& document, CoverMode mode,
                                         const AroundSettings& settings) {
    return planAround(styledEditorRuns(document), mode, settings, measureCutsOnCover);
}
