#include "app/tform6.h"

#include "cover/glyphs.h"

#include <QApplication>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QThread>

TForm6::TForm6(QWidget* mainWindow, int pauseMs) : QWidget(mainWindow, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form6"));
    setFixedSize(420, 415);
    // Only a 400-pixel disc of the window shows.
    setMask(QRegion(0, 0, 400, 400, QRegion::Ellipse));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (pauseMs > 0)
        QThread::msleep(static_cast<unsigned long>(pauseMs));
    hide();
    mainWindow->show();
}

void TForm6::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(-1, -1, startupPicture());
}
