#include "platform/picture.h"

#include "platform/bmpreader.h"
#include "platform/bmpwriter.h"
#include "platform/filemessages.h"
#include "platform/jpegreader.h"
#include "platform/orbalinerror.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

namespace {

// Far beyond any JPEG of Picture::maxPixels; a larger file is not taken for a picture at all.
constexpr qint64 maxJpegFileSize = qint64(1) << 30;

bool looksLikeJpeg(const QByteArray& head) {
    return head.startsWith("\xff\xd8\xff");
}

// A picture saved under the other format's extension is common enough to name plainly.
QString misnamed(const QString& path, const QString& kind, const QString& expected) {
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.isEmpty())
        return QStringLiteral("It is a %1 picture, not a %2 picture.").arg(kind, expected);
    return QStringLiteral("It is a %1 picture although its name ends in .%2.").arg(kind, suffix);
}

// A JPEG picture where a BMP one is read: taken for misnamed, unless a command that takes BMP
// pictures only is reading it.
void refuseJpegAsBmp(const QByteArray& head, const QString& path, const QString& bmpOnlyCommand = QString()) {
    if (!looksLikeJpeg(head))
        return;
    if (!bmpOnlyCommand.isEmpty())
        cannotOpenPicture(
            path, QStringLiteral("It is a JPEG picture; %1 takes BMP pictures only.").arg(bmpOnlyCommand));
    cannotOpenPicture(path, misnamed(path, QStringLiteral("JPEG"), QStringLiteral("BMP")));
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

QImage readBmp(const QString& path, const DecodedRow& row, const QString& bmpOnlyCommand = QString()) {
    QFile file(path);
    openPictureFile(file, path);
    refuseJpegAsBmp(file.peek(3), path, bmpOnlyCommand);
    return readBmpFile(file, path, row);
}

} // namespace

void cannotSavePicture(const QString& path, const QString& reason) {
    throw OrbalinError(
        QStringLiteral("The picture cannot be saved as \"%1\". %2").arg(shownPath(path), reason));
}

Picture Picture::load(const QString& path) {
    return load(path, DecodedRow());
}

Picture Picture::load(const QString& path, const DecodedRow& row) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return loadJpeg(path, row);
    if (suffix == QLatin1String("bmp"))
        return loadBmp(path, row);
    cannotOpenPicture(path, QStringLiteral("Only JPEG (.jpg, .jpeg) and BMP (.bmp) pictures can be opened."));
}

Picture Picture::loadJpeg(const QString& path, const DecodedRow& row) {
    QFile file(path);
    openPictureFile(file, path);
    if (file.size() > maxJpegFileSize)
        cannotOpenPicture(path,
                          QStringLiteral("At %1 MB it is too large to be a picture this program can open.")
                              .arg(file.size() >> 20));
    if (looksLikeBmp(file.peek(64)))
        cannotOpenPicture(path, misnamed(path, QStringLiteral("BMP"), QStringLiteral("JPEG")));
    return Picture(decodeJpeg(file, path, row));
}

Picture Picture::decodeBmp(const QByteArray& bytes, const QString& path) {
    if (bytes.isEmpty())
        cannotOpenPicture(path, QStringLiteral("The file is empty."));
    refuseJpegAsBmp(bytes, path);
    return Picture(decodeBmpBytes(bytes, path));
}

Picture Picture::loadBmp(const QString& path, const DecodedRow& row) {
    return Picture(readBmp(path, row));
}

Picture Picture::loadBmpFor(const QString& command, const QString& path) {
    return Picture(readBmp(path, DecodedRow(), command));
}

Picture Picture::loadProgramBmp(const QString& path) {
    if (const std::optional<QString> reason = linkLeavingFolder(path))
        cannotOpenPicture(path, *reason);
    return loadBmp(path);
}

void Picture::saveBmp(const QString& path, FileOwner owner) const {
    if (isEmpty())
        cannotSavePicture(path, QStringLiteral("There is no picture to save."));
    // Qt's writer would convert a 24-bit picture to 32 bits first, and it writes the unused padding
    // of 1-bit and 8-bit rows from memory it never set.
    const QImage bitmap =
        bitmap_.format() == QImage::Format_MonoLSB ? bitmap_.convertToFormat(QImage::Format_Mono) : bitmap_;
    const std::optional<QString> failure = writeWhole(path, owner, [&bitmap](QIODevice& device) {
        if (writesBmp(bitmap.format()))
            return writeBmp(device, bitmap);
        QImageWriter writer(&device, "bmp");
        return writer.write(bitmap);
    });
    if (failure)
        cannotSavePicture(path, *failure);
}
