#pragma once

#include "platform/safewrite.h"

#include <QImage>
#include <QString>
#include <optional>
#include <vector>

// A 24-bit BMP file written from a picture's rows as they come, in any order, each straight to its
// place (the file stores rows from the bottom up). It gives the bytes Picture::saveBmp() gives for
// the whole picture, and like it replaces the file at the path only once every row is in.
class BmpRowFile {
public:
    // `picture` (QImage::Format_BGR888) gives the size and resolution; its rows come later.
    BmpRowFile(const QString& path, const QImage& picture);

    // Creates the file beside the path and writes its headers; why it could not, or nothing.
    [[nodiscard]] std::optional<QString> open();
    // Row `y` counted from the top, three bytes per pixel; false when it could not be written.
    bool writeRow(int y, const uchar* row);
    // Why the last write failed, a sentence for the user.
    QString failure() const;
    // Once every row is written: puts the file in place of the old one.
    [[nodiscard]] std::optional<QString> commit();

private:
    StagedFile file_;
    int width_ = 0;
    int height_ = 0;
    int dotsPerMeterX_ = 0;
    int dotsPerMeterY_ = 0;
    qint64 dataOffset_ = 0;
    qint64 stride_ = 0;
    int rowsWritten_ = 0;
    qint64 unstartedBegin_ = 0; // the bytes written since the disk was last set writing
    qint64 unstartedEnd_ = 0;
    std::vector<char> padded_; // one row with its padding zeroed
};
