#include "platform/qt/fixeddialog.h"

#include "platform/qt/windowface.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QToolButton>

FixedDialog::FixedDialog(QWidget* owner, const QString& objectName, const QString& caption, QSize clientSize,
                         TitleButtons buttons)
    : QDialog(owner), buttons_(buttons) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setFixedSize(clientSize);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (buttons == TitleButtons::Close)
        flags |= Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
}

void FixedDialog::useMainWindowFace() {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, mainWindowFace());
    setPalette(colours);
    setAutoFillBackground(true);
}

void FixedDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && buttons_ == TitleButtons::None) {
        event->accept();
        return;
    }
    // Our buttons are tool buttons, which answer Space only; Enter presses the focused one too.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget()); button && button->isEnabled()) {
            event->accept();
            button->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
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
