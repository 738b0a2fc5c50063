#include "print/coverpage.h"

#include "platform/printjob.h"
#include "platform/waitcursor.h"
#include "print/pagerenderer.h"

void printCoverPage(PrinterPort& printer, const QString& title, const PagePlan& plan, const QImage* first,
                    const QImage* second) {
    const WaitCursor busy;
    PrintJob job(printer, title);
    PageRenderer(plan, first, second, printStyle()).draw(job.canvas(), PageUnits::printerDots());
    job.finish();
}
