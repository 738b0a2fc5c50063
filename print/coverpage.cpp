#include "print/coverpage.h"

#include "platform/printjob.h"
#include "platform/waitcursor.h"
#include "print/placement.h"
#include "print/printdib.h"

std::vector<QRect> drawCoverPage(QPainter& canvas, const Placement& placement, const TPrintDIB& dib,
                                 const QImage* first, const QImage* second) {
    std::vector<QRect> drawn;
    const auto draw = [&](const QImage* picture, int left, int top) {
        if (picture == nullptr)
            return;
        dib.StretchDrawDIB(canvas, left, top, placement.width, placement.height, *picture);
        drawn.emplace_back(left, top, placement.width, placement.height);
    };
    draw(first, placement.left1, placement.top1);
    draw(second, placement.left2, placement.top2);
    return drawn;
}

void printCoverPage(PrinterPort& printer, const QString& title, const Placement& placement,
                    const TPrintDIB& dib, const QImage* first, const QImage* second) {
    const WaitCursor busy;
    PrintJob job(printer, title);
    drawCoverPage(job.canvas(), placement, dib, first, second);
    job.finish();
}
