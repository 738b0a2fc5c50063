#include "app/clientarea.h"

#include <QPainter>

namespace {
constexpr int kTopBarHeight = 68;
constexpr int kRightBarWidth = 72;
constexpr int kStatusBarHeight = 20;
} // namespace

ClientArea::ClientArea(QWidget* window, std::function<void(QPainter&)> paint)
    : QWidget(window), paint_(std::move(paint)) {
    setObjectName(QStringLiteral("client"));
    setMouseTracking(true);
}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter canvas(this);
    paint_(canvas);
}

QWidget* ClientArea::bar(const char* name) const {
    return findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

// The tool bars sit on top and right, the status bar at the bottom, as aligned panels do.
void ClientArea::resizeEvent(QResizeEvent*) {
    const int w = width();
    const int h = height();
    if (QWidget* top = bar("Menu"))
        top->setGeometry(0, 0, w, kTopBarHeight);
    if (QWidget* status = bar("StatusBar1"))
        status->setGeometry(0, h - kStatusBarHeight, w, kStatusBarHeight);
    if (QWidget* right = bar("Menu1"))
        right->setGeometry(w - kRightBarWidth, kTopBarHeight, kRightBarWidth,
                           h - kTopBarHeight - kStatusBarHeight);
}
