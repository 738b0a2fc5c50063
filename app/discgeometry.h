#pragma once

#include <QImage>

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

    bool insideDisc(int x, int y) const;
    bool insideHub(int x, int y) const;
    // Where a picture shows through: inside the disc and outside its hub.
    bool onPrintableRing(int x, int y) const { return insideDisc(x, y) && !insideHub(x, y); }
};

Shape shapeFor(int size);

// The mask stamped over a fitted picture: pure black on the printable ring, white elsewhere.
QImage mask(int size);

} // namespace disc
