#include "platform/qt/imageview.h"

#include <QPainter>

ImageView::ImageView(QWidget* parent, const QString& objectName, QSize size, bool autoSize)
    : QWidget(parent), autoSize_(autoSize) {
    setObjectName(objectName);
    resize(size);
}

void ImageView::setPicture(const Picture& picture) {
    picture_ = picture;
    if (autoSize_ && !picture_.isEmpty())
        resize(picture_.width(), picture_.height());
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    if (picture_.isEmpty())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_.bitmap());
}
