#pragma once

#include <QString>

class PrinterPort;
class QImage;
class TPrintDIB;
struct Placement;

// Prints one page: the first picture at (left1, top1) and the second at (left2, top2), both
// stretched to the placement's size through the DIB path. A null picture pointer leaves its
// place empty. The job is given up, not half printed, when drawing fails.
void printCoverPage(PrinterPort& printer, const QString& title, const Placement& placement, const TPrintDIB& dib,
                    const QImage* first, const QImage* second);
