#include "print/printermetrics.h"

#include "app/coverdocument.h"
#include "platform/orbalinerror.h"
#include "platform/printerport.h"

void readPrinterMetrics(CoverDocument& document, PrinterPort& printer) {
    const auto read = [&printer](DeviceCap index) { return static_cast<float>(printer.deviceCaps(index)); };
    document.logPixelsX = read(DeviceCap::LOGPIXELSX);
    document.logPixelsY = read(DeviceCap::LOGPIXELSY);
    document.horzSizeMm = read(DeviceCap::HORZSIZE);
    document.vertSizeMm = read(DeviceCap::VERTSIZE);
    document.vertRes = read(DeviceCap::VERTRES);
    document.horzRes = read(DeviceCap::HORZRES);
}

std::optional<DotSize> trueSizeOf(const CoverDocument& document, CoverMode mode) {
    const ModeInfo& info = modeInfo(mode);
    return trueSize(document.horzRes, document.horzSizeMm, info.factorX, document.vertRes, document.vertSizeMm,
                    info.factorY);
}

void setCoverDots(CoverDocument& document, const DotSize& size) {
    document.coverDotsXF = size.xf;
    document.coverDotsYF = size.yf;
    document.coverDotsX = size.x;
    document.coverDotsY = size.y;
}

void applyTrueSize(CoverDocument& document, PrinterPort& printer, CoverMode mode) {
    readPrinterMetrics(document, printer);
    const std::optional<DotSize> size = trueSizeOf(document, mode);
    if (!size)
        throw OrbalinError(QStringLiteral("The printer gives no page size, so the true size of the cover cannot "
                                          "be measured. Check the printer's set-up."));
    setCoverDots(document, *size);
    document.calibrationText[4] = QString::number(document.coverDotsX);
    document.calibrationText[5] = QString::number(document.coverDotsY);
}

Placement printPlacement(const CoverDocument& document, const CalibrationTexts& texts,
                         const QString& whatNotPrinted, const std::function<QString(int)>& nameValue) {
    const std::optional<int> across = dotsPerCentimetre(document.horzRes, document.horzSizeMm);
    const std::optional<int> down = dotsPerCentimetre(document.vertRes, document.vertSizeMm);
    if (!across || !down)
        throw OrbalinError(
            QStringLiteral("No printer is installed: %1 cannot be printed. Install a printer and start the "
                           "program again.")
                .arg(whatNotPrinted));
    const auto placement = placementFor(texts, *across, *down);
    if (const auto* fault = std::get_if<CalibrationFault>(&placement))
        throw OrbalinError(QStringLiteral("Nothing was printed: %1 %2 Correct it in the Calibrate window.")
                               .arg(nameValue(fault->index), faultDescription(*fault, texts[size_t(fault->index)])));
    return std::get<Placement>(placement);
}
