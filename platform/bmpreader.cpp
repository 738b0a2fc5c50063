#include "platform/bmpreader.h"

#include "platform/picturelimits.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <bit>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr qint64 fileHeaderSize = 14;
constexpr qint64 largestInfoHeader = 124;
// Enough for kMaxPicturePixels at 8 bits plus the reader's own bookkeeping.
constexpr int readerLimitMb = 1024;

bool knownInfoSize(qint64 size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

quint16 u16(const QByteArray& bytes, qint64 at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
quint32 u32(const QByteArray& bytes, qint64 at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
qint32 i32(const QByteArray& bytes, qint64 at) {
    return qFromLittleEndian<qint32>(bytes.constData() + at);
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
        return uses("RLE8");
    case Rle4:
        return uses("RLE4");
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

struct Masks {
    quint32 red = 0;
    quint32 green = 0;
    quint32 blue = 0;
};

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

struct Layout {
    qint64 infoSize = 0;
    int bitCount = 0;
    Masks masks;        // 16 and 32 bits per pixel
    qint64 stride = 0;  // bytes per row in the file
    qint64 dataEnd = 0; // bytes of the file the decoder will look at
    qint64 offset = 0;  // where the rows start
    int width = 0;
    int height = 0;
    bool topDown = false;

    // Qt's reader is left the indexed pictures; the rest we decode ourselves.
    bool direct() const { return bitCount >= 16; }
};

// Qt's BMP reader happily returns a picture whose rows were never read when the file is cut short,
// so everything the decoder will touch is checked against the real file size first.
Layout checkLayout(const QString& path, const QByteArray& head, qint64 fileSize) {
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
    if (bitCount <= 8) {
        const qint64 maxColors = qint64(1) << bitCount;
        if (colorsUsed > maxColors)
            cannotOpenPicture(path, damaged + QStringLiteral("its colour table is too long."));
        tableEnd += (colorsUsed ? colorsUsed : maxColors) * (os2 ? 3 : 4);
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

    const qint64 stride = (width * bitCount + 31) / 32 * 4;
    const qint64 dataEnd = offset + stride * height;
    if (dataEnd > fileSize)
        cannotOpenPicture(path, damaged + QStringLiteral("it ends before the picture data is complete."));
    return {infoSize, bitCount, masks, stride, dataEnd, offset, int(width), int(height), signedHeight < 0};
}

// One colour channel of 16- and 32-bit pixels: its bits, and the 0..255 value each value becomes.
// Shifting would make 5-bit white 248 and cut wide channels to their low bits; scaling is exact.
class Channel {
public:
    explicit Channel(quint32 mask) : mask_(mask), shift_(std::countr_zero(mask)), max_(mask >> shift_) {
        if (max_ <= 0xffff) // up to 16 bits: one look-up per pixel instead of a division
            for (quint32 value = 0; value <= max_; ++value)
                table_.push_back(scaled(value));
    }

    uchar operator()(quint32 pixel) const {
        const quint32 value = (pixel & mask_) >> shift_;
        return table_.empty() ? scaled(value) : table_[value];
    }

private:
    uchar scaled(quint32 value) const { return uchar((quint64(value) * 255 + max_ / 2) / max_); }

    quint32 mask_;
    int shift_;
    quint32 max_;
    std::vector<uchar> table_;
};

class DirectPixels {
public:
    explicit DirectPixels(const Layout& layout)
        : red_(layout.masks.red), green_(layout.masks.green), blue_(layout.masks.blue),
          bytesPerPixel_(layout.bitCount / 8) {}

    void toBgr(const uchar* in, uchar* out, int width) const {
        for (int x = 0; x < width; ++x, in += bytesPerPixel_, out += 3) {
            const quint32 pixel =
                bytesPerPixel_ == 2 ? qFromLittleEndian<quint16>(in) : qFromLittleEndian<quint32>(in);
            out[0] = blue_(pixel);
            out[1] = green_(pixel);
            out[2] = red_(pixel);
        }
    }

private:
    Channel red_;
    Channel green_;
    Channel blue_;
    int bytesPerPixel_;
};

// `rowAt(i, into)` fills `into` with the i-th row as stored in the file (layout.stride bytes);
// false when it cannot.
template <typename RowSource>
QImage readDirectRows(const QString& path, const Layout& layout, RowSource rowAt, const DecodedRow& done) {
    QImage image(layout.width, layout.height, QImage::Format_BGR888);
    if (image.isNull())
        cannotOpenPicture(path, QStringLiteral("There is not enough memory for it."));
    // Plain 24-bit rows have exactly the layout of Format_BGR888 rows and are read straight in.
    const bool straight = layout.bitCount == 24;
    Q_ASSERT(!straight || image.bytesPerLine() == layout.stride);
    const std::optional<DirectPixels> pixels =
        straight ? std::nullopt : std::optional<DirectPixels>(std::in_place, layout);
    std::vector<uchar> fileRow(straight ? 0 : size_t(layout.stride));
    const size_t used = size_t(layout.width) * 3;
    for (int i = 0; i < layout.height; ++i) {
        uchar* row = image.scanLine(layout.topDown ? i : layout.height - 1 - i);
        if (!rowAt(i, straight ? row : fileRow.data()))
            cannotOpenPicture(path, QStringLiteral("The file could not be read completely."));
        if (pixels) {
            pixels->toBgr(fileRow.data(), row, layout.width);
            std::memset(row + used, 0, size_t(image.bytesPerLine()) - used);
        }
        if (done && !done(image, layout.topDown ? i : layout.height - 1 - i))
            return {};
    }
    return image;
}

// A damaged file may use colour indexes past its table; extend the table so every pixel has a colour.
void coverAllIndexes(QImage& image) {
    int highest = 1;
    if (image.format() == QImage::Format_Indexed8) {
        highest = -1;
        for (int y = 0; y < image.height(); ++y) {
            const uchar* row = image.constScanLine(y);
            for (int x = 0; x < image.width(); ++x)
                highest = std::max<int>(highest, row[x]);
        }
    } else if (image.depth() != 1) {
        return;
    }
    QList<QRgb> table = image.colorTable();
    if (highest < table.size())
        return;
    while (table.size() <= highest)
        table.append(qRgb(0, 0, 0));
    image.setColorTable(table);
}

// Qt's reader knows the 12, 40, 108 and 124 byte headers only. The 52 and 56 byte ones are the
// 108 byte layout cut short, so they are widened with zeros (and the file behind them moved along).
constexpr qint64 widenedInfoSize = 108;

bool needsWidening(const Layout& layout) {
    return layout.infoSize == 52 || layout.infoSize == 56;
}

QByteArray widenedHeader(const QString& path, const QByteArray& head, const Layout& layout) {
    const qint64 grow = widenedInfoSize - layout.infoSize;
    const qint64 offset = u32(head, 10) + grow;
    if (offset > 0xffffffff)
        cannotOpenPicture(path,
                          QStringLiteral("The file is damaged: its picture data is too far into the file."));
    QByteArray out = head.left(fileHeaderSize + layout.infoSize);
    out.append(QByteArray(grow, '\0'));
    qToLittleEndian<quint32>(quint32(std::min<qint64>(layout.dataEnd + grow, 0xffffffff)), out.data() + 2);
    qToLittleEndian<quint32>(quint32(offset), out.data() + 10);
    qToLittleEndian<quint32>(quint32(widenedInfoSize), out.data() + fileHeaderSize);
    // Masks mean nothing for indexed pictures, so make sure the reader cannot apply them.
    std::fill(out.begin() + fileHeaderSize + 40, out.begin() + fileHeaderSize + 56, '\0');
    return out;
}

// `data` is exactly what was checked, its header widened when Qt does not know it.
QImage decodeIndexed(const QString& path, QByteArray data) {
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAutoTransform(false);
    if (QImageReader::allocationLimit() != 0 && QImageReader::allocationLimit() < readerLimitMb)
        QImageReader::setAllocationLimit(readerLimitMb);
    QImage image;
    if (!reader.read(&image))
        cannotOpenPicture(
            path, QStringLiteral("Its picture data could not be decoded (%1).").arg(reader.errorString()));
    if (image.isNull())
        cannotOpenPicture(path, QStringLiteral("There is not enough memory for it."));
    coverAllIndexes(image);
    return image;
}

} // namespace

bool looksLikeBmp(const QByteArray& head) {
    return head.size() >= fileHeaderSize + 4 && head.startsWith("BM") &&
           knownInfoSize(u32(head, fileHeaderSize));
}

QImage decodeBmpBytes(const QByteArray& bytes, const QString& path) {
    const Layout layout = checkLayout(path, bytes, bytes.size());
    if (layout.direct())
        return readDirectRows(path, layout, [&](int i, uchar* into) {
            std::memcpy(into, bytes.constData() + layout.offset + i * layout.stride, size_t(layout.stride));
            return true;
        }, DecodedRow());
    if (!needsWidening(layout))
        return decodeIndexed(path, QByteArray::fromRawData(bytes.constData(), layout.dataEnd));
    const qint64 headerEnd = fileHeaderSize + layout.infoSize;
    return decodeIndexed(path, widenedHeader(path, bytes, layout) +
                                   bytes.mid(headerEnd, layout.dataEnd - headerEnd));
}

QImage readBmpFile(QFile& file, const QString& path, const DecodedRow& row) {
    const QByteArray head = file.read(fileHeaderSize + largestInfoHeader);
    const Layout layout = checkLayout(path, head, file.size());
    if (layout.direct())
        return readDirectRows(path, layout, [&](int i, uchar* into) {
            return (i > 0 || file.seek(layout.offset)) &&
                   file.read(reinterpret_cast<char*>(into), layout.stride) == layout.stride;
        }, row);

    // Decode exactly the bytes that were checked, so a file cut short meanwhile cannot slip through.
    const bool widen = needsWidening(layout);
    QByteArray data = widen ? widenedHeader(path, head, layout) : QByteArray();
    const qint64 skip = widen ? fileHeaderSize + layout.infoSize : 0;
    const qint64 expected = data.size() + layout.dataEnd - skip;
    if (file.seek(skip))
        data += file.read(layout.dataEnd - skip);
    if (data.size() != expected)
        cannotOpenPicture(path, QStringLiteral("The file could not be read completely."));
    file.close();
    return decodeIndexed(path, std::move(data));
}
