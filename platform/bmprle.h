#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <optional>

// The run-length coding of 4- and 8-bit BMP pictures (compressions RLE4 and RLE8), expanded to one
// colour index a byte, a row at a time in the order the file stores the rows. Pixels the data
// never sets (skipped by a move, or left when the picture ends early) are index 0, as other readers
// leave them. Data that would put a pixel outside the picture, or that ends before the last row
// is complete, is damage.
class RleRows {
public:
    RleRows(QByteArrayView data, int width, int height, int bitsPerIndex)
        : data_(data), width_(width), height_(height), bits_(bitsPerIndex) {}

    // Fills `indexes` (width bytes) with the next row; what is wrong with the data when it cannot.
    std::optional<QString> next(uchar* indexes);

private:
    std::optional<QString> fault(const char* what);
    bool take(qsizetype count);
    std::optional<QString> run(uchar* indexes, int& x, int count, uchar value);
    std::optional<QString> literal(uchar* indexes, int& x, int count);

    QByteArrayView data_;
    int width_;
    int height_;
    int bits_;
    qsizetype at_ = 0;
    int row_ = 0;        // the row `next` fills
    int x_ = 0;          // where that row's data starts, moved along by a move from the row before
    int blankRows_ = 0;  // rows a move jumps over, given out as index 0
    bool ended_ = false; // the end-of-picture code was read
};
