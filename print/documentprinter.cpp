#include "print/documentprinter.h"

#include "cover/coverdocument.h"
#include "platform/orbalinerror.h"

void readPrinterMetrics(CoverDocument& document, PrinterPort& printer) {
    document.printerReading = readPrinter(printer);
}

void setCoverDots(CoverDocument& document, const DotSize& size) {
    document.coverDotsXF = size.xf;
    document.coverDotsYF = size.yf;
    document.coverDotsX = size.x;
    document.coverDotsY = size.y;
}

void applyTrueSize(CoverDocument& document, PrinterPort& printer, CoverMode mode) {
    readPrinterMetrics(document, printer);
    const std::optional<DotSize> size = trueSizeOf(document.printerReading, mode);
    if (!size)
        throw OrbalinError(
            QStringLiteral("The printer gives no page size, so the true size of the cover cannot "
                           "be measured. Check the printer's set-up."));
    setCoverDots(document, *size);
    document.calibrationText[4] = QString::number(document.coverDotsX);
    document.calibrationText[5] = QString::number(document.coverDotsY);
}
