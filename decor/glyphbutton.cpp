#include "decor/glyphbutton.h"

#include "platform/qt/toolbutton.h"

QToolButton* glyphButton(QWidget* parent, const QString& name, const QString& caption, Glyph picture,
                         const QRect& geometry, int pictureSize) {
    return toolButton(parent, name,
                      {.caption = caption, .icon = QIcon(glyph(picture, pictureSize)), .iconSize = pictureSize,
                       .namedByCaption = true},
                      geometry);
}
