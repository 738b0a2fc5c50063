#include "platform/bmprowfile.h"

#include "platform/bmpwriter.h"

#include <QFileDevice>
#include <cstring>

BmpRowFile::BmpRowFile(const QString& path, const QImage& picture)
    : file_(path), width_(picture.width()), height_(picture.height()),
      dotsPerMeterX_(picture.dotsPerMeterX()), dotsPerMeterY_(picture.dotsPerMeterY()),
      stride_(bmpStride(picture.width(), 24)) {
    Q_ASSERT(picture.format() == QImage::Format_BGR888);
}

std::optional<QString> BmpRowFile::open() {
    const QByteArray headers = bmpHeaders({width_, height_, 24, dotsPerMeterX_, dotsPerMeterY_, {}});
    if (headers.isEmpty())
        return QStringLiteral("The picture is too large for a BMP file.");
    // Rows go straight to their place: a buffer would only be flushed by the next seek.
    if (std::optional<QString> reason = file_.open(StagedFile::Buffering::Unbuffered))
        return reason;
    dataOffset_ = headers.size();
    padded_.assign(size_t(stride_), 0);
    if (!file_.writeAt(0, headers.constData(), headers.size()))
        return file_.failure();
    return std::nullopt;
}

bool BmpRowFile::writeRow(int y, const uchar* row) {
    Q_ASSERT(y >= 0 && y < height_);
    std::memcpy(padded_.data(), row, size_t(width_) * 3); // the padding stays zero
    ++rowsWritten_;
    return file_.writeAt(dataOffset_ + qint64(height_ - 1 - y) * stride_, padded_.data(), stride_);
}

QString BmpRowFile::failure() const {
    return file_.failure();
}

std::optional<QString> BmpRowFile::commit() {
    Q_ASSERT(rowsWritten_ == height_);
    return file_.commit();
}
