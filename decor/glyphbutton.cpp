#include "decor/glyphbutton.h"

#include <QToolButton>

QToolButton* glyphButton(QWidget* parent, const QString& name, const QString& caption, Glyph picture,
                         const QRect& geometry, int pictureSize) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setAccessibleName(caption);
    button->setAutoRaise(true);
    button->setGeometry(geometry);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIcon(QIcon(glyph(picture, pictureSize)));
    button->setIconSize(QSize(pictureSize, pictureSize));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}
