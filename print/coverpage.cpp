#include "print/coverpage.h"

#include "platform/printjob.h"
#include "platform/waitcursor.h"
#include "print/placement.h"
#include "print/printdib.h"

void printCoverPage(PrinterPort& printer, const QString& title, const Placement& placement, const TPrintDIB& dib,
                    const QImage* first, const QImage* second) {
    const WaitCursor busy;
    PrintJob job(printer, title);
    if (first)
        dib.StretchDrawDIB(job.canvas(), placement.left1, placement.top1, placement.width, placement.height, *first);
    if (second)
        dib.StretchDrawDIB(job.canvas(), placement.left2, placement.top2, placement.width, placement.height,
                           *second);
    job.finish();
}
