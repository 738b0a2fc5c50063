#pragma once

#include "platform/picture.h"

#include <QWidget>

// An image control: shows its picture at 1:1 from its top-left corner. With autoSize it takes
// the picture's size, as the hidden conversion surfaces and the slide source do.
class ImageView : public QWidget {
public:
    ImageView(QWidget* parent, const QString& objectName, QSize size, bool autoSize = false);

    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& picture);
    void clear() { setPicture(Picture()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture picture_;
    bool autoSize_;
};
