#include "platform/bmplayout.h"

#include "platform/picturelimits.h"

#include <QtEndian>
#include <algorithm>
#include <bit>
#include <optional>
#include <utility>

namespace bmpfile {

namespace {

template <typename T> T field(QByteArrayView bytes, qint64 at) {
    if (at < 0 || at > bytes.size() - qint64(sizeof(T)))
        return 0;
    return qFromLittleEndian<T>(bytes.data() + at);
}
quint16 u16(QByteArrayView bytes, qint64 at) {
    return field<quint16>(bytes, at);
}
qint32 i32(QByteArrayView bytes, qint64 at) {
    return field<qint32>(bytes, at);
}

// The header's compression field, by the names Windows gives its values.
enum Compression : quint32 {
    Rgb = 0,
    Rle8 = 1,
    Rle4 = 2,
    Bitfields = 3,
    Jpeg = 4,
    Png = 5,
    AlphaBitfields = 6,
    Cmyk = 11,
    CmykRle8 = 12,
    CmykRle4 = 13
};

// Why a file stored this way cannot be read, or nothing when it can.
std::optional<QString> unsupportedStorage(quint32 compression, int bitCount) {
    const auto uses = [](const char* name) {
        return QStringLiteral("It uses %1 compression, which is not supported.").arg(QLatin1String(name));
    };
    switch (compression) {
    case Rgb:
        if (bitCount == 2 || bitCount == 64)
            return QStringLiteral("It has %1 bits per pixel, which is not supported.").arg(bitCount);
        return std::nullopt;
    case Bitfields:
    case AlphaBitfields:
        if (bitCount == 16 || bitCount == 32)
            return std::nullopt;
        return QStringLiteral("It uses colour masks with %1 bits per pixel, which is not supported.")
            .arg(bitCount);
    case Rle8:
    case Rle4:
        if (bitCount == (compression == Rle8 ? 8 : 4))
            return std::nullopt;
        return QStringLiteral("It uses %1 compression with %2 bits per pixel, which is not supported.")
            .arg(QLatin1String(compression == Rle8 ? "RLE8" : "RLE4"))
            .arg(bitCount);
    case Jpeg:
        return uses("JPEG");
    case Png:
        return uses("PNG");
    case Cmyk:
        return QStringLiteral("It stores CMYK colours, which is not supported.");
    case CmykRle8:
        return uses("CMYK RLE8");
    case CmykRle4:
        return uses("CMYK RLE4");
    default:
        return QStringLiteral("It uses a kind of BMP compression (number %1) that is not supported.")
            .arg(compression);
    }
}

// What is wrong with a file's colour masks, or nothing.
std::optional<QString> maskFault(const Masks& masks, int bitCount) {
    const std::pair<const char*, quint32> channels[] = {
        {"red", masks.red}, {"green", masks.green}, {"blue", masks.blue}};
    const quint64 room = (quint64(1) << bitCount) - 1;
    for (const auto& [name, mask] : channels) {
        const QString channel = QLatin1String(name);
        if (mask == 0)
            return QStringLiteral("its colour masks leave out %1.").arg(channel);
        const QString hex = QStringLiteral("0x%1").arg(mask, 8, 16, QLatin1Char('0'));
        if (mask > room)
            return QStringLiteral("its %1 mask %2 does not fit in %3 bits per pixel.")
                .arg(channel, hex)
                .arg(bitCount);
        const quint32 run = mask >> std::countr_zero(mask);
        if ((run & (run + 1)) != 0)
            return QStringLiteral("its %1 mask %2 is not one run of bits.").arg(channel, hex);
    }
    if ((masks.red & masks.green) || (masks.red & masks.blue) || (masks.green & masks.blue))
        return QStringLiteral("its colour masks overlap.");
    return std::nullopt;
}

} // namespace

bool knownInfoSize(qint64 size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

quint32 u32(QByteArrayView bytes, qint64 at) {
    return field<quint32>(bytes, at);
}

// Qt's BMP reader happily returns a picture whose rows were never read when the file is cut short,
// so everything the decoder will touch is checked against the real file size first.
Layout checkLayout(const QString& path, QByteArrayView head, qint64 fileSize) {
    const QString damaged = QStringLiteral("The file is damaged: ");
    if (head.size() < 2 || head[0] != 'B' || head[1] != 'M')
        cannotOpenPicture(path, QStringLiteral("It is not a BMP picture."));
    if (head.size() < fileHeaderSize + 4)
        cannotOpenPicture(path, damaged + QStringLiteral("its header is incomplete."));
    const qint64 infoSize = u32(head, fileHeaderSize);
    if (!knownInfoSize(infoSize))
        cannotOpenPicture(path, QStringLiteral("Its header type (%1 bytes) is not supported.").arg(infoSize));
    if (head.size() < fileHeaderSize + infoSize)
        cannotOpenPicture(path, damaged + QStringLiteral("its header is incomplete."));

    const qint64 info = fileHeaderSize;
    const bool os2 = infoSize == 12;
    const qint64 width = os2 ? u16(head, info + 4) : i32(head, info + 4);
    const qint64 signedHeight = os2 ? u16(head, info + 6) : i32(head, info + 8);
    const int planes = u16(head, info + (os2 ? 8 : 12));
    const int bitCount = u16(head, info + (os2 ? 10 : 14));
    const quint32 compression = os2 ? 0 : u32(head, info + 16);
    const qint64 colorsUsed = os2 ? 0 : u32(head, info + 32);
    const qint64 height = signedHeight < 0 ? -signedHeight : signedHeight;

    if (width <= 0)
        cannotOpenPicture(path, damaged + QStringLiteral("the picture has no width."));
    if (height == 0)
        cannotOpenPicture(path, damaged + QStringLiteral("the picture has no height."));
    if (width * height > kMaxPicturePixels)
        cannotOpenPicture(path, tooManyPixels(width, height));
    if (width > kMaxPictureWidth)
        cannotOpenPicture(path, tooWide(width));
    if (planes != 1)
        cannotOpenPicture(path, damaged + QStringLiteral("it declares %1 colour planes.").arg(planes));
    // Before the depth: JPEG and PNG contents give no depth of their own.
    if (const std::optional<QString> reason = unsupportedStorage(compression, bitCount))
        cannotOpenPicture(path, *reason);
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        cannotOpenPicture(
            path, damaged + QStringLiteral("%1 bits per pixel is not a BMP colour depth.").arg(bitCount));

    // Colour masks follow a 40-byte header; the larger headers hold them inside.
    const bool bitfields = compression == Bitfields || compression == AlphaBitfields;
    qint64 tableEnd = fileHeaderSize + infoSize;
    if (bitfields && infoSize == 40)
        tableEnd += compression == AlphaBitfields ? 16 : 12;
    const qint64 tableStart = tableEnd;
    qint64 colours = 0;
    if (bitCount <= 8) {
        const qint64 maxColors = qint64(1) << bitCount;
        if (colorsUsed > maxColors)
            cannotOpenPicture(path, damaged + QStringLiteral("its colour table is too long."));
        colours = colorsUsed ? colorsUsed : maxColors;
        tableEnd += colours * (os2 ? 3 : 4);
    }
    const qint64 offset = u32(head, 10);
    if (offset >= fileSize)
        cannotOpenPicture(
            path, damaged + QStringLiteral("its picture data would start beyond the end of the file."));
    if (offset < tableEnd)
        cannotOpenPicture(path, damaged + QStringLiteral("its picture data overlaps the header."));

    // Without masks of their own, 16-bit pixels are 5 bits each of red, green and blue.
    Masks masks = bitCount == 16 ? Masks{0x7c00, 0x03e0, 0x001f} : Masks{0xff0000, 0x00ff00, 0x0000ff};
    if (bitfields) {
        const qint64 at = fileHeaderSize + 40;
        masks = {u32(head, at), u32(head, at + 4), u32(head, at + 8)};
        if (const std::optional<QString> fault = maskFault(masks, bitCount))
            cannotOpenPicture(path, damaged + *fault);
    }

    const bool rle = compression == Rle8 || compression == Rle4;
    if (rle) {
        // Sensible run-length data takes at most four bytes a pixel (a move by one) and two a row;
        // how much there is shows only in the decoding, so the rest of the file is read up to that.
        const qint64 dataEnd = std::min(fileSize, offset + 4 * width * height + 2 * height + 2);
        return {infoSize, bitCount, masks,  rle,        tableStart,  colours,
                width,    dataEnd,  offset, int(width), int(height), signedHeight < 0};
    }
    const qint64 stride = (width * bitCount + 31) / 32 * 4;
    const qint64 dataEnd = offset + stride * height;
    if (dataEnd > fileSize)
        cannotOpenPicture(path, damaged + QStringLiteral("it ends before the picture data is complete."));
    return {infoSize, bitCount, masks,  rle,        tableStart,  colours,
            stride,   dataEnd,  offset, int(width), int(height), signedHeight < 0};
}
} // namespace bmpfile
