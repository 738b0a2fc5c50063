#include "doubles/fakemainwindow.h"

FakeMainWindow::FakeMainWindow() {
    doc.programFolder = doc.ownFolder = folder_.path() + QLatin1Char('/');
}

CoverDocument& FakeMainWindow::document() {
    return doc;
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

Picture FakeMainWindow::pictureToDrawOn(const SlotInfo& slot) const {
    return doc.slotPicture[size_t(slot.index)];
}

void FakeMainWindow::switchToMode(CoverMode) {
    asked << "switch";
}
