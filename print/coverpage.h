#pragma once

#include <QRect>
#include <QString>
#include <vector>

class PrinterPort;
class QImage;
class QPainter;
class TPrintDIB;
struct PagePlan;

// Draws the page on a canvas in printer dots, origin at the printable area's corner: each picture
// of the plan stretched into its rectangle through the DIB path. A null picture pointer leaves its
// place empty. Returns the rectangles drawn into, in printer dots, in the order they were drawn.
std::vector<QRect> drawCoverPage(QPainter& canvas, const PagePlan& plan, const TPrintDIB& dib,
                                 const QImage* first, const QImage* second);

// Prints one page drawn by drawCoverPage. The job is given up, not half printed, when drawing
// fails.
void printCoverPage(PrinterPort& printer, const QString& title, const PagePlan& plan, const TPrintDIB& dib,
                    const QImage* first, const QImage* second);
