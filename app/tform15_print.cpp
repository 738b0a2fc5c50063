// Printing the current insert at its true size, the printer setup and the Calibrate action.
#include "app/orbalin.h"
#include "app/tform15.h"
#include "platform/interaction.h"
#include "print/coverpage.h"
#include "print/documentprinter.h"
#include "print/pagecheck.h"
#include "print/stockplacement.h"
#include "print/tform19.h"

#include <QFileInfo>

namespace {
const QString kCoverJobTitle = QStringLiteral("Obn7000");
} // namespace

QString TForm15::calibrationValueName(int index) const {
    return QStringLiteral("line %1 of the calibration file \"%2\" (%3)")
        .arg(QString::number(index + 1), QLatin1String(modeInfo(document_.currentMode()).calibrationFile),
             calibrationFieldName(index));
}

PagePlan TForm15::coverPagePlan() const {
    const CoverMode mode = document_.currentMode();
    return printPagePlan(document_.printerReading, program_.context.printer, document_.calibrationText,
                         document_.slotLoaded[slotOf(mode, false).index],
                         document_.slotLoaded[slotOf(mode, true).index] && secondHasLabel(),
                         QStringLiteral("the cover"),
                         [this](int index) { return calibrationValueName(index); });
}

void TForm15::SpeedButton4Click() {
    const ModeInfo& info = modeInfo(document_.currentMode());
    const PagePlan plan = coverPagePlan();
    document_.coverDotsX = plan.placement.width;
    document_.coverDotsY = plan.placement.height;
    if (plan.pictures.empty()) {
        const bool leftOff = document_.slotLoaded[slotOf(info.mode, true).index] && !secondHasLabel();
        ui().message(this, leftOff ? secondLeftOff(*modeStock_, info.mode)
                                   : nothingOnThePage(info.mode, QStringLiteral("print")));
        return;
    }
    if (!printAnywayWhenCut(ui(), this, plan))
        return;

    if (const std::optional<SlotInfo> slot = document_.currentSlot())
        document_.refreshKept(size_t(slot->index));
    const double dpi = document_.printerReading.logPixelsX;
    const PagePictures printed = sharpPictures(
        plan, [dpi](const PagePicture& placed) { return printedSize(placed.dots.size(), dpi); });
    printCoverPage(program_.context.printer, kCoverJobTitle, plan, printed.first, printed.second);
}

void TForm15::SpeedButton6Click() {
    if (!ui().printerSetup(this, program_.context.printer))
        return;
    document_.printerChanged.fill(true);
    // Mini Cd measures its size again too, so the small disc prints true on the new printer.
    applyTrueSize(document_, program_.context.printer, document_.currentMode());
}

// The window shows the calibration printing uses, also when its file has gone meanwhile.
void TForm15::SpeedButton11Click() {
    const ModeInfo& info = modeInfo(document_.currentMode());
    if (!QFileInfo::exists(document_.calibrationPath(info.mode)))
        document_.calibrationText = calibrationWithoutFile(document_.calibrationText,
                                                           trueSizeOf(document_.printerReading, info.mode));
    program_.Form19->prepareFor(info.mode, document_.calibrationText);
    ui().showModal(*program_.Form19);
}
