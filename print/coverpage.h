#pragma once

#include <QRect>
#include <QString>
#include <vector>

class PrinterPort;
class QImage;
class QPainter;
class TPrintDIB;
struct Placement;

// Draws the page on a canvas in printer dots, origin at the printable area's corner: the first
// picture at (left1, top1) and the second at (left2, top2), both stretched to the placement's
// size through the DIB path. A null picture pointer leaves its place empty. Returns the
// rectangles drawn into, in printer dots, in the order they were drawn.
std::vector<QRect> drawCoverPage(QPainter& canvas, const Placement& placement, const TPrintDIB& dib,
                                 const QImage* first, const QImage* second);

// Prints one page drawn by drawCoverPage. The job is given up, not half printed, when drawing
// fails.
void printCoverPage(PrinterPort& printer, const QString& title, const Placement& placement,
                    const TPrintDIB& dib, const QImage* first, const QImage* second);
