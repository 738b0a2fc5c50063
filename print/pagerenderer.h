#pragma once

#include <QPointF>
#include <QRect>
#include <vector>

class QImage;
class QPainter;
struct PagePlan;

// One drawing of the page for every output. Print, Print preview and Export PDF each make the
// plan, pick a style and hand the renderer a painter in their own units; a new output is one more
// writer of that kind.

// How the pictures reach the device: through the DIB a printer takes, or as they are, embedded
// losslessly (a file carries them at their own pixels).
enum class PictureRoute { PrinterDib, Embedded };

// The plan's die-cut lines: none (the paper is cut already), hairlines of grey as a file carries
// them, or dashes over a white line that show on dark pictures and light ones alike.
enum class DieCutLines { None, Hairline, PreviewDashes };

struct PageStyle {
    PictureRoute pictures = PictureRoute::PrinterDib;
    DieCutLines dieCuts = DieCutLines::None;
    // For the eye only: the paper white, the printable area dashed and what lies beyond it in red.
    bool printableMarks = false;
};

PageStyle printStyle();
PageStyle previewStyle();
PageStyle pdfStyle(bool dieCutLines);

// The painter's units: the plan's own printer dots from the printable area's corner, as a print
// job's canvas takes them, or `perMm` units a millimetre with the sheet's corner at `origin`
// (PDF units, preview pixels).
struct PageUnits {
    static PageUnits printerDots();
    static PageUnits perMillimetre(double perMm, QPointF origin = {});

    bool dots = true;
    double perMm = 0;
    QPointF origin;
};

class PageRenderer {
public:
    // A null picture leaves its place empty. The plan and pictures must outlive the renderer.
    PageRenderer(const PagePlan& plan, const QImage* first, const QImage* second, PageStyle style);

    // Draws the page; the painter's state is left as it was. Returns the rectangles the pictures
    // were drawn into, in printer dots, in the order drawn. Throws OrbalinError when a picture
    // cannot be made into the printer's DIB.
    std::vector<QRect> draw(QPainter& painter, const PageUnits& units) const;

private:
    void drawPictures(QPainter& painter, std::vector<QRect>& drawn) const;
    void drawPrintableMarks(QPainter& painter) const;
    void drawDieCuts(QPainter& painter) const;

    const PagePlan& plan_;
    const QImage* first_ = nullptr;
    const QImage* second_ = nullptr;
    PageStyle style_;
};
