#include "cover/packedpicture.h"

#include "decor/quarterturn.h"

#include <algorithm>
#include <cstring>

namespace {

// Beyond this a picture is kept whole: compressing a photo not yet fitted would take seconds.
constexpr qint64 kLargestPackedPixels = 4'000'000;

bool sameShape(const QImage& a, const QImage& b) {
    return a.size() == b.size() && a.format() == b.format() && a.colorTable() == b.colorTable() &&
           a.dotsPerMeterX() == b.dotsPerMeterX() && a.dotsPerMeterY() == b.dotsPerMeterY();
}

QImage shapeOf(const QImage& picture) {
    QImage shape(1, 1, picture.format());
    shape.setColorTable(picture.colorTable());
    shape.setDotsPerMeterX(picture.dotsPerMeterX());
    shape.setDotsPerMeterY(picture.dotsPerMeterY());
    return shape;
}

// Whether `picture` is `neighbour` turned a quarter to the left (or right): a few pixels tell
// most pictures apart before the turn is made and compared whole. Quarter turns are made 24-bit.
bool isQuarterTurnOf(const QImage& picture, const QImage& neighbour, bool left) {
    if (picture.format() != QImage::Format_BGR888 || neighbour.format() != QImage::Format_BGR888 ||
        picture.size() != neighbour.size().transposed() || picture.isNull())
        return false;
    const int width = neighbour.width(), height = neighbour.height();
    for (int i = 0; i < 16; ++i) {
        const int x = (width - 1) * (i % 4) / 3, y = (height - 1) * (i / 4) / 3;
        const QPoint to = left ? QPoint(y, width - 1 - x) : QPoint(height - 1 - y, x);
        const uchar* from = neighbour.constScanLine(y) + 3 * x;
        if (std::memcmp(from, picture.constScanLine(to.y()) + 3 * to.x(), 3) != 0)
            return false;
    }
    return (left ? turnedLeft(neighbour) : turnedRight(neighbour)) == picture;
}

QByteArray bitsOf(const QImage& picture) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(picture.constBits()),
                                   static_cast<qsizetype>(picture.sizeInBytes()));
}

} // namespace

PackedPicture PackedPicture::against(const QImage& picture, const QImage& neighbour) {
    PackedPicture packed;
    // Equal pixels count as the same picture: a state unpacked is a new image of the same pixels.
    if (picture.cacheKey() == neighbour.cacheKey() || (picture.isNull() && neighbour.isNull()) ||
        (sameShape(picture, neighbour) && picture == neighbour)) {
        packed.kind_ = Kind::Same;
        return packed;
    }
    if (picture.isNull() || qint64(picture.width()) * picture.height() > kLargestPackedPixels) {
        packed.whole_ = picture;
        return packed;
    }
    packed.shape_ = shapeOf(picture);
    packed.size_ = picture.size();
    if (isQuarterTurnOf(picture, neighbour, true)) {
        packed.kind_ = Kind::TurnedLeft;
    } else if (isQuarterTurnOf(picture, neighbour, false)) {
        packed.kind_ = Kind::TurnedRight;
    } else if (sameShape(picture, neighbour)) {
        QByteArray difference = bitsOf(picture);
        difference.detach();
        const uchar* other = neighbour.constBits();
        std::transform(difference.begin(), difference.end(), other, difference.begin(),
                       [](char a, uchar b) { return char(uchar(a) ^ b); });
        packed.kind_ = Kind::Xor;
        packed.packed_ = qCompress(difference, 1);
    } else {
        packed.kind_ = Kind::Compressed;
        packed.packed_ = qCompress(bitsOf(picture), 1);
    }
    return packed;
}

QImage PackedPicture::unpacked(const QImage& neighbour) const {
    switch (kind_) {
    case Kind::Whole:
        return whole_;
    case Kind::Same:
        return neighbour;
    case Kind::TurnedLeft:
    case Kind::TurnedRight: {
        QImage turned = kind_ == Kind::TurnedLeft ? turnedLeft(neighbour) : turnedRight(neighbour);
        turned.setDotsPerMeterX(shape_.dotsPerMeterX());
        turned.setDotsPerMeterY(shape_.dotsPerMeterY());
        return turned;
    }
    case Kind::Xor:
    case Kind::Compressed:
        break;
    }
    const QByteArray bits = qUncompress(packed_);
    QImage picture(size_, shape_.format());
    picture.setColorTable(shape_.colorTable());
    picture.setDotsPerMeterX(shape_.dotsPerMeterX());
    picture.setDotsPerMeterY(shape_.dotsPerMeterY());
    uchar* out = picture.bits();
    std::memcpy(out, bits.constData(), std::min<size_t>(size_t(bits.size()), size_t(picture.sizeInBytes())));
    if (kind_ == Kind::Xor) {
        const uchar* other = neighbour.constBits();
        const qsizetype bytes = picture.sizeInBytes();
        for (qsizetype i = 0; i < bytes; ++i)
            out[i] ^= other[i];
    }
    return picture;
}

qint64 PackedPicture::bytes() const {
    return kind_ == Kind::Whole ? whole_.sizeInBytes() : packed_.size();
}
