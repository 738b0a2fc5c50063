#include "platform/qt/fixeddialog.h"

#include "platform/qt/keyboardways.h"
#include "platform/qt/windowface.h"

#include <QAbstractButton>
#include <QToolButton>

FixedDialog::FixedDialog(QWidget* owner, const QString& objectName, const QString& caption, QSize clientSize,
                         TitleButtons buttons)
    : QDialog(owner) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setFixedSize(clientSize);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (buttons == TitleButtons::Close)
        flags |= Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
    pressFocusedButtonWithEnter(this);
}

void FixedDialog::useMainWindowFace() {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, mainWindowFace());
    setPalette(colours);
    setAutoFillBackground(true);
}

QAbstractButton* FixedDialog::addCloseButton() {
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("CloseButton"));
    button->setText(QStringLiteral("Close"));
    button->setAccessibleName(button->text());
    button->setFocusPolicy(Qt::StrongFocus);
    const QSize size(80, 27);
    button->setGeometry(QRect(QPoint(width() - size.width() - 10, height() - size.height() - 10), size));
    connect(button, &QToolButton::clicked, this, &QDialog::reject);
    return button;
}
