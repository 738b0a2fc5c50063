#include "print/pdfexport.h"

#include "platform/filemessages.h"
#include "platform/orbalinerror.h"
#include "platform/safewrite.h"
#include "print/pageplan.h"
#include "print/pagepreview.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace {

// Fine enough that a place in millimetres is kept to a thousandth of one.
constexpr int kPdfUnitsPerInch = 7200;

QPageLayout layoutOf(QSizeF paperMm) {
    const bool landscape = paperMm.width() > paperMm.height();
    const QSizeF portrait = landscape ? paperMm.transposed() : paperMm;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

QRectF inUnits(const QRectF& mm) {
    const double scale = kPdfUnitsPerInch / 25.4;
    return {mm.left() * scale, mm.top() * scale, mm.width() * scale, mm.height() * scale};
}

// A hairline: the thinnest line the printer or viewer draws.
void drawDieCuts(QPainter& painter, const std::vector<DieCut>& cuts) {
    painter.setPen(QPen(QColor(150, 150, 150), 0));
    painter.setBrush(Qt::NoBrush);
    for (const DieCut& cut : cuts) {
        if (cut.round)
            painter.drawEllipse(inUnits(cut.outline));
        else
            painter.drawRect(inUnits(cut.outline));
        if (!cut.hub.isEmpty())
            painter.drawEllipse(inUnits(cut.hub));
    }
}

bool drawPage(QIODevice& device, const QString& title, const PagePlan& plan, const QImage* first,
              const QImage* second, const std::vector<DieCut>& dieCuts) {
    QPdfWriter writer(&device);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Orbalin"));
    writer.setResolution(kPdfUnitsPerInch);
    if (!writer.setPageLayout(layoutOf(plan.sheet.paperMm)))
        return false;
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    // The pictures go in as their own pixels: without this the file would carry them as JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    for (const PagePicture& picture : plan.pictures) {
        if (const QImage* bitmap = picture.second ? second : first)
            painter.drawImage(inUnits(picture.sheetMm), *bitmap);
    }
    drawDieCuts(painter, dieCuts);
    return painter.end();
}

} // namespace

QString withPdfExtension(const QString& chosen) {
    const QString suffix = QStringLiteral(".pdf");
    const bool named = QFileInfo(chosen).fileName().endsWith(suffix, Qt::CaseInsensitive);
    return named ? chosen : chosen + suffix;
}

void writeCoverPdf(const QString& path, const QString& title, const PagePlan& plan, const QImage* first,
                   const QImage* second, const std::vector<DieCut>& dieCuts) {
    const std::optional<QString> failure = writeWhole(path, FileOwner::User, [&](QIODevice& device) {
        return drawPage(device, title, plan, first, second, dieCuts);
    });
    if (failure)
        throw OrbalinError(
            QStringLiteral("The PDF \"%1\" cannot be written. %2").arg(shownPath(path), *failure));
}
