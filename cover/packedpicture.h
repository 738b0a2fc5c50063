#pragma once

#include <QByteArray>
#include <QImage>

// A picture kept in a slot's history. The one in use is kept whole; the others are packed against
// a neighbouring picture of the history: as nothing when they are the neighbour itself or the
// neighbour turned a quarter (a turn's two sides; turning back costs less than unpacking), as the
// compressed exclusive-or of the two when they share size and format (a layout or a stamp changes
// few pixels, and the unchanged ones compress to almost nothing), else as their own compressed
// pixels.
class PackedPicture {
public:
    PackedPicture() = default;
    explicit PackedPicture(QImage whole) : whole_(std::move(whole)) {}

    static PackedPicture against(const QImage& picture, const QImage& neighbour);

    // The picture again, given the neighbour it was packed against.
    QImage unpacked(const QImage& neighbour) const;
    // Only for a picture kept whole.
    const QImage& whole() const { return whole_; }
    bool isWhole() const { return kind_ == Kind::Whole; }

    // What the history holds for it: its compressed bytes, or its pixels when kept whole.
    qint64 bytes() const;

private:
    enum class Kind { Whole, Same, TurnedLeft, TurnedRight, Xor, Compressed };
    Kind kind_ = Kind::Whole;
    QImage whole_; // Whole only
    QImage shape_; // all but Whole and Same: a 1×1 picture with the format, colours and resolution
    QSize size_;
    QByteArray packed_;
};
