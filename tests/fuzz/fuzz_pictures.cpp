// libFuzzer entry point for the picture readers: every input goes through both the BMP and the
// JPEG decoder, the way Picture::load hands them a file's bytes.

#include "platform/jpegreader.h"
#include "platform/orbalinerror.h"
#include "platform/picture.h"

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <cstdlib>

namespace {

// Reads every pixel, so a picture claiming more rows than it holds shows up under AddressSanitizer.
unsigned sumOfBytes(const QImage& image) {
    unsigned sum = 0;
    const qsizetype used = (qsizetype(image.width()) * image.depth() + 7) / 8;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (qsizetype x = 0; x < used; ++x)
            sum += row[x];
    }
    return sum;
}

void ignoreQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler(ignoreQtMessages); // Qt's BMP reader warns about every bad file
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    volatile unsigned sink = 0;
    try {
        const QImage image = Picture::decodeBmp(bytes, QStringLiteral("fuzz.bmp")).bitmap();
        if (image.isNull() || qint64(image.width()) * image.height() > Picture::maxPixels)
            std::abort();
        sink = sink + sumOfBytes(image);
    } catch (const OrbalinError&) {
    }
    try {
        const QImage image = decodeJpeg(bytes, QStringLiteral("fuzz.jpg"));
        if (image.format() != QImage::Format_BGR888 || image.isNull() ||
            qint64(image.width()) * image.height() > Picture::maxPixels)
            std::abort();
        sink = sink + sumOfBytes(image);
    } catch (const OrbalinError&) {
    }
    return 0;
}
