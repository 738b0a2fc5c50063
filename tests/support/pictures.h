#pragma once

#include <QColor>
#include <QImage>

// A solid picture of the given size, 24 bits per pixel.
QImage solidPicture(int width, int height, QColor colour);

// A smooth photograph-like picture, 24 bits per pixel: red rises across, green down.
QImage gradientPicture(int width, int height);

// Random bytes in every channel, the same for the same seed: no smoothness for a filter to hide in.
QImage noisePicture(int width, int height, quint32 seed);
