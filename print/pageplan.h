#pragma once

#include "cover/covermode.h"
#include "platform/printerport.h"
#include "print/calibrationfile.h"
#include "print/placement.h"

#include <QRect>
#include <QRectF>
#include <QSize>
#include <variant>
#include <vector>

// The page Print makes, in printer dots and on the sheet in millimetres. Print draws its dots,
// Print preview shows it and Export PDF writes its millimetres: all three take it from here.

// What the page depends on in the printer: the sheet, the job's canvas in dots over the printable
// area, and the whole dots per centimetre the calibration's offsets are multiplied by.
struct PrinterPage {
    PageGeometry sheet;
    QSize printableDots;
    int dotsPerCmAcross = 0;
    int dotsPerCmDown = 0;
};

// The page without a printer: A4, all of it printable, at 600 dpi.
PrinterPage a4Page();

enum class PageSide { Left, Top, Right, Bottom };

// A strip of a picture on one side that falls outside the printable area.
struct PageCut {
    PageSide side = PageSide::Left;
    double mm = 0;

    bool operator==(const PageCut&) const = default;
};

struct PagePicture {
    bool second = false;
    QRect dots;                // as the job draws it, from the printable area's corner
    QRectF sheetMm;            // on the sheet, from its top-left corner
    std::vector<PageCut> cuts; // in the order left, top, right, bottom; none when it all prints
};

// A line along which an insert is cut out of the sheet, in sheet millimetres; a disc's hub hole
// is cut out too.
struct DieCut {
    QRectF outline;
    bool round = false;
    QRectF hub; // empty for the rectangular inserts
};

// The sheet, the pictures that print on it, Picture #1 first, and where the sheet is cut: the
// label stock's die-cuts, or each picture's own (print/stockplacement.h). Whether the cuts are
// drawn is the output's choice (print/pagerenderer.h).
struct PagePlan {
    PageGeometry sheet;
    QSize printableDots;
    Placement placement;
    std::vector<PagePicture> pictures;
    std::vector<DieCut> dieCuts;

    bool anyCut() const;
};

// Lays out the pictures the placement puts on a printer whose printable area
// (`sheet.printableMm`) is `printableDots` across and down. Pictures not printed are left out.
PagePlan planPage(const PageGeometry& sheet, QSize printableDots, const Placement& placement, bool first,
                  bool second);

// The calibration on the printer's page; a fault names the value that cannot be used.
std::variant<PagePlan, CalibrationFault> pagePlanFor(const CalibrationTexts& texts,
                                                     const PrinterPage& printer, bool first, bool second);

// The texts with the printed size replaced by the mode's true size on the page's printer.
CalibrationTexts withTrueSize(const CalibrationTexts& texts, CoverMode mode, const PrinterPage& printer);
