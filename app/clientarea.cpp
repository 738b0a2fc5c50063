#include "app/clientarea.h"

#include "app/tform15.h"
#include "platform/qt/statuspanels.h"

#include <QFrame>
#include <QPainter>

namespace {
constexpr int kTopBarHeight = 68;
constexpr int kRightBarWidth = 72;
constexpr int kStatusBarHeight = 20;
} // namespace

ClientArea::ClientArea(TForm15& window) : QWidget(&window), window_(window) {
    setObjectName(QStringLiteral("client"));
    setMouseTracking(true);
}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter canvas(this);
    window_.FormPaint(canvas);
}

// The tool bars sit on top and right, the status bar at the bottom, as aligned panels do.
void ClientArea::resizeEvent(QResizeEvent*) {
    const int w = width();
    const int h = height();
    if (window_.Menu)
        window_.Menu->setGeometry(0, 0, w, kTopBarHeight);
    if (window_.StatusBar1)
        window_.StatusBar1->setGeometry(0, h - kStatusBarHeight, w, kStatusBarHeight);
    if (window_.Menu1)
        window_.Menu1->setGeometry(w - kRightBarWidth, kTopBarHeight, kRightBarWidth,
                                   h - kTopBarHeight - kStatusBarHeight);
}
