#pragma once

#include "cover/covermode.h"
#include "cover/textplan.h"

#include <QString>
#include <optional>
#include <vector>

// "Around": text that follows the rim of a round insert. The editor's first line runs along the top
// of the disc, reading clockwise; its second along the bottom, upright, reading counter-clockwise.
// Each character (a grapheme cluster: an emoji or a letter with its accents stays whole) is set by
// its advance along the baseline circle and turned to the tangent at its middle; each line is
// centred on its angle.

struct AroundSettings {
    double rimDistanceMm = 4; // the baselines' distance inside the disc's edge on the printed disc
    // Where each line's middle stands, in degrees clockwise from twelve o'clock.
    double topCentreDegrees = 0;
    double bottomCentreDegrees = 180;
    double letterSpacingMm = 0; // added between characters along the baseline; less than 0 tightens

    bool operator==(const AroundSettings&) const = default;
};

// A line as the editor holds it: runs of text, each in its own style.
using StyledLine = std::vector<TextLine>;

// The pen's distance in cover pixels from the start of `text`, set whole in `style`, at each of
// `cuts` (positions in the text, rising): kerning between the characters counts.
using MeasureCuts = std::function<std::vector<double>(const QString& text, const TextStyle& style,
                                                      const std::vector<qsizetype>& cuts)>;

// The circle the baselines follow, in cover pixels: the disc's centre is the picture's centre, and
// the radius keeps the baseline between the hub and the edge whatever the distance asked.
struct AroundCircle {
    QPointF centre;
    double radius = 0;
};
std::optional<AroundCircle> aroundCircle(CoverMode mode, double rimDistanceMm);

// The plan on a picture of the mode; nothing on the rectangular inserts. A line may take the whole
// circle less a gap, or half of it less the gap when both lines have text. A longer line is set
// smaller, every run in proportion, until it fits; one that does not fit even at 1 point loses its
// last characters. Lines after the second are left out. The plan's notes say both.
std::optional<TextPlan> planAround(const std::vector<StyledLine>& lines, CoverMode mode,
                                   const AroundSettings& settings, const MeasureCuts& measure);

// What the status bar says about an Around plan's notes; empty when there is nothing to say.
QString aroundNote(const PlanNotes& notes);
