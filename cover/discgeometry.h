#pragma once

#include <QImage>
#include <QSize>

// The shape of a disc as drawn on its cover picture. Both discs are drawn at 3.75 pixels per
// millimetre: 450 pixels for the 120 mm disc, 300 for the 80 mm one. The unprintable hub has
// the same size on both, and on the 120 mm picture it covers exactly rows 164 to 286.
namespace disc {

constexpr int kCoverSize = 450;
constexpr int kMiniSize = 300;
constexpr double kPixelsPerMm = 3.75;
constexpr int kHubFirstRow = 164;
constexpr int kHubLastRow = 286;

struct Shape {
    int size = kCoverSize;
    int centre = kCoverSize / 2; // pixel at the disc's centre, across and down
    double outerRadius = kCoverSize / 2.0 - 0.5;
    double hubRadius = 61.5;

    // Points in the picture's pixel coordinates, pixel (x, y) standing at (x, y); a point between
    // pixels is where a pixel of the picture drawn at another size falls.
    bool insideDisc(double x, double y) const;
    bool insideHub(double x, double y) const;
    // Where a picture shows through: inside the disc and outside its hub.
    bool onPrintableRing(double x, double y) const { return insideDisc(x, y) && !insideHub(x, y); }
};

Shape shapeFor(int size);

// The mask stamped over a fitted picture: pure black on the printable ring, white elsewhere.
QImage mask(int size);

// The mask of the disc whose screen picture is `screenSize` wide, drawn at `size`: the disc is
// scaled across and down on its own (an ellipse when the two differ) and centred exactly on the
// picture. At the screen size it is mask(screenSize), centred on the middle pixel.
QImage maskAt(int screenSize, QSize size);

// Where the Text Area's Adjust layout may set text on the 120 mm cover. A line of text set with
// its top on a row covers that row and the kTextLineReach rows below it (a 10-point line is 15
// pixels high); a span keeps kTextInset pixels clear of the ring's edges on all those rows.
constexpr int kTextLineReach = 15;
constexpr int kTextInset = 3;

// A piece of one row: its first column and its width; width 0 when there is no room.
struct RowSpan {
    int x = 0;
    int width = 0;

    bool operator==(const RowSpan&) const = default;
};

// The widest span of a row outside the hub rows on which such a line lies on the ring. Rows whose
// line reaches into the hub rows get the wider side of the hub (the left one when they are even).
RowSpan textSpan(int row);

struct HubRowSpans {
    RowSpan left;
    RowSpan right;
};

// The spans left and right of the hub on a hub row.
HubRowSpans hubTextSpans(int row);

} // namespace disc
