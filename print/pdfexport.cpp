#include "print/pdfexport.h"

#include "platform/filemessages.h"
#include "platform/orbalinerror.h"
#include "platform/safewrite.h"
#include "print/pageplan.h"
#include "print/pagerenderer.h"

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

bool drawPage(QIODevice& device, const QString& title, const PagePlan& plan, const QImage* first,
              const QImage* second, bool dieCutLines) {
    QPdfWriter writer(&device);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Orbalin"));
    writer.setResolution(kPdfUnitsPerInch);
    if (!writer.setPageLayout(layoutOf(plan.sheet.paperMm)))
        return false;
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    PageRenderer(plan, first, second, pdfStyle(dieCutLines))
        .draw(painter, PageUnits::perMillimetre(kPdfUnitsPerInch / 25.4));
    return painter.end();
}

} // namespace

QString withPdfExtension(const QString& chosen) {
    const QString suffix = QStringLiteral(".pdf");
    const bool named = QFileInfo(chosen).fileName().endsWith(suffix, Qt::CaseInsensitive);
    return named ? chosen : chosen + suffix;
}

void writeCoverPdf(const QString& path, const QString& title, const PagePlan& plan, const QImage* first,
                   const QImage* second, bool dieCutLines) {
    const std::optional<QString> failure = writeWhole(path, FileOwner::User, [&](QIODevice& device) {
        return drawPage(device, title, plan, first, second, dieCutLines);
    });
    if (failure)
        throw OrbalinError(
            QStringLiteral("The PDF \"%1\" cannot be written. %2").arg(shownPath(path), *failure));
}
