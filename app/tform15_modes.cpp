// Switching between the four kinds of insert.
#include "app/orbalin.h"
#include "app/tform15.h"
#include "platform/linelist.h"
#include "platform/orbalinerror.h"
#include "platform/qt/statuspanels.h"
#include "print/documentprinter.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QToolButton>

void TForm15::switchToMode(CoverMode mode) {
    const ModeInfo& info = modeInfo(mode);
    SpeedButton23->setEnabled(info.effectsEnabled);
    Effects1->setEnabled(info.effectsEnabled);
    if (info.printEnabled)
        SpeedButton4->setEnabled(*info.printEnabled);
    // The Gradient window empties its picture when it next opens with the state at 0.
    document_.gradientState = 0;
    resetTextStatus();

    if (document_.currentMode() == mode) {
        Panel1->setVisible(info.showsChooserWhenCurrent);
        return;
    }

    resetFloatingText();

    // Only the current slot of the mode being left is parked; its other slot keeps its picture.
    const std::optional<SlotInfo> leaving = document_.currentSlot();
    StatusBar1->setText(3, QLatin1String(info.statusText));
    StatusBar1->setText(2, slotStatusText(false));
    Panel1->hide();
    if (leaving && leaving->mode != mode)
        document_.switchSlot(modeNumber(mode), document_.slotLoaded[leaving->index]);
    else
        document_.showSlot(modeNumber(mode));

    loadModeStock();
    loadModeCalibration(info);
}

// A calibrated mode takes its file's lines, except that after a printer change its printed size
// is measured again once. An uncalibrated mode takes its size from the printer of the moment.
void TForm15::loadModeCalibration(const ModeInfo& info) {
    if (QFileInfo::exists(document_.calibrationPath(info.mode))) {
        CalibrationTexts texts;
        try {
            texts = readCalibrationFile(info);
        } catch (const OrbalinError&) {
            // The mode falls back to its own true size, never to the previous mode's.
            if (const std::optional<DotSize> size = trueSizeOf(document_.printerReading, info.mode))
                setCoverDots(document_, *size);
            document_.calibrationText = defaultCalibration(trueSizeOf(document_.printerReading, info.mode));
            throw;
        }
        for (size_t i = 0; i < 4; ++i)
            document_.calibrationText[i] = texts[i];
        // After a printer change the file's size belongs to the old printer, until the user saves.
        if (!document_.printerChangedFor(info.mode)) {
            document_.calibrationText[4] = texts[4];
            document_.calibrationText[5] = texts[5];
            return;
        }
        readPrinterMetrics(document_, program_.context.printer);
        if (const std::optional<DotSize> newSize = trueSizeOf(document_.printerReading, info.mode)) {
            setCoverDots(document_, *newSize);
            document_.calibrationText[4] = QString::number(document_.coverDotsX);
            document_.calibrationText[5] = QString::number(document_.coverDotsY);
        }
        return;
    }

    // Without a printer there is no size to compute: the switch stops here, as Front Cover always did.
    if (info.mode == CoverMode::FrontCover && document_.noPrinter)
        return;
    const std::optional<DotSize> size = trueSizeOf(document_.printerReading, info.mode);
    if (!size)
        return;
    setCoverDots(document_, *size);
    document_.calibrationText = defaultCalibration(document_.coverDotsX, document_.coverDotsY);
}

CalibrationTexts TForm15::readCalibrationFile(const ModeInfo& info) {
    return calibrationFromLines(readLines(document_.calibrationPath(info.mode)),
                                defaultCalibration(trueSizeOf(document_.printerReading, info.mode)));
}
