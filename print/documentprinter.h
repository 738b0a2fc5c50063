#pragma once

#include "cover/covermode.h"
#include "print/printermetrics.h"
#include "print/truesize.h"

struct CoverDocument;
class PrinterPort;

// The document's printer metrics and printed size, shared by the main window and Calibrate. The
// arithmetic itself takes the metrics alone (printermetrics.h).

// Reads the default printer's metrics into the document.
void readPrinterMetrics(CoverDocument& document, PrinterPort& printer);
void setCoverDots(CoverDocument& document, const DotSize& size);
// Reads the printer metrics again and takes the mode's true size as the printed size, into the
// cover dots and the calibration's last two texts. Throws OrbalinError when the printer gives
// no size.
void applyTrueSize(CoverDocument& document, PrinterPort& printer, CoverMode mode);
