#pragma once

#include <QImage>

// Quarter turns of a picture. The result is 24-bit (QImage::Format_BGR888) and the source's
// height wide and its width high, whatever the source's pixel format. A null picture is given
// back as it is.

// Counter-clockwise: the source's top-right pixel becomes the top-left one.
QImage turnedLeft(const QImage& picture);

// Clockwise: the source's top-left pixel becomes the top-right one.
QImage turnedRight(const QImage& picture);
