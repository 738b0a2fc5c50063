#include "text/aroundlayout.h"

#include "cover/discgeometry.h"

#include <QStringList>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Left between a line's two ends when it is alone, and between the two lines' ends when both are
// set, so that nothing runs into its own start.
constexpr double kGapDegrees = 8;

double toRadians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// One character of a line, where the pen starts and ends it along the baseline, before spacing.
struct Piece {
    QString text;
    TextStyle style;
    double start = 0;
    double end = 0;
};

// Each run in its style with the sizes scaled to `largest` points for the line's largest; each is
// measured whole, so kerning holds within a run.
std::vector<Piece> measuredPieces(const StyledLine& line, int largestAsked, int largest,
                                  const MeasureCuts& measure) {
    std::vector<Piece> pieces;
    double pen = 0;
    for (const TextLine& run : line) {
        if (run.text.isEmpty())
            continue;
        TextStyle style = run.style;
        if (largest != largestAsked)
            style.pointSize = std::max(1, run.style.pointSize * largest / largestAsked);
        std::vector<qsizetype> cuts;
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, run.text);
        while (finder.toNextBoundary() > 0)
            cuts.push_back(finder.position());
        const std::vector<double> xs = measure(run.text, style, cuts);
        qsizetype from = 0;
        double x = 0;
        for (size_t i = 0; i < cuts.size() && i < xs.size(); ++i) {
            pieces.push_back({run.text.sliced(from, cuts[i] - from), style, pen + x, pen + xs[i]});
            from = cuts[i];
            x = xs[i];
        }
        pen += x;
    }
    return pieces;
}

double lengthOf(const std::vector<Piece>& pieces, double spacing) {
    return pieces.empty() ? 0 : pieces.back().end + spacing * double(pieces.size() - 1);
}

struct SetLine {
    std::vector<Piece> pieces;
    int asked = 1;   // the line's largest point size in the editor
    int largest = 1; // and as set
    int left = 0;    // characters that found no room
};

// The line at the largest size that fits `room`: as asked when it fits, else the size its length
// suggests when that fits, else the largest size that fits, found by halving; at 1 point its last
// characters are cut until it fits.
SetLine fitted(const StyledLine& line, double room, double spacing, const MeasureCuts& measure) {
    SetLine set;
    for (const TextLine& run : line)
        set.asked = std::max(set.asked, run.style.pointSize);
    const auto fits = [&](int size) {
        set.pieces = measuredPieces(line, set.asked, size, measure);
        set.largest = size;
        return lengthOf(set.pieces, spacing) <= room;
    };
    if (fits(set.asked))
        return set;
    const double length = lengthOf(set.pieces, spacing);
    const int guess = std::clamp(int(set.asked * room / length), 1, std::max(1, set.asked - 1));
    if (!fits(guess) && guess > 1) {
        int fitting = 1, failing = guess;
        while (failing - fitting > 1) {
            const int middle = (fitting + failing) / 2;
            (fits(middle) ? fitting : failing) = middle;
        }
        fits(fitting);
    }
    while (!set.pieces.empty() && lengthOf(set.pieces, spacing) > room) {
        set.pieces.pop_back();
        ++set.left;
    }
    return set;
}

} // namespace

QString aroundNote(const PlanNotes& notes) {
    QStringList parts;
    for (const ShrunkLine& line : notes.shrunkLines) {
        QString part = QStringLiteral("Line %1 set at %2 pt to fit around the disc")
                           .arg(line.line + 1)
                           .arg(line.pointSize);
        if (line.charactersLeftOut > 0)
            part += QStringLiteral(", its last %1 characters left out").arg(line.charactersLeftOut);
        parts << part;
    }
    if (notes.linesLeftOut > 0)
        parts << QStringLiteral("Only the first two lines go around the disc");
    return parts.join(QStringLiteral("; "));
}

std::optional<AroundCircle> aroundCircle(CoverMode mode, double rimDistanceMm) {
    if (mode != CoverMode::CdCover && mode != CoverMode::MiniCd)
        return std::nullopt;
    const disc::Shape shape = disc::shapeFor(mode == CoverMode::CdCover ? disc::kCoverSize : disc::kMiniSize);
    const double rim = shape.size / 2.0;
    const double distance = std::isfinite(rimDistanceMm) ? rimDistanceMm * disc::kPixelsPerMm : 0;
    return AroundCircle{{rim, rim}, std::clamp(rim - distance, shape.hubRadius, rim)};
}

std::optional<TextPlan> planAround(const std::vector<StyledLine>& lines, CoverMode mode,
                                   const AroundSettings& settings, const MeasureCuts& measure) {
    const std::optional<AroundCircle> circle = aroundCircle(mode, settings.rimDistanceMm);
    if (!circle)
        return std::nullopt;
    TextPlan plan;
    plan.mask = mode == CoverMode::CdCover ? LayoutMask::Disc : LayoutMask::SmallDisc;
    plan.notes.linesLeftOut = std::max(0, int(lines.size()) - 2);
    const auto hasText = [](const StyledLine& line) {
        return std::any_of(line.begin(), line.end(), [](const TextLine& run) { return !run.text.isEmpty(); });
    };
    const int setLines =
        int(std::count_if(lines.begin(), lines.begin() + std::min<size_t>(2, lines.size()), hasText));
    const double room = toRadians(360.0 / std::max(1, setLines) - kGapDegrees) * circle->radius;
    const double spacing =
        std::isfinite(settings.letterSpacingMm) ? settings.letterSpacingMm * disc::kPixelsPerMm : 0;

    for (size_t i = 0; i < lines.size() && i < 2; ++i) {
        const SetLine set = fitted(lines[i], room, spacing, measure);
        if (set.pieces.empty())
            continue;
        if (set.largest != set.asked || set.left > 0)
            plan.notes.shrunkLines.push_back({int(i), set.largest, set.left});
        const bool top = i == 0;
        const double centre = top ? settings.topCentreDegrees : settings.bottomCentreDegrees;
        const double half = lengthOf(set.pieces, spacing) / 2;
        for (size_t k = 0; k < set.pieces.size(); ++k) {
            const Piece& piece = set.pieces[k];
            if (piece.text.trimmed().isEmpty())
                continue;
            const double advance = piece.end - piece.start;
            const double along = piece.start + spacing * double(k) + advance / 2 - half;
            // Clockwise from twelve o'clock on top; the bottom line runs the other way.
            const double at = centre + (top ? 1 : -1) * along / circle->radius * 180 / std::numbers::pi;
            const QPointF middle =
                circle->centre + QPointF(std::sin(toRadians(at)), -std::cos(toRadians(at))) * circle->radius;
            const double degrees = top ? at : at - 180;
            const QPointF direction(std::cos(toRadians(degrees)), std::sin(toRadians(degrees)));
            plan.draws.push_back({piece.text, QPoint(), piece.style, 0,
                                  TextOnCurve{middle - direction * (advance / 2), degrees, advance}});
        }
    }
    return plan;
}
