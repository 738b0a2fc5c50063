#pragma once

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
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

struct TextDraw {
    QString text;
    QPoint topLeft; // upper-left corner of the box the text covers once turned
    TextStyle style;
    int angle = 0; // turned clockwise by this many degrees: 90 runs the text down the picture

    bool operator==(const TextDraw&) const = default;
};

// The disc mask laid over the picture once the text is drawn, so text off the printable ring
// disappears.
enum class LayoutMask { None, Disc, SmallDisc };

struct TextPlan {
    std::vector<TextDraw> draws;
    LayoutMask mask = LayoutMask::None;
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
