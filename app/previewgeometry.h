#pragma once

#include <QPoint>
#include <QSize>

// Where the preview draws a picture: centred in the free area between the top tool bar, the
// right tool bar and the status bar, reckoned from the window's outer size. Halvings truncate.
QPoint pictureOrigin(QSize window, int rightBarWidth, int topBarHeight, QSize picture);
