#pragma once

#include <QString>

class PrinterPort;
class QImage;
struct PagePlan;

// Prints the plan's page on the printer, in its dots, through the page renderer: the pictures
// through the DIB a printer takes, no die-cuts (the sheet is cut already). A null picture leaves
// its place empty. The job is given up, not half printed, when drawing fails.
void printCoverPage(PrinterPort& printer, const QString& title, const PagePlan& plan, const QImage* first,
                    const QImage* second);
