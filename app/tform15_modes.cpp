// Switching between the four kinds of insert.
#include "app/orbalin.h"
#include "app/statuspanels.h"
#include "app/tform15.h"
#include "decor/tform18.h"
#include "platform/qt/imageview.h"
#include "platform/linelist.h"
#include "print/tform19.h"

#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QToolButton>

void TForm15::switchToMode(CoverMode mode) {
    const ModeInfo& info = modeInfo(mode);
    SpeedButton23->setEnabled(info.effectsEnabled);
    if (info.printEnabled)
        SpeedButton4->setEnabled(*info.printEnabled);
    program_.Form18->Image22->clear();
    gradientState = 0;
    resetTextStatus();

    if (currentModeText() == QLatin1String(info.statusText)) {
        Panel1->setVisible(info.showsChooserWhenCurrent);
        return;
    }

    resetFloatingText();

    // Only the current slot of the mode being left is parked; its other slot keeps its picture.
    const std::optional<SlotInfo> leaving = currentSlot();
    const bool fromAnotherMode = leaving && leaving->mode != mode;
    if (fromAnotherMode && slotLoaded[leaving->index]) {
        slotKept[leaving->index] = slotPicture[leaving->index];
        slotPicture[leaving->index].clear();
        repaintPreview();
    }
    if (fromAnotherMode) {
        const SlotInfo& first = slotOf(mode, false);
        slotPicture[first.index] = slotKept[first.index];
        repaintPreview();
    }

    StatusBar1->setText(3, QLatin1String(info.statusText));
    StatusBar1->setText(2, slotStatusText(false));
    Panel1->hide();
    slotCode = modeNumber(mode);
    repaintPreview();

    loadModeCalibration(info);
}

// A calibrated mode takes its file's lines, except that after a printer change its printed size
// is measured again once. An uncalibrated mode takes its size from the printer of the moment.
void TForm15::loadModeCalibration(const ModeInfo& info) {
    const std::array<QLineEdit*, 6> edits = program_.Form19->edits();
    if (QFileInfo::exists(calibrationPath(info))) {
        const CalibrationTexts texts = readCalibrationFile(info);
        for (size_t i = 0; i < edits.size(); ++i)
            edits[i]->setText(texts[i]);
        for (size_t i = 0; i < 4; ++i)
            calibrationText[i] = texts[i];
        bool& changed = printerChanged[static_cast<size_t>(info.printerChangedIndex)];
        if (!changed) {
            calibrationText[4] = texts[4];
            calibrationText[5] = texts[5];
            return;
        }
        readPrinterMetrics();
        if (const std::optional<DotSize> newSize = trueSizeOf(info.mode)) {
            setCoverDots(*newSize);
            calibrationText[4] = QString::number(coverDotsX);
            calibrationText[5] = QString::number(coverDotsY);
            edits[4]->setText(calibrationText[4]);
            edits[5]->setText(calibrationText[5]);
        }
        changed = false;
        return;
    }

    // Without a printer there is no size to compute: the switch stops here, as Front Cover always did.
    if (info.mode == CoverMode::FrontCover && noPrinter)
        return;
    const std::optional<DotSize> size = trueSizeOf(info.mode);
    if (!size)
        return;
    setCoverDots(*size);
    calibrationText = defaultCalibration(coverDotsX, coverDotsY);
}

QString TForm15::calibrationPath(const ModeInfo& info) const {
    return programFolder + QLatin1String(info.calibrationFile);
}

CalibrationTexts TForm15::readCalibrationFile(const ModeInfo& info) {
    Memo1 = readLines(calibrationPath(info));
    return calibrationFromLines(Memo1, defaultCalibration(trueSizeOf(info.mode)));
}
