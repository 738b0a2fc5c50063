#pragma once

#include "cover/stretchtaps.h"

#include <QImage>
#include <QSize>
#include <array>
#include <cstdint>
#include <vector>

// stretchToSize() fed one source row at a time, as a decoder delivers them, from the top down or
// from the bottom up: each row is added into the one or two result rows it falls in and is not
// needed again. Gives the same bytes as stretchToSize() on the whole picture.
class StretchRows {
public:
    enum class Order { TopDown, BottomUp };

    // `source` and `result` must not be empty.
    StretchRows(QSize source, QSize result, Order order);

    // The next source row in the chosen order: three bytes (blue, green, red) per pixel.
    void add(const uchar* row);

    bool complete() const { return added_ == source_.height(); }
    // The stretched picture; null until every row was added.
    QImage result() const { return complete() ? result_ : QImage(); }

private:
    int startOf(int result) const { return order_ == Order::TopDown ? down_.first[result] : down_.last(result); }
    int endOf(int result) const { return order_ == Order::TopDown ? down_.last(result) : down_.first[result]; }
    void finish(int result, std::vector<std::uint32_t>& column);

    QSize source_;
    Order order_;
    int step_ = 1;
    Taps across_;
    Taps down_;
    int added_ = 0;
    int nextSource_ = 0;
    int nextResult_ = 0; // the first result row not finished yet
    // Result rows are finished in turn and at most two are open at once: row d sums into d % 2.
    std::array<std::vector<std::uint32_t>, 2> columns_;
    std::vector<std::uint32_t> sums_;
    QImage result_;
};
