#include "print/printermetrics.h"

#include "cover/coverdocument.h"
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
    return trueSize(document.horzRes, document.horzSizeMm, info.factorX, document.vertRes,
                    document.vertSizeMm, info.factorY);
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
        throw OrbalinError(
            QStringLiteral("The printer gives no page size, so the true size of the cover cannot "
                           "be measured. Check the printer's set-up."));
    setCoverDots(document, *size);
    document.calibrationText[4] = QString::number(document.coverDotsX);
    document.calibrationText[5] = QString::number(document.coverDotsY);
}

std::optional<PrinterPage> printerPageOf(const CoverDocument& document, PrinterPort& printer) {
    const std::optional<PageGeometry> sheet = printer.pageGeometry();
    const QSize dots(printer.deviceCaps(DeviceCap::HORZRES), printer.deviceCaps(DeviceCap::VERTRES));
    const std::optional<int> across = dotsPerCentimetre(document.horzRes, document.horzSizeMm);
    const std::optional<int> down = dotsPerCentimetre(document.vertRes, document.vertSizeMm);
    if (!sheet || dots.isEmpty() || !across || !down)
        return std::nullopt;
    return PrinterPage{*sheet, dots, *across, *down};
}

ExportPage exportPageOf(const CoverDocument& document, PrinterPort& printer) {
    try {
        if (const std::optional<PrinterPage> page = printerPageOf(document, printer))
            return {*page, true, QString()};
        return {a4Page(), false, QString()};
    } catch (const OrbalinError& silence) {
        return {
            a4Page(), false,
            QStringLiteral("The print service did not answer, so the PDF was written on an A4 sheet with the "
                           "pictures at their true size, as without a printer.\n%1")
                .arg(silence.message())};
    }
}

QString calibrationFaultMessage(const QString& outcome, const QString& valueName,
                                const CalibrationFault& fault, const CalibrationTexts& texts) {
    return QStringLiteral("%1: %2 %3 Correct it in the Calibrate window.")
        .arg(outcome, valueName, faultDescription(fault, texts[size_t(fault.index)]));
}

PagePlan printPagePlan(const CoverDocument& document, PrinterPort& printer, const CalibrationTexts& texts,
                       bool first, bool second, const QString& whatNotPrinted,
                       const std::function<QString(int)>& nameValue) {
    const std::optional<PrinterPage> page = printerPageOf(document, printer);
    if (!page)
        throw OrbalinError(
            QStringLiteral("No printer is installed: %1 cannot be printed. Install a printer and start the "
                           "program again.")
                .arg(whatNotPrinted));
    const auto plan = pagePlanFor(texts, *page, first, second);
    if (const auto* fault = std::get_if<CalibrationFault>(&plan))
        throw OrbalinError(calibrationFaultMessage(QStringLiteral("Nothing was printed"),
                                                   nameValue(fault->index), *fault, texts));
    return std::get<PagePlan>(plan);
}
