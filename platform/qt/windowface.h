#pragma once

#include <QColor>

// The warm grey face of the main window, which most windows and panels share.
QColor mainWindowFace();
