#pragma once

#include <QImage>

// The credits window's emblem: an open eye in blues, transparent around it.
QImage eyePicture(int size = 50);
