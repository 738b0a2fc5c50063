#include "platform/bmprle.h"

#include <cstring>
#include <utility>

namespace {

// The codes that follow a zero count.
constexpr uchar endOfLine = 0;
constexpr uchar endOfPicture = 1;
constexpr uchar move = 2;

constexpr const char* endsEarly = "its compressed picture data ends before the picture is complete.";
constexpr const char* pastRow = "a run in its compressed picture data goes past the end of a row.";

} // namespace

std::optional<QString> RleRows::next(uchar* indexes) {
    std::memset(indexes, 0, size_t(width_));
    const int row = row_++;
    if (ended_)
        return std::nullopt;
    if (blankRows_ > 0) {
        --blankRows_;
        return std::nullopt;
    }
    int x = std::exchange(x_, 0);
    for (;;) {
        if (!take(2))
            return fault(endsEarly);
        const uchar count = uchar(data_[at_ - 2]);
        const uchar code = uchar(data_[at_ - 1]);
        std::optional<QString> wrong;
        if (count > 0) {
            wrong = run(indexes, x, count, code);
        } else if (code == endOfLine) {
            return std::nullopt;
        } else if (code == endOfPicture) {
            ended_ = true;
            return std::nullopt;
        } else if (code == move) {
            if (!take(2))
                return fault(endsEarly);
            const int right = uchar(data_[at_ - 2]);
            const int down = uchar(data_[at_ - 1]);
            if (right > width_ - x || down >= height_ - row)
                return fault("its compressed picture data moves past the edge of the picture.");
            x += right;
            if (down > 0) {
                blankRows_ = down - 1;
                x_ = x;
                return std::nullopt;
            }
        } else {
            wrong = literal(indexes, x, code);
        }
        if (wrong)
            return wrong;
    }
}

std::optional<QString> RleRows::fault(const char* what) {
    ended_ = true;
    return QString::fromLatin1(what);
}

bool RleRows::take(qsizetype count) {
    if (data_.size() - at_ < count)
        return false;
    at_ += count;
    return true;
}

// `count` pixels from `x` on, alternating the two halves of `value` in a 4-bit picture.
std::optional<QString> RleRows::run(uchar* indexes, int& x, int count, uchar value) {
    if (count > width_ - x)
        return fault(pastRow);
    uchar* out = indexes + x;
    x += count;
    if (bits_ == 8) {
        std::memset(out, value, size_t(count));
        return std::nullopt;
    }
    const uchar halves[2] = {uchar(value >> 4), uchar(value & 0x0f)};
    for (int i = 0; i < count; ++i)
        out[i] = halves[i & 1];
    return std::nullopt;
}

// `count` pixels stored one by one, padded to a whole number of 16-bit words.
std::optional<QString> RleRows::literal(uchar* indexes, int& x, int count) {
    if (count > width_ - x)
        return fault(pastRow);
    const qsizetype bytes = bits_ == 8 ? count : (count + 1) / 2;
    const qsizetype from = at_;
    if (!take(bytes + (bytes & 1)))
        return fault(endsEarly);
    uchar* out = indexes + x;
    x += count;
    const uchar* in = reinterpret_cast<const uchar*>(data_.data()) + from;
    if (bits_ == 8) {
        std::memcpy(out, in, size_t(count));
        return std::nullopt;
    }
    for (int i = 0; i < count; ++i)
        out[i] = i & 1 ? in[i / 2] & 0x0f : in[i / 2] >> 4;
    return std::nullopt;
}
