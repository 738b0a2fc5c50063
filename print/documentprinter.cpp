#include "print/documentprinter.h"

#include "cover/coverdocument.h"
#include "platform/orbalinerror.h"

PrinterReading printerReadingOf(const CoverDocument& document) {
    PrinterReading metrics;
    metrics.logPixelsX = document.logPixelsX;
    metrics.logPixelsY = document.logPixelsY;
    metrics.horzSizeMm = document.horzSizeMm;
    metrics.vertSizeMm = document.vertSizeMm;
    metrics.horzRes = document.horzRes;
    metrics.vertRes = document.vertRes;
    return metrics;
}

void readPrinterMetrics(CoverDocument& document, PrinterPort& printer) {
    const PrinterReading metrics = readPrinter(printer);
    document.logPixelsX = metrics.logPixelsX;
    document.logPixelsY = metrics.logPixelsY;
    document.horzSizeMm = metrics.horzSizeMm;
    document.vertSizeMm = metrics.vertSizeMm;
    document.horzRes = metrics.horzRes;
    document.vertRes = metrics.vertRes;
}

void setCoverDots(CoverDocument& document, const DotSize& size) {
    document.coverDotsXF = size.xf;
    document.coverDotsYF = size.yf;
    document.coverDotsX = size.x;
    document.coverDotsY = size.y;
}

void applyTrueSize(CoverDocument& document, PrinterPort& printer, CoverMode mode) {
    readPrinterMetrics(document, printer);
    const std::optional<DotSize> size = trueSizeOf(printerReadingOf(document), mode);
    if (!size)
        throw OrbalinError(
            QStringLiteral("The printer gives no page size, so the true size of the cover cannot "
                           "be measured. Check the printer's set-up."));
    setCoverDots(document, *size);
    document.calibrationText[4] = QString::number(document.coverDotsX);
    document.calibrationText[5] = QString::number(document.coverDotsY);
}
