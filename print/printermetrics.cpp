#include "print/printermetrics.h"

#include "platform/orbalinerror.h"
#include "platform/printerport.h"

PrinterReading readPrinter(PrinterPort& printer) {
    const auto read = [&printer](DeviceCap index) { return static_cast<float>(printer.deviceCaps(index)); };
    PrinterReading metrics;
    metrics.logPixelsX = read(DeviceCap::LOGPIXELSX);
    metrics.logPixelsY = read(DeviceCap::LOGPIXELSY);
    metrics.horzSizeMm = read(DeviceCap::HORZSIZE);
    metrics.vertSizeMm = read(DeviceCap::VERTSIZE);
    metrics.vertRes = read(DeviceCap::VERTRES);
    metrics.horzRes = read(DeviceCap::HORZRES);
    return metrics;
}

std::optional<DotSize> trueSizeOf(const PrinterReading& metrics, CoverMode mode) {
    const ModeInfo& info = modeInfo(mode);
    return trueSize(metrics.horzRes, metrics.horzSizeMm, info.factorX, metrics.vertRes, metrics.vertSizeMm,
                    info.factorY);
}

std::optional<PrinterPage> printerPageOf(const PrinterReading& metrics, PrinterPort& printer) {
    const std::optional<PageGeometry> sheet = printer.pageGeometry();
    const QSize dots(printer.deviceCaps(DeviceCap::HORZRES), printer.deviceCaps(DeviceCap::VERTRES));
    const std::optional<int> across = dotsPerCentimetre(metrics.horzRes, metrics.horzSizeMm);
    const std::optional<int> down = dotsPerCentimetre(metrics.vertRes, metrics.vertSizeMm);
    if (!sheet || dots.isEmpty() || !across || !down)
        return std::nullopt;
    return PrinterPage{*sheet, dots, *across, *down};
}

ExportPage exportPageOf(const PrinterReading& metrics, PrinterPort& printer) {
    try {
        if (const std::optional<PrinterPage> page = printerPageOf(metrics, printer))
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

PagePlan printPagePlan(const PrinterReading& metrics, PrinterPort& printer, const CalibrationTexts& texts,
                       bool first, bool second, const QString& whatNotPrinted,
                       const std::function<QString(int)>& nameValue) {
    const std::optional<PrinterPage> page = printerPageOf(metrics, printer);
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
