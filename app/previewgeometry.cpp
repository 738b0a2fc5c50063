#include "app/previewgeometry.h"

QPoint pictureOrigin(QSize window, int rightBarWidth, int topBarHeight, QSize picture) {
    const int left = (rightBarWidth / 2 + window.width() - 130) / 2 - picture.width() / 2;
    const int top = (topBarHeight / 2 + window.height() - 33) / 2 - picture.height() / 2;
    return {left, top};
}
