#pragma once

#include <QString>

class QImage;
struct PagePlan;

// The file a name chosen in the save dialog stands for: the name as it is when the file's own name
// ends in ".pdf" in any case, otherwise with ".pdf" added. Folders on the way do not count.
QString withPdfExtension(const QString& chosen);

// Writes the page to `path`, one sheet of the plan's paper with each picture at its place in
// millimetres, embedded losslessly at its own pixel size: printed at 100 % on the plan's printer,
// it gives the sheet Print gives. The file is replaced whole or not at all; throws OrbalinError
// naming the file and the reason. With `dieCutLines` the plan's die-cuts are drawn over the
// pictures as hairlines of grey.
void writeCoverPdf(const QString& path, const QString& title, const PagePlan& plan, const QImage* first,
                   const QImage* second, bool dieCutLines = false);
