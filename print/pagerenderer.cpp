#include "print/pagerenderer.h"

#include "print/pageplan.h"
#include "print/pagepreview.h"
#include "print/printdib.h"

#include <QPainter>
#include <QTransform>

namespace {

const QColor kPrintableEdge(0, 100, 220);
const QColor kCutFill(230, 0, 0, 110);
const QColor kCutEdge(230, 0, 0);
const QColor kHairline(150, 150, 150);
const QColor kDashes(40, 40, 40);

// Sheet millimetres to the painter's units.
QTransform sheetToUnits(const PagePlan& plan, const PageUnits& units) {
    QTransform to;
    if (units.dots) {
        const QRectF printable = plan.sheet.printableMm;
        to.scale(plan.printableDots.width() / printable.width(),
                 plan.printableDots.height() / printable.height());
        to.translate(-printable.left(), -printable.top());
    } else {
        to.translate(units.origin.x(), units.origin.y());
        to.scale(units.perMm, units.perMm);
    }
    return to;
}

// Printer dots to the painter's units: exactly none for the printer's own canvas, so the job
// draws at the plan's dots.
QTransform dotsToUnits(const PagePlan& plan, const PageUnits& units) {
    QTransform to;
    if (units.dots)
        return to;
    const QRectF printable = plan.sheet.printableMm;
    to.translate(units.origin.x(), units.origin.y());
    to.scale(units.perMm, units.perMm);
    to.translate(printable.left(), printable.top());
    to.scale(printable.width() / plan.printableDots.width(),
             printable.height() / plan.printableDots.height());
    return to;
}

void drawOutline(QPainter& painter, const DieCut& cut) {
    if (cut.round)
        painter.drawEllipse(cut.outline);
    else
        painter.drawRect(cut.outline);
    if (!cut.hub.isEmpty())
        painter.drawEllipse(cut.hub);
}

// The painter as it was handed over, also when a picture cannot be drawn.
class SavedState {
public:
    explicit SavedState(QPainter& painter) : painter_(painter) { painter_.save(); }
    ~SavedState() { painter_.restore(); }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

private:
    QPainter& painter_;
};

} // namespace

PageStyle printStyle() {
    return {PictureRoute::PrinterDib, DieCutLines::None, false};
}

// The pictures as the printer gets them, so the preview shows what prints.
PageStyle previewStyle() {
    return {PictureRoute::PrinterDib, DieCutLines::PreviewDashes, true};
}

PageStyle pdfStyle(bool dieCutLines) {
    return {PictureRoute::Embedded, dieCutLines ? DieCutLines::Hairline : DieCutLines::None, false};
}

PageUnits PageUnits::printerDots() {
    return {};
}

PageUnits PageUnits::perMillimetre(double perMm, QPointF origin) {
    return {false, perMm, origin};
}

PageRenderer::PageRenderer(const PagePlan& plan, const QImage* first, const QImage* second, PageStyle style)
    : plan_(plan), first_(first), second_(second), style_(style) {}

std::vector<QRect> PageRenderer::draw(QPainter& painter, const PageUnits& units) const {
    std::vector<QRect> drawn;
    // Without printer dots there is no place for a picture, and a canvas of no dots takes nothing.
    const bool placed = !plan_.printableDots.isEmpty() && !plan_.sheet.printableMm.isEmpty();
    if (!placed && units.dots)
        return drawn;
    const SavedState saved(painter);
    const QTransform device = painter.transform();
    const QTransform sheet = sheetToUnits(plan_, units) * device;
    if (style_.printableMarks) {
        painter.setTransform(sheet);
        painter.fillRect(QRectF(QPointF(0, 0), plan_.sheet.paperMm), Qt::white);
    }
    if (placed) {
        painter.setTransform(dotsToUnits(plan_, units) * device);
        drawPictures(painter, drawn);
    }
    painter.setTransform(sheet);
    if (style_.printableMarks)
        drawPrintableMarks(painter);
    drawDieCuts(painter);
    return drawn;
}

void PageRenderer::drawPictures(QPainter& painter, std::vector<QRect>& drawn) const {
    const TPrintDIB dib;
    // Without this a file would carry the pictures as JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    for (const PagePicture& picture : plan_.pictures) {
        const QImage* bitmap = picture.second ? second_ : first_;
        if (bitmap == nullptr)
            continue;
        const QRect& at = picture.dots;
        if (style_.pictures == PictureRoute::PrinterDib)
            dib.StretchDrawDIB(painter, at.left(), at.top(), at.width(), at.height(), *bitmap);
        else
            painter.drawImage(at, *bitmap);
        drawn.push_back(at);
    }
}

void PageRenderer::drawPrintableMarks(QPainter& painter) const {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kPrintableEdge, 0, Qt::DashLine));
    painter.drawRect(plan_.sheet.printableMm);
    painter.setPen(QPen(kCutEdge, 0));
    for (const PagePicture& picture : plan_.pictures)
        for (const QRectF& area : cutAreas(picture, plan_.sheet)) {
            painter.fillRect(area, kCutFill);
            painter.drawRect(area);
        }
}

void PageRenderer::drawDieCuts(QPainter& painter) const {
    painter.setBrush(Qt::NoBrush);
    switch (style_.dieCuts) {
    case DieCutLines::None:
        return;
    case DieCutLines::Hairline:
        painter.setPen(QPen(kHairline, 0));
        for (const DieCut& cut : plan_.dieCuts)
            drawOutline(painter, cut);
        return;
    case DieCutLines::PreviewDashes:
        for (const DieCut& cut : plan_.dieCuts)
            for (const QPen& pen : {QPen(Qt::white, 0), QPen(kDashes, 0, Qt::DashDotLine)}) {
                painter.setPen(pen);
                drawOutline(painter, cut);
            }
        return;
    }
}
