#include "doubles/fakemainwindow.h"

CoverDocument& FakeMainWindow::document() {
    return doc;
}

QString FakeMainWindow::statusText(int panel) const {
    return panel == 2 ? picturePanel : modePanel;
}

void FakeMainWindow::setStatusText(int, const QString&) {}

void FakeMainWindow::repaintPreview() {
    asked << "repaint";
}

void FakeMainWindow::resizePicture() {
    asked << "resize";
}

void FakeMainWindow::resizeAdjustPicture() {
    asked << "resizeAdjust";
}

void FakeMainWindow::restorePicture() {
    asked << "restore";
}

void FakeMainWindow::switchToMode(CoverMode) {
    asked << "switch";
}
