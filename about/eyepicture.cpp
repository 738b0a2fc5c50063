#include "about/eyepicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor kNavy(18, 44, 96);
const QColor kWhiteOfEye(232, 242, 253);

// Drawn on a 50 x 50 grid; the painter scales it.
QPainterPath almond() {
    QPainterPath path(QPointF(3, 27));
    path.quadTo(25, 2, 47, 27);
    path.quadTo(25, 48, 3, 27);
    return path;
}

} // namespace

QImage eyePicture(int size) {
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 50.0, size / 50.0);

    // The brow.
    p.setPen(QPen(QColor(60, 100, 170), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath brow(QPointF(8, 12));
    brow.quadTo(25, 1, 42, 12);
    p.drawPath(brow);

    const QPainterPath eye = almond();
    p.setPen(Qt::NoPen);
    p.setBrush(kWhiteOfEye);
    p.drawPath(eye);

    p.save();
    p.setClipPath(eye);
    QRadialGradient iris(QPointF(25, 27), 11);
    iris.setColorAt(0, QColor(140, 196, 245));
    iris.setColorAt(0.7, QColor(46, 120, 214));
    iris.setColorAt(1, QColor(24, 70, 150));
    p.setBrush(iris);
    p.drawEllipse(QPointF(25, 27), 11, 11);
    p.setBrush(kNavy);
    p.drawEllipse(QPointF(25, 27), 4.5, 4.5);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(QPointF(21.5, 23.5), 2.2, 2.2);
    p.restore();

    p.setPen(QPen(kNavy, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(eye);
    return picture;
}
