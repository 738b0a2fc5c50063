#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the floating text, the text bar and the vertical text marker go. Window sizes are the
// main window's outer size, frame included; every halving truncates toward zero. Positions are in
// the main window's client coordinates.

// The floating text's place that the "Text Bar" button and every resize of the window give it:
// left of the window's middle by 50 pixels and half its own width, 60 pixels above the middle.
QPoint floatingTextHome(QSize window, int floatingTextWidth);

// The text bar opened from the vertical text marker: across, centred on the window less 2 pixels;
// down, centred between half the top tool bar and the window's height less 25.
QPoint textBarCentred(QSize window, int topBarHeight, QSize textBar);

// The vertical text marker stands on the floating text's top-left corner with its sides swapped,
// covering the box the caption fills when it is stamped turned.
QRect markerBox(QRect floatingText);

// One step of a drag: the control moves by the pointer's travel from the anchor, both in the
// control's own coordinates.

// The floating text stays below the top tool bar (top 65 or more) and right of the left edge.
QPoint dragFloatingText(QPoint position, QPoint anchor, QPoint pointer);
// The text bar stays right of and below the window's top-left corner.
QPoint dragTextBar(QPoint position, QPoint anchor, QPoint pointer);

// The marker carries the floating text directly under it, from where the pointer put it; only the
// marker itself is then kept right of and below the top-left corner, until the next paint stands it
// on the floating text again.
struct MarkerDrag {
    QPoint marker;
    QPoint floatingText;
};
MarkerDrag dragMarker(QRect marker, QPoint anchor, QPoint pointer);
