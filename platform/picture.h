#pragma once

#include "platform/decodedrow.h"
#include "platform/picturelimits.h"
#include "platform/safewrite.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// A picture as the windows use it: empty, or holding one bitmap. A 24-bit bitmap is
// QImage::Format_BGR888 (blue-green-red bytes, rows padded to 4 bytes).
// Copies are cheap (QImage shares its pixels until one side writes).
class Picture {
public:
    Picture() = default;
    explicit Picture(QImage bitmap) : bitmap_(std::move(bitmap)) {}

    bool isEmpty() const { return bitmap_.isNull(); }
    int width() const { return bitmap_.width(); }
    int height() const { return bitmap_.height(); }
    const QImage& bitmap() const { return bitmap_; }
    QImage& bitmap() { return bitmap_; }

    void assign(const QImage& bitmap) { bitmap_ = bitmap; }
    void clear() { bitmap_ = QImage(); }

    static constexpr qint64 maxPixels = kMaxPicturePixels;

    // Reads a JPEG or BMP file, chosen by its extension (case does not matter).
    // Throws OrbalinError naming the file and the reason when it cannot be read.
    static Picture load(const QString& path);

    // The same, telling `row` of each row of a JPEG or a 16-, 24- or 32-bit or run-length coded BMP
    // picture as it is read (other indexed BMP pictures come whole). An empty picture when `row`
    // stopped the reading.
    static Picture load(const QString& path, const DecodedRow& row);

    // Reads a BMP file at its own size: 1-, 4- and 8-bit files keep their colour tables, 16-, 24- and
    // 32-bit and run-length coded files become Format_BGR888 (alpha is dropped).
    // Throws OrbalinError naming the file and the reason when it cannot be read.
    static Picture loadBmp(const QString& path, const DecodedRow& row = DecodedRow());
    // The same for `command`, which takes BMP pictures only: a JPEG picture is refused by saying so.
    static Picture loadBmpFor(const QString& command, const QString& path);
    // The same for the bytes of a BMP file; `path` only names it in messages.
    static Picture decodeBmp(const QByteArray& bytes, const QString& path);
    // Reads one of the program's own BMP files as loadBmp() does; a link at the path that leads out
    // of the file's folder is refused with a message.
    static Picture loadProgramBmp(const QString& path);

    // Reads a JPEG file as a Format_BGR888 bitmap, whatever its colour space.
    static Picture loadJpeg(const QString& path, const DecodedRow& row = DecodedRow());

    // Writes the bitmap as a BMP file in its own pixel format. The file is written beside the
    // target and renamed into place, so a failed save (a full disk included) never destroys an
    // existing file. The program's own files replace a link at the path; the user's follow it.
    // Throws OrbalinError on failure or when the picture is empty.
    void saveBmp(const QString& path, FileOwner owner = FileOwner::Program) const;

private:
    QImage bitmap_;
};

// Throws the OrbalinError for a picture that cannot be saved at `path`: the file, then the reason.
[[noreturn]] void cannotSavePicture(const QString& path, const QString& reason);
