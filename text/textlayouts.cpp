#include "text/textlayouts.h"

#include "app/fitting.h"

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
        for (qsizetype i = 0; i < line.text.size(); ++i) {
            if (row >= kTextEndRow)
                return plan;
            if (!isHubRow(row))
                lineHeight = heightOf(line.text, line.style);
            piece += line.text[i];
            const SpanRow& span = !isHubRow(row) ? tables.spanTable[row]
                                  : rightOfHub   ? tables.splitSpanTable[row].right
                                                 : tables.splitSpanTable[row].left;
            const bool lineEnds = i == line.text.size() - 1;
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
                row += heightOf(line.text.left(1), line.style);
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
