// The sheet of the system's printer, apart from the jobs: what Print preview and Export PDF
// measure the page on.
#include "platform/qt/qtprinterport.h"

#include <QPageLayout>
#include <QPrinter>

// The printable area is taken in the printer's own dots, so that it covers exactly the canvas a
// job draws on; the paper is taken as its page size says.
std::optional<PageGeometry> QtPrinterPort::pageGeometry() {
    QPrinter* printer = this->printer();
    if (printer == nullptr)
        return std::nullopt;
    const QPageLayout layout = printer->pageLayout();
    const int dpi = printer->resolution();
    if (dpi <= 0)
        return std::nullopt;
    const QRect dots = layout.paintRectPixels(dpi);
    const auto mm = [dpi](int dots) { return dots * 25.4 / dpi; };
    return PageGeometry{layout.fullRect(QPageLayout::Millimeter).size(),
                        QRectF(mm(dots.left()), mm(dots.top()), mm(dots.width()), mm(dots.height()))};
}
