#include "platform/picture.h"

#include "platform/bmpwriter.h"
#include "platform/filemessages.h"
#include "platform/jpegreader.h"
#include "platform/orbalinerror.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QtEndian>
#include <cstring>

namespace {

constexpr qint64 fileHeaderSize = 14;
constexpr qint64 largestInfoHeader = 124;
// Enough for Picture::maxPixels at 32 bits plus the reader's own bookkeeping.
constexpr int readerLimitMb = 1024;
// Far beyond any JPEG of Picture::maxPixels; keeps a huge misnamed file from being read into memory.
constexpr qint64 maxJpegFileSize = qint64(1) << 30;

[[noreturn]] void cannotSave(const QString& path, const QString& reason) {
    throw OrbalinError(
        QStringLiteral("The picture cannot be saved as \"%1\". %2").arg(shownPath(path), reason));
}

enum class Kind { Other, Bmp, Jpeg };

Kind kindOf(const QByteArray& head) {
    if (head.startsWith("\xff\xd8\xff"))
        return Kind::Jpeg;
    if (head.size() < 18 || !head.startsWith("BM"))
        return Kind::Other;
    switch (qFromLittleEndian<quint32>(head.constData() + 14)) {
    case 12:
    case 40:
    case 52:
    case 56:
    case 108:
    case 124:
        return Kind::Bmp;
    default:
        return Kind::Other;
    }
}

// A picture saved under the other format's extension is common enough to name plainly.
QString misnamed(const QString& path, const QString& kind, const QString& expected) {
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.isEmpty())
        return QStringLiteral("It is a %1 picture, not a %2 picture.").arg(kind, expected);
    return QStringLiteral("It is a %1 picture although its name ends in .%2.").arg(kind, suffix);
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

struct Layout {
    qint64 infoSize = 0;
    int bitCount = 0;
    bool bitfields = false;
    qint64 dataEnd = 0; // bytes of the file the decoder will look at
    qint64 offset = 0;  // where the rows start
    int width = 0;
    int height = 0;
    bool topDown = false;

    // Plain 24-bit rows have exactly the layout of Format_BGR888 rows and are read straight in.
    bool plain24Bit() const { return bitCount == 24 && !bitfields; }
};

// Qt's BMP reader happily returns a picture whose rows were never read when the file is cut short,
// so everything the decoder will touch is checked against the real file size first.
Layout checkLayout(const QString& path, const QByteArray& head, qint64 fileSize) {
    const QString damaged = QStringLiteral("The file is damaged: ");
    if (kindOf(head) == Kind::Jpeg)
        cannotOpenPicture(path, misnamed(path, QStringLiteral("JPEG"), QStringLiteral("BMP")));
    if (head.size() < 2 || head[0] != 'B' || head[1] != 'M')
        cannotOpenPicture(path, QStringLiteral("It is not a BMP picture."));
    if (head.size() < fileHeaderSize + 4)
        cannotOpenPicture(path, damaged + QStringLiteral("its header is incomplete."));
    const qint64 infoSize = u32(head, fileHeaderSize);
    if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 &&
        infoSize != 124)
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
    if (width * height > Picture::maxPixels)
        cannotOpenPicture(path, tooManyPixels(width, height));
    if (planes != 1)
        cannotOpenPicture(path, damaged + QStringLiteral("it declares %1 colour planes.").arg(planes));
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        cannotOpenPicture(
            path, damaged + QStringLiteral("%1 bits per pixel is not a BMP colour depth.").arg(bitCount));
    if (compression == 1 || compression == 2)
        cannotOpenPicture(path,
                          QStringLiteral("Compressed (RLE) BMP pictures are not supported; save it again "
                                         "uncompressed."));
    const bool bitfields = compression == 3;
    if (compression != 0 && !(bitfields && (bitCount == 16 || bitCount == 32)))
        cannotOpenPicture(path, QStringLiteral("It uses a kind of BMP compression that is not supported."));

    // Colour masks follow a 40-byte header; the larger headers hold them inside.
    qint64 tableEnd = fileHeaderSize + infoSize + (bitfields && infoSize == 40 ? 12 : 0);
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
    const qint64 stride = (width * bitCount + 31) / 32 * 4;
    const qint64 dataEnd = offset + stride * height;
    if (dataEnd > fileSize)
        cannotOpenPicture(path, damaged + QStringLiteral("it ends before the picture data is complete."));
    return {infoSize, bitCount, bitfields, dataEnd, offset, int(width), int(height), signedHeight < 0};
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
    if (!layout.bitfields) // masks mean nothing here, so make sure the reader cannot apply them
        std::fill(out.begin() + fileHeaderSize + 40, out.begin() + fileHeaderSize + 56, '\0');
    return out;
}

// `data` is exactly what was checked, its header widened when Qt does not know it.
QImage decodeChecked(const QString& path, QByteArray data) {
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

// `rowAt(i, row, stride)` fills `row` with the i-th row as stored in the file; false when it cannot.
template <typename RowSource>
QImage read24BitRows(const QString& path, const Layout& layout, RowSource rowAt) {
    QImage image(layout.width, layout.height, QImage::Format_BGR888);
    if (image.isNull())
        cannotOpenPicture(path, QStringLiteral("There is not enough memory for it."));
    for (int i = 0; i < layout.height; ++i) {
        uchar* row = image.scanLine(layout.topDown ? i : layout.height - 1 - i);
        if (!rowAt(i, row, image.bytesPerLine()))
            cannotOpenPicture(path, QStringLiteral("The file could not be read completely."));
    }
    return image;
}

bool needsWidening(const Layout& layout) {
    return layout.infoSize == 52 || layout.infoSize == 56;
}

// The checks every picture file gets before its bytes are read.
void openPictureFile(QFile& file, const QString& path) {
    if (const std::optional<QString> reason = notAFile(path))
        cannotOpenPicture(path, *reason);
    if (!file.open(QIODevice::ReadOnly))
        cannotOpenPicture(path, sentence(file.errorString()));
    if (file.size() == 0)
        cannotOpenPicture(path, QStringLiteral("The file is empty."));
}

} // namespace

Picture Picture::load(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return loadJpeg(path);
    if (suffix == QLatin1String("bmp"))
        return loadBmp(path);
    cannotOpenPicture(path, QStringLiteral("Only JPEG (.jpg, .jpeg) and BMP (.bmp) pictures can be opened."));
}

Picture Picture::loadJpeg(const QString& path) {
    QFile file(path);
    openPictureFile(file, path);
    if (file.size() > maxJpegFileSize)
        cannotOpenPicture(path,
                          QStringLiteral("At %1 MB it is too large to be a picture this program can open.")
                              .arg(file.size() >> 20));
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        cannotOpenPicture(path, QStringLiteral("The file could not be read completely."));
    if (kindOf(bytes) == Kind::Bmp)
        cannotOpenPicture(path, misnamed(path, QStringLiteral("BMP"), QStringLiteral("JPEG")));
    return Picture(decodeJpeg(bytes, path));
}

Picture Picture::decodeBmp(const QByteArray& bytes, const QString& path) {
    if (bytes.isEmpty())
        cannotOpenPicture(path, QStringLiteral("The file is empty."));
    const Layout layout = checkLayout(path, bytes, bytes.size());
    if (layout.plain24Bit())
        return Picture(read24BitRows(path, layout, [&](int i, uchar* row, qsizetype stride) {
            std::memcpy(row, bytes.constData() + layout.offset + i * stride, size_t(stride));
            return true;
        }));
    if (!needsWidening(layout))
        return Picture(decodeChecked(path, QByteArray::fromRawData(bytes.constData(), layout.dataEnd)));
    const qint64 headerEnd = fileHeaderSize + layout.infoSize;
    return Picture(decodeChecked(path, widenedHeader(path, bytes, layout) +
                                           bytes.mid(headerEnd, layout.dataEnd - headerEnd)));
}

Picture Picture::loadBmp(const QString& path) {
    QFile file(path);
    openPictureFile(file, path);
    const qint64 fileSize = file.size();
    const QByteArray head = file.read(fileHeaderSize + largestInfoHeader);
    const Layout layout = checkLayout(path, head, fileSize);
    if (layout.plain24Bit())
        return Picture(read24BitRows(path, layout, [&](int i, uchar* row, qsizetype stride) {
            return (i > 0 || file.seek(layout.offset)) &&
                   file.read(reinterpret_cast<char*>(row), stride) == stride;
        }));

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
    return Picture(decodeChecked(path, std::move(data)));
}

void Picture::saveBmp(const QString& path) const {
    if (isEmpty())
        cannotSave(path, QStringLiteral("There is no picture to save."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        cannotSave(path, createFailure(path, file));
    // Qt's writer would convert a 24-bit picture to 32 bits first, and it writes the unused padding
    // of 1-bit and 8-bit rows from memory it never set.
    const QImage bitmap =
        bitmap_.format() == QImage::Format_MonoLSB ? bitmap_.convertToFormat(QImage::Format_Mono) : bitmap_;
    if (writesBmp(bitmap.format())) {
        if (!writeBmp(file, bitmap)) {
            const QString reason = sentence(file.errorString());
            file.cancelWriting();
            cannotSave(path, reason);
        }
    } else {
        QImageWriter writer(&file, "bmp");
        if (!writer.write(bitmap)) {
            file.cancelWriting();
            cannotSave(path, sentence(writer.errorString()));
        }
    }
    if (!file.commit())
        cannotSave(path, sentence(file.errorString()));
}
