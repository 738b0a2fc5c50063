#include "platform/bmprowfile.h"

#include "platform/bmpwriter.h"

#include <QFileDevice>
#include <algorithm>
#include <cstring>

namespace {

constexpr qint64 kStartWritingEvery = 1 << 20;

} // namespace

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
    const qint64 at = dataOffset_ + qint64(height_ - 1 - y) * stride_;
    if (!file_.writeAt(at, padded_.data(), stride_))
        return false;
    // The disk writes what came so far while the next rows are made, rather than all of it when the
    // file is put in place.
    if (unstartedEnd_ == unstartedBegin_) {
        unstartedBegin_ = at;
        unstartedEnd_ = at + stride_;
    } else {
        unstartedBegin_ = std::min(unstartedBegin_, at);
        unstartedEnd_ = std::max(unstartedEnd_, at + stride_);
    }
    if (unstartedEnd_ - unstartedBegin_ >= kStartWritingEvery) {
        file_.startWriting(unstartedBegin_, unstartedEnd_ - unstartedBegin_);
        unstartedBegin_ = unstartedEnd_ = 0;
    }
    return true;
}

QString BmpRowFile::failure() const {
    return file_.failure();
}

std::optional<QString> BmpRowFile::commit() {
    Q_ASSERT(rowsWritten_ == height_);
    return file_.commit();
}
