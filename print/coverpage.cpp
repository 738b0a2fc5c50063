#include "print/coverpage.h"

#include "platform/printjob.h"
#include "platform/waitcursor.h"
#include "print/pageplan.h"
#include "print/printdib.h"

std::vector<QRect> drawCoverPage(QPainter& canvas, const PagePlan& plan, const TPrintDIB& dib,
                                 const QImage* first, const QImage* second) {
    std::vector<QRect> drawn;
    for (const PagePicture& picture : plan.pictures) {
        const QImage* bitmap = picture.second ? second : first;
        if (bitmap == nullptr)
            continue;
        const QRect& at = picture.dots;
        dib.StretchDrawDIB(canvas, at.left(), at.top(), at.width(), at.height(), *bitmap);
        drawn.push_back(at);
    }
    return drawn;
}

void printCoverPage(PrinterPort& printer, const QString& title, const PagePlan& plan, const TPrintDIB& dib,
                    const QImage* first, const QImage* second) {
    const WaitCursor busy;
    PrintJob job(printer, title);
    drawCoverPage(job.canvas(), plan, dib, first, second);
    job.finish();
}
