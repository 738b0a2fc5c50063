#pragma once

#include "app/covermode.h"
#include "platform/printerport.h"
#include "print/calibrationfile.h"
#include "print/placement.h"

#include <QRectF>
#include <QSizeF>
#include <optional>
#include <variant>

// The page Export PDF writes: one page of the printer's paper size, each picture at its calibrated
// place measured from the printable area's corner and at the insert's true size, so that printing
// the file at 100 % on that printer gives the sheet Print gives.
struct PdfPage {
    QSizeF paperMm;
    std::optional<QRectF> first;  // on the sheet, in millimetres from its top-left corner
    std::optional<QRectF> second; // nullopt: the picture is not printed
};

// The sheet when no printer is installed: A4, all of it printable.
PageGeometry a4Sheet();

// Only the offsets are read from the calibration: the size is the insert's own. A fault names the
// offset that cannot be used.
std::variant<PdfPage, CalibrationFault> pdfPageFor(const PageGeometry& sheet, const CalibrationTexts& texts,
                                                   CoverMode mode, bool first, bool second);
