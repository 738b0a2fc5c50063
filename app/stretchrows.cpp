#include "app/stretchrows.h"

#include <algorithm>

StretchRows::StretchRows(QSize source, QSize result, Order order)
    : source_(source), order_(order), step_(order == Order::TopDown ? 1 : -1),
      across_(tapsFor(source.width(), result.width())), down_(tapsFor(source.height(), result.height())),
      nextSource_(order == Order::TopDown ? 0 : source.height() - 1),
      nextResult_(order == Order::TopDown ? 0 : result.height() - 1), sums_(size_t(3) * result.width()),
      result_(result, QImage::Format_BGR888) {
    for (std::vector<std::uint32_t>& column : columns_)
        column.resize(size_t(3) * source.width());
}

void StretchRows::add(const uchar* row) {
    const int j = nextSource_;
    const int values = 3 * source_.width();
    // The result rows holding source row j lie next to each other; all but the last finish here.
    for (int d = nextResult_; d >= 0 && d < result_.height(); d += step_) {
        if (down_.first[d] > j || down_.last(d) < j)
            break;
        std::vector<std::uint32_t>& column = columns_[size_t(d % 2)];
        if (j == startOf(d))
            std::fill(column.begin(), column.end(), 0u);
        const std::uint32_t w = down_.weights[size_t(down_.offset[d] + j - down_.first[d])];
        std::uint32_t* into = column.data();
        for (int i = 0; i < values; ++i)
            into[i] += w * row[i];
        if (j != endOf(d))
            break;
        finish(d, column);
        nextResult_ = d + step_;
    }
    nextSource_ += step_;
    ++added_;
}

void StretchRows::finish(int result, std::vector<std::uint32_t>& column) {
    filterAcross(column.data(), across_, sums_.data());
    roundSums(sums_.data(), int(sums_.size()), result_.scanLine(result));
}
