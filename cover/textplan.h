#pragma once

#include <QColor>
#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <vector>

// Text on a cover picture. What the Text Area's layouts produce: the pieces of text to draw, worked out
// without a picture so that positions can be checked on their own, and carried out by one painter.

// How a piece of text looks. Sizes are in points, of which there are 72 to the 96 pixels of a
// cover picture's inch, whatever resolution the picture's file claims.
struct TextStyle {
    QString family = QStringLiteral("Arial");
    int pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor colour = Qt::black;

    bool operator==(const TextStyle&) const = default;
};

// One line of the editor, with the attributes the layout takes for it.
struct TextLine {
    QString text;
    TextStyle style;
};

// The width and height in pixels of a text in a style on a cover picture. The height of a text
// that is not empty is its font's cell height, whatever the letters.
using MeasureText = std::function<QSize(const QString& text, const TextStyle& style)>;

// A piece set along a curve, in cover pixels to the fraction: its baseline starts at `origin` and
// runs `degrees` clockwise from the picture's rows for `advance` pixels (kerning included).
struct TextOnCurve {
    QPointF origin;
    double degrees = 0;
    double advance = 0;

    // The middle of the piece's baseline, about which it was turned.
    QPointF middle() const {
        const double radians = degrees * std::numbers::pi / 180;
        return origin + QPointF(std::cos(radians), std::sin(radians)) * (advance / 2);
    }

    bool operator==(const TextOnCurve&) const = default;
};

struct TextDraw {
    QString text;
    QPoint topLeft; // upper-left corner of the box the text covers once turned
    TextStyle style;
    int angle = 0; // turned clockwise by this many degrees: 90 runs the text down the picture
    std::optional<TextOnCurve> curve{}; // when set, it places the piece instead of topLeft and angle

    bool operator==(const TextDraw&) const = default;
};

// The disc mask laid over the picture once the text is drawn, so text off the printable ring
// disappears.
enum class LayoutMask { None, Disc, SmallDisc };

// A line a layout had to make smaller to fit: its place among the editor's lines (from 0), the
// largest point size it was set at, and how many characters at its end still found no room.
struct ShrunkLine {
    int line = 0;
    int pointSize = 0;
    int charactersLeftOut = 0;

    bool operator==(const ShrunkLine&) const = default;
};

// What a layout did other than asked, for the status bar.
struct PlanNotes {
    int linesLeftOut = 0;
    std::vector<ShrunkLine> shrunkLines{};

    bool operator==(const PlanNotes&) const = default;
};

struct TextPlan {
    std::vector<TextDraw> draws;
    LayoutMask mask = LayoutMask::None;
    PlanNotes notes{};
};

// The text stamp: one line of text in one font, put into a cover picture where the floating text
// stands on the screen. The floating text paints itself with drawStamp() and takes stampSize(),
// so what the user sees on it is what lands in the picture: same face, same pixel size, same place.
struct TextStamp {
    QString caption{};
    QString family = QStringLiteral("Arial");
    int pointSize = 12; // 72 to the 96 pixels of a cover picture's inch: 12 points are 16 pixels
    bool bold = true;
    QColor colour = Qt::black;
    bool reversed = false; // turned a quarter anticlockwise, running up from its corner

    bool operator==(const TextStamp&) const = default;
};
