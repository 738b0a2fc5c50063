// Printing the current insert at its true size, the printer setup and the Calibrate action.
#include "app/orbalin.h"
#include "app/tform15.h"
#include "platform/interaction.h"
#include "platform/orbalinerror.h"
#include "platform/printjob.h"
#include "platform/waitcursor.h"
#include "print/placement.h"
#include "print/tform19.h"

#include <QFileInfo>
#include <QLineEdit>

namespace {
const QString kCoverJobTitle = QStringLiteral("Obn7000");
} // namespace

CoverMode TForm15::currentMode() const {
    const std::optional<SlotInfo> slot = currentSlot();
    return slot ? slot->mode : CoverMode::CdCover;
}

Placement TForm15::printPlacement(const CalibrationTexts& texts, const QString& whatNotPrinted,
                                  const std::function<QString(int)>& nameValue) const {
    const std::optional<int> across = dotsPerCentimetre(horzRes, horzSizeMm);
    const std::optional<int> down = dotsPerCentimetre(vertRes, vertSizeMm);
    if (!across || !down)
        throw OrbalinError(
            QStringLiteral("No printer is installed: %1 cannot be printed. Install a printer and start the "
                           "program again.")
                .arg(whatNotPrinted));
    const auto placement = placementFor(texts, *across, *down);
    if (const auto* fault = std::get_if<CalibrationFault>(&placement))
        throw OrbalinError(
            QStringLiteral("Nothing was printed: %1 %2 Correct it in the Calibrate window.")
                .arg(nameValue(fault->index), faultDescription(*fault, texts[size_t(fault->index)])));
    return std::get<Placement>(placement);
}

void TForm15::SpeedButton4Click() {
    const ModeInfo& info = modeInfo(currentMode());
    const Placement placement =
        printPlacement(calibrationText, QStringLiteral("the cover"), [&info](int index) {
            return QStringLiteral("line %1 of the calibration file \"%2\" (%3)")
                .arg(QString::number(index + 1), QLatin1String(info.calibrationFile),
                     calibrationFieldName(index));
        });
    coverDotsX = placement.width;
    coverDotsY = placement.height;

    const WaitCursor busy;
    PrintJob job(program_.context.printer, kCoverJobTitle);
    if (const std::optional<SlotInfo> slot = currentSlot())
        slotKept[slot->index] = slotPicture[slot->index];
    const SlotInfo& first = slotOf(info.mode, false);
    const SlotInfo& second = slotOf(info.mode, true);
    if (slotLoaded[first.index])
        PrintDIB1.StretchDrawDIB(job.canvas(), placement.left1, placement.top1, coverDotsX, coverDotsY,
                                 slotKept[first.index].bitmap());
    if (slotLoaded[second.index])
        PrintDIB1.StretchDrawDIB(job.canvas(), placement.left2, placement.top2, coverDotsX, coverDotsY,
                                 slotKept[second.index].bitmap());
    job.finish();
}

void TForm15::SpeedButton6Click() {
    if (!ui().printerSetup(this, program_.context.printer))
        return;
    printerChanged.fill(true);
    // Mini Cd measures its size again too, so the small disc prints true on the new printer.
    applyTrueSize(currentMode());
}

void TForm15::SpeedButton11Click() {
    const ModeInfo& info = modeInfo(currentMode());
    TForm19& window = *program_.Form19;
    window.showSketchOf(info.mode);
    const std::array<QLineEdit*, 6> edits = window.edits();
    // A file that cannot be read is reported and the window opens as if there were none, so Ok can
    // replace it.
    std::optional<CalibrationTexts> texts;
    if (QFileInfo::exists(calibrationPath(info))) {
        try {
            texts = readCalibrationFile(info);
        } catch (const OrbalinError& error) {
            ui().message(this,
                         error.message() + QStringLiteral("\nThe Calibrate window starts from the default "
                                                          "size; Ok replaces the file."));
        }
    }
    if (texts) {
        for (size_t i = 0; i < 4; ++i)
            edits[i]->setText((*texts)[i]);
        bool& changed = printerChanged[size_t(info.printerChangedIndex)];
        const bool takeNewSize = changed;
        edits[4]->setText(takeNewSize ? calibrationText[4] : (*texts)[4]);
        edits[5]->setText(takeNewSize ? calibrationText[5] : (*texts)[5]);
        changed = false;
    } else {
        edits[4]->setText(QString::number(coverDotsX));
        edits[5]->setText(QString::number(coverDotsY));
        calibrationText = defaultCalibration(coverDotsX, coverDotsY);
    }
    ui().showModal(window);
}

void TForm15::applyTrueSize(CoverMode mode) {
    readPrinterMetrics();
    const std::optional<DotSize> size = trueSizeOf(mode);
    if (!size)
        throw OrbalinError(
            QStringLiteral("The printer gives no page size, so the true size of the cover cannot "
                           "be measured. Check the printer's set-up."));
    setCoverDots(*size);
    calibrationText[4] = QString::number(coverDotsX);
    calibrationText[5] = QString::number(coverDotsY);
}
