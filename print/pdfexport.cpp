#include "print/pdfexport.h"

#include "platform/filemessages.h"
#include "platform/orbalinerror.h"
#include "platform/safewrite.h"

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

bool drawPage(QIODevice& device, const QString& title, const PdfPage& page, const QImage* first,
              const QImage* second) {
    QPdfWriter writer(&device);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Orbalin"));
    writer.setResolution(kPdfUnitsPerInch);
    if (!writer.setPageLayout(layoutOf(page.paperMm)))
        return false;
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    // The pictures go in as their own pixels: without this the file would carry them as JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    if (first && page.first)
        painter.drawImage(inUnits(*page.first), *first);
    if (second && page.second)
        painter.drawImage(inUnits(*page.second), *second);
    return painter.end();
}

} // namespace

void writeCoverPdf(const QString& path, const QString& title, const PdfPage& page, const QImage* first,
                   const QImage* second) {
    const std::optional<QString> failure = writeWhole(path, FileOwner::User, [&](QIODevice& device) {
        return drawPage(device, title, page, first, second);
    });
    if (failure)
        throw OrbalinError(
            QStringLiteral("The PDF \"%1\" cannot be written. %2").arg(shownPath(path), *failure));
}
