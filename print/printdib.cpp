#include "print/printdib.h"

#include "platform/orbalinerror.h"

#include <QPainter>
#include <cstring>
#include <limits>
#include <new>

qsizetype Dib::bytesPerRow() const {
    return header.biHeight > 0 ? qsizetype(header.biSizeImage) / header.biHeight : 0;
}

DibHeader dibHeaderFor(const QImage& bitmap) {
    DibHeader header;
    header.biWidth = bitmap.width();
    header.biHeight = bitmap.height();
    header.biSizeImage = quint32(header.biWidth * header.biBitCount / 8 * header.biHeight);
    return header;
}

DibHeader completedDibHeader(const DibHeader& header) {
    DibHeader completed = header;
    const qint64 rowBytes = (qint64(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    completed.biSizeImage = quint32(rowBytes * header.biHeight);
    return completed;
}

Dib toDib(const QImage& bitmap) {
    Dib dib{completedDibHeader(dibHeaderFor(bitmap)), {}};
    // The header counts the bytes in 32 bits: a bigger bitmap has no DIB.
    const qint64 rowBytes64 = (qint64(bitmap.width()) * 24 + 31) / 32 * 4;
    if (bitmap.isNull() || rowBytes64 * bitmap.height() > std::numeric_limits<quint32>::max())
        return dib;
    const QImage rows =
        bitmap.format() == QImage::Format_BGR888 ? bitmap : bitmap.convertToFormat(QImage::Format_BGR888);
    if (rows.isNull())
        return dib;
    try {
        dib.bits.assign(dib.header.biSizeImage, 0);
    } catch (const std::bad_alloc&) {
        return dib;
    }
    const qsizetype rowBytes = dib.bytesPerRow();
    const qsizetype pixelBytes = qsizetype(rows.width()) * 3;
    for (int y = 0; y < rows.height(); ++y)
        std::memcpy(dib.bits.data() + qsizetype(rows.height() - 1 - y) * rowBytes, rows.constScanLine(y),
                    size_t(pixelBytes));
    return dib;
}

void TPrintDIB::StretchDrawDIB(QPainter& canvas, int x, int y, int width, int height,
                               const QImage& bitmap) const {
    if (bitmap.isNull())
        return;
    const Dib dib = toDib(bitmap);
    // Drawing nothing would send a blank page as if it were the picture.
    if (dib.bits.empty())
        throw OrbalinError(QStringLiteral("A picture of %1 × %2 pixels cannot be made ready for the printer: "
                                          "there is not enough memory. Nothing was printed.")
                               .arg(bitmap.width())
                               .arg(bitmap.height()));
    // The rows lie bottom-up: read them as a top-down picture and let the device turn it over
    // while it scales, so no copy the size of the printed rectangle is ever made.
    const QImage stored(dib.bits.data(), dib.header.biWidth, dib.header.biHeight, dib.bytesPerRow(),
                        QImage::Format_BGR888);
    canvas.save();
    // Printers get the pixels as they are: a PDF job would otherwise carry them as JPEG.
    canvas.setRenderHint(QPainter::LosslessImageRendering);
    canvas.translate(x, y + height);
    canvas.scale(1, -1);
    canvas.drawImage(QRect(0, 0, width, height), stored);
    canvas.restore();
}
