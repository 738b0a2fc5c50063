#pragma once

#include "app/covermode.h"
#include "print/calibrationfile.h"
#include "print/placement.h"
#include "print/truesize.h"

#include <QString>
#include <functional>
#include <optional>

struct CoverDocument;
class PrinterPort;

// The document's printer metrics and printed sizes, shared by the main window and Calibrate.

// Reads the default printer's metrics into the document, in the order the program always has.
void readPrinterMetrics(CoverDocument& document, PrinterPort& printer);
// The true size of the mode in dots from the stored metrics; nullopt without a printer.
std::optional<DotSize> trueSizeOf(const CoverDocument& document, CoverMode mode);
void setCoverDots(CoverDocument& document, const DotSize& size);
// Reads the printer metrics again and takes the mode's true size as the printed size, into the
// cover dots and the calibration's last two texts. Throws OrbalinError when the printer gives
// no size.
void applyTrueSize(CoverDocument& document, PrinterPort& printer, CoverMode mode);
// Converts calibration texts to places on the page with the stored printer metrics. Throws
// OrbalinError when there is no printer or a value cannot be used, naming the value by
// nameValue(index).
Placement printPlacement(const CoverDocument& document, const CalibrationTexts& texts,
                         const QString& whatNotPrinted, const std::function<QString(int)>& nameValue);
