#pragma once

#include "print/pdfpage.h"

#include <QString>

class QImage;

// Writes the page to `path` with the pictures embedded losslessly at their own pixel size. The file
// is replaced whole or not at all; throws OrbalinError naming the file and the reason.
void writeCoverPdf(const QString& path, const QString& title, const PdfPage& page, const QImage* first,
                   const QImage* second);
