#include "support/pictures.h"

#include <QRandomGenerator>

QImage solidPicture(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_BGR888);
    image.fill(colour);
    return image;
}

QImage gradientPicture(int width, int height) {
    QImage image(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y,
                                QColor(x * 255 / width, y * 255 / height, (x + y) * 127 / (width + height)));
    return image;
}

QImage noisePicture(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_BGR888);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int i = 0; i < 3 * width; ++i)
            row[i] = uchar(random.bounded(256));
    }
    return image;
}
