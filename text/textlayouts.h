#pragma once

#include "cover/covermode.h"
#include "text/layouttables.h"
#include "cover/textplan.h"

#include <QStringList>
#include <optional>
#include <vector>

// The four layouts of the Text Area. Each is planned on a freshly restored cover picture of the
// given mode and then painted (text/textpainter.h).

// "Center": every line in the one style, centred across the mode's picture width (450, or 505
// for the Back Cover and 300 for the Mini Cd); a line wider than the picture starts left of it.
// Lines follow each other by the point size plus 5 pixels.
TextPlan planCenter(const QStringList& lines, const TextStyle& style, CoverMode mode,
                    const MeasureText& measure);

// "Left ali.": as Center, flush with the picture's left edge.
TextPlan planLeftAligned(const QStringList& lines, const TextStyle& style, CoverMode mode);

// "Vertical": each line becomes a column turned a quarter clockwise, in its own style, with every
// blank made three. The first column's upper-left corner is at (11, 2); each next one starts at the
// top edge, right of the last by its size in points, a third of that and 10 pixels (30 above 70
// points).
TextPlan planVertical(const std::vector<TextLine>& lines, CoverMode mode);

// "Adjust": flows the lines, each in its own style, over the Cd Cover's rows 3 to 429 within the
// spans of `tables`: a piece is drawn as soon as it fills its span or its line ends, with no word
// wrap, and is cut only between grapheme clusters. Beside the hub a row takes a piece left of it and then one right of it. Text that does
// not fit above row 430 is dropped.
TextPlan planAdjust(const std::vector<TextLine>& lines, const MeasureText& measure,
                    const LayoutTables& tables);

// Adjust follows the 120 mm disc only: the message that refuses it in the other modes, or nothing
// for the Cd Cover.
std::optional<QString> adjustRefusal(CoverMode mode);
