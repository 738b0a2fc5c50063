#pragma once

#include "cover/covermode.h"
#include "print/calibrationfile.h"
#include "print/pageplan.h"
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
// The page of the printer of the moment: its sheet and canvas from the port, the dots per
// centimetre from the stored metrics, as Print has always multiplied by. nullopt without a
// printer. Throws OrbalinError when the print service does not answer.
std::optional<PrinterPage> printerPageOf(const CoverDocument& document, PrinterPort& printer);

// The page Export PDF writes: the printer's, or A4 with the pictures at their true size when
// there is no printer or the print service does not answer. A note for the user says so in the
// last case.
struct ExportPage {
    PrinterPage page;
    bool onPrinter = false;
    QString note;
};
ExportPage exportPageOf(const CoverDocument& document, PrinterPort& printer);

// "Nothing was printed: <value> is empty. Correct it in the Calibrate window.", with `outcome` in
// place of "Nothing was printed".
QString calibrationFaultMessage(const QString& outcome, const QString& valueName,
                                const CalibrationFault& fault, const CalibrationTexts& texts);

// The page Print makes of the texts on the printer of the moment. Throws OrbalinError when there
// is no printer or a value cannot be used, naming the value by nameValue(index).
PagePlan printPagePlan(const CoverDocument& document, PrinterPort& printer, const CalibrationTexts& texts,
                       bool first, bool second, const QString& whatNotPrinted,
                       const std::function<QString(int)>& nameValue);
