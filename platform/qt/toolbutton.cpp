#include "platform/qt/toolbutton.h"

#include <QToolButton>

QToolButton* toolButton(QWidget* parent, const QString& name, const ButtonFace& face, const QRect& geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    if (!face.caption.isEmpty())
        button->setText(face.caption);
    if (face.namedByCaption)
        button->setAccessibleName(face.caption.endsWith(QLatin1String("...")) ? face.caption.chopped(3)
                                                                              : face.caption);
    button->setAutoRaise(face.flat);
    if (!geometry.isEmpty())
        button->setGeometry(geometry);
    button->setToolButtonStyle(face.icon.isNull() ? Qt::ToolButtonTextOnly : face.style);
    if (!face.icon.isNull()) {
        button->setIcon(face.icon);
        button->setIconSize(QSize(face.iconSize, face.iconSize));
    }
    button->setFocusPolicy(face.focus);
    return button;
}
