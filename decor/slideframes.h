#pragma once

#include "cover/covermode.h"

#include <QImage>

// The outline the Slide window lays over the source picture to show the piece a mode takes: red
// circle, square or rectangle of the piece's size with a small red badge in its middle telling
// the user to move it. Transparent except for the drawing; null for Mini Cd, which takes no slide.
QImage slideFrame(CoverMode mode);
