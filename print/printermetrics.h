#pragma once

#include "cover/covermode.h"
#include "cover/printerreading.h"
#include "print/calibrationfile.h"
#include "print/pageplan.h"
#include "print/truesize.h"

#include <QString>
#include <functional>
#include <optional>

class PrinterPort;

// Reads the default printer's metrics, in the order the program always has.
PrinterReading readPrinter(PrinterPort& printer);
// The true size of the mode in dots from the kept metrics; nullopt without a printer.
std::optional<DotSize> trueSizeOf(const PrinterReading& metrics, CoverMode mode);
// The page of the printer of the moment: its sheet and canvas from the port, the dots per
// centimetre from the kept metrics, as Print has always multiplied by. nullopt without a
// printer. Throws OrbalinError when the print service does not answer.
std::optional<PrinterPage> printerPageOf(const PrinterReading& metrics, PrinterPort& printer);

// The page Export PDF writes: the printer's, or A4 with the pictures at their true size when
// there is no printer or the print service does not answer. A note for the user says so in the
// last case.
struct ExportPage {
    PrinterPage page;
    bool onPrinter = false;
    QString note;
};
ExportPage exportPageOf(const PrinterReading& metrics, PrinterPort& printer);

// "Nothing was printed: <value> is empty. Correct it in the Calibrate window.", with `outcome` in
// place of "Nothing was printed".
QString calibrationFaultMessage(const QString& outcome, const QString& valueName,
                                const CalibrationFault& fault, const CalibrationTexts& texts);

// The page Print makes of the texts on the printer of the moment. Throws OrbalinError when there
// is no printer or a value cannot be used, naming the value by nameValue(index).
PagePlan printPagePlan(const PrinterReading& metrics, PrinterPort& printer, const CalibrationTexts& texts,
                       bool first, bool second, const QString& whatNotPrinted,
                       const std::function<QString(int)>& nameValue);
