#include "platform/bmpreader.h"

#include "platform/bmplayout.h"
#include "platform/bmprle.h"
#include "platform/picturelimits.h"

#include <QBuffer>
#include <QByteArrayView>
#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <array>
#include <bit>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace {

using namespace bmpfile;

// Enough for kMaxPicturePixels at 8 bits plus the reader's own bookkeeping.
constexpr int readerLimitMb = 1024;

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

// Colour indexes through the file's colour table; indexes past its end are black, as
// coverAllIndexes() makes them for the pictures Qt's reader decodes.
class TablePixels {
public:
    TablePixels(QByteArrayView bytes, const Layout& layout) {
        for (qint64 i = 0; i < layout.colours; ++i)
            std::memcpy(&bgr_[size_t(i) * 3], bytes.data() + layout.tableStart + i * 4, 3);
    }

    void toBgr(const uchar* in, uchar* out, int width) const {
        for (int x = 0; x < width; ++x, out += 3)
            std::memcpy(out, &bgr_[size_t(in[x]) * 3], 3);
    }

private:
    std::array<uchar, 256 * 3> bgr_{};
};

// `rowAt(i, into)` fills `into` with the i-th row as stored in the file (layout.stride bytes),
// false when it cannot; `pixels` turns it into the picture's row, or is null when the two are alike.
template <typename RowSource, typename Pixels>
QImage readRows(const QString& path, const Layout& layout, RowSource rowAt, const Pixels* pixels,
                const DecodedRow& done) {
    QImage image(layout.width, layout.height, QImage::Format_BGR888);
    if (image.isNull())
        cannotOpenPicture(path, QStringLiteral("There is not enough memory for it."));
    Q_ASSERT(pixels || image.bytesPerLine() == layout.stride);
    std::vector<uchar> fileRow(pixels ? size_t(layout.stride) : 0);
    const size_t used = size_t(layout.width) * 3;
    for (int i = 0; i < layout.height; ++i) {
        uchar* row = image.scanLine(layout.topDown ? i : layout.height - 1 - i);
        if (!rowAt(i, pixels ? fileRow.data() : row))
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

template <typename RowSource>
QImage readDirectRows(const QString& path, const Layout& layout, RowSource rowAt, const DecodedRow& done) {
    // Plain 24-bit rows have exactly the layout of Format_BGR888 rows and are read straight in.
    if (layout.bitCount == 24)
        return readRows(path, layout, rowAt, static_cast<const DirectPixels*>(nullptr), done);
    const DirectPixels pixels(layout);
    return readRows(path, layout, rowAt, &pixels, done);
}

// `bytes` is the file up to layout.dataEnd.
QImage readRleRows(const QString& path, const Layout& layout, QByteArrayView bytes, const DecodedRow& done) {
    const TablePixels colours(bytes, layout);
    RleRows rows(bytes.sliced(layout.offset), layout.width, layout.height, layout.bitCount);
    const auto rowAt = [&](int, uchar* into) {
        if (const std::optional<QString> fault = rows.next(into))
            cannotOpenPicture(path, QStringLiteral("The file is damaged: ") + *fault);
        return true;
    };
    return readRows(path, layout, rowAt, &colours, done);
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
    if (layout.rle)
        return readRleRows(path, layout, QByteArrayView(bytes).first(layout.dataEnd), DecodedRow());
    if (layout.direct())
        return readDirectRows(
            path, layout,
            [&](int i, uchar* into) {
                std::memcpy(into, bytes.constData() + layout.offset + i * layout.stride,
                            size_t(layout.stride));
                return true;
            },
            DecodedRow());
    if (!needsWidening(layout))
        return decodeIndexed(path, QByteArray::fromRawData(bytes.constData(), layout.dataEnd));
    const qint64 headerEnd = fileHeaderSize + layout.infoSize;
    return decodeIndexed(path, widenedHeader(path, bytes, layout) +
                                   bytes.mid(headerEnd, layout.dataEnd - headerEnd));
}

QImage readBmpFile(QFile& file, const QString& path, const DecodedRow& row) {
    const QByteArray head = file.read(fileHeaderSize + largestInfoHeader);
    const Layout layout = checkLayout(path, head, file.size());
    if (layout.rle) {
        const QByteArray bytes = file.seek(0) ? file.read(layout.dataEnd) : QByteArray();
        if (bytes.size() != layout.dataEnd)
            cannotOpenPicture(path, QStringLiteral("The file could not be read completely."));
        return readRleRows(path, layout, bytes, row);
    }
    if (layout.direct())
        return readDirectRows(
            path, layout,
            [&](int i, uchar* into) {
                return (i > 0 || file.seek(layout.offset)) &&
                       file.read(reinterpret_cast<char*>(into), layout.stride) == layout.stride;
            },
            row);

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
