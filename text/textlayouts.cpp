#include "text/textlayouts.h"

#include "cover/fitting.h"

#include <QTextBoundaryFinder>
#include <algorithm>

namespace {

LayoutMask maskAfterText(CoverMode mode) {
    switch (mode) {
    case CoverMode::CdCover:
        return LayoutMask::Disc;
    case CoverMode::MiniCd:
        return LayoutMask::SmallDisc;
    case CoverMode::FrontCover:
    case CoverMode::BackCover:
        break;
    }
    return LayoutMask::None;
}

// Center and Left ali. stamp the mask after each line; stamping once after the last line leaves
// the same pixels, but there is none to stamp without a line.
TextPlan planRows(const QStringList& lines, const TextStyle& style, CoverMode mode,
                  const std::function<int(const QString&)>& left) {
    TextPlan plan;
    plan.mask = lines.isEmpty() ? LayoutMask::None : maskAfterText(mode);
    int y = 0;
    for (const QString& line : lines) {
        plan.draws.push_back({line, QPoint(left(line), y), style, 0});
        y += style.pointSize + 5;
    }
    return plan;
}

QString withBlanksTripled(QString text) {
    return text.replace(QLatin1Char(' '), QStringLiteral("   "));
}

int columnAdvance(int pointSize) {
    return pointSize + pointSize / 3 + (pointSize > 70 ? 30 : 10);
}

// Where each grapheme cluster of a text that is not empty ends.
std::vector<qsizetype> graphemeEnds(const QString& text) {
    std::vector<qsizetype> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    while (finder.toNextBoundary() > 0)
        ends.push_back(finder.position());
    return ends;
}

} // namespace

TextPlan planCenter(const QStringList& lines, const TextStyle& style, CoverMode mode,
                    const MeasureText& measure) {
    const int pictureWidth = fitSizesFor(mode).final.width();
    return planRows(lines, style, mode,
                    [&](const QString& line) { return (pictureWidth - measure(line, style).width()) / 2; });
}

TextPlan planLeftAligned(const QStringList& lines, const TextStyle& style, CoverMode mode) {
    return planRows(lines, style, mode, [](const QString&) { return 0; });
}

TextPlan planVertical(const std::vector<TextLine>& lines, CoverMode mode) {
    TextPlan plan;
    plan.mask = maskAfterText(mode);
    int x = 1;
    for (size_t i = 0; i < lines.size(); ++i) {
        const TextLine& line = lines[i];
        plan.draws.push_back({withBlanksTripled(line.text), QPoint(x + 10, i == 0 ? 2 : 0), line.style, 90});
        x += columnAdvance(line.style.pointSize);
    }
    return plan;
}

TextPlan planAdjust(const std::vector<TextLine>& lines, const MeasureText& measure,
                    const LayoutTables& tables) {
    TextPlan plan;
    plan.mask = LayoutMask::Disc;
    // Heights are taken as at least zero, so the row only ever moves down.
    const auto heightOf = [&](const QString& text, const TextStyle& style) {
        return std::max(0, measure(text, style).height());
    };

    int row = kFirstTextRow;
    bool rightOfHub = false;
    int lineHeight = 0;
    QString piece;
    for (const TextLine& line : lines) {
        if (line.text.isEmpty()) {
            if (!isHubRow(row))
                ++row;
            continue;
        }
        // A piece ends only between what a reader sees as one character: an emoji or a letter with
        // its accents is never cut. A text's height is its font's, so one character tells the
        // line's: measuring a line far longer than the disc holds would take as long as the layout.
        const std::vector<qsizetype> ends = graphemeEnds(line.text);
        const int height = heightOf(line.text.left(ends.front()), line.style);
        qsizetype start = 0;
        for (const qsizetype end : ends) {
            if (row >= kTextEndRow)
                return plan;
            if (!isHubRow(row))
                lineHeight = height;
            piece += QStringView(line.text).sliced(start, end - start);
            start = end;
            const SpanRow& span = !isHubRow(row) ? tables.spanTable[row]
                                  : rightOfHub   ? tables.splitSpanTable[row].right
                                                 : tables.splitSpanTable[row].left;
            const bool lineEnds = end == line.text.size();
            if (span.width > measure(piece, line.style).width() && !lineEnds)
                continue;

            plan.draws.push_back({piece, QPoint(span.x, row), line.style, 0});
            piece.clear();
            if (!isHubRow(row)) {
                row += lineHeight;
            } else if (!rightOfHub) {
                rightOfHub = true;
            } else {
                rightOfHub = false;
                row += height;
            }
        }
        if (!isHubRow(row))
            ++row;
    }
    return plan;
}

std::optional<QString> adjustRefusal(CoverMode mode) {
    if (mode == CoverMode::CdCover)
        return std::nullopt;
    return QStringLiteral("Not implement yet with %1").arg(QLatin1String(modeInfo(mode).statusText));
}
