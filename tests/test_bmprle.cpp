#include "platform/bmprle.h"
#include "platform/orbalinerror.h"
#include "platform/picture.h"

#include "support/bmpfiles.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

// Every row the data gives, in file order, or the first fault. The data is copied into a block
// of exactly its size, so a read past its end shows under AddressSanitizer.
struct Expanded {
    std::vector<QByteArray> rows;
    QString fault;
};

Expanded expand(const QByteArray& data, int width, int height, int bits) {
    const std::vector<char> exact(data.begin(), data.end());
    RleRows rows(QByteArrayView(exact.data(), qsizetype(exact.size())), width, height, bits);
    Expanded out;
    for (int i = 0; i < height; ++i) {
        QByteArray row(width, '\x7f');
        if (const std::optional<QString> fault = rows.next(reinterpret_cast<uchar*>(row.data()))) {
            out.fault = *fault;
            break;
        }
        out.rows.push_back(row);
    }
    return out;
}

struct RleCase {
    const char* name;
    int bits;
    int width;
    QByteArray data;
    std::vector<QByteArray> rows; // as the file stores them, bottom row first
};

TEST(RleRows, RunsLiteralsAndMovesFillRowsAndLeaveTheRestAtIndexZero) {
    const std::vector<RleCase> cases = {
        {"8 bits: a run, an odd literal with its padding, a move down, the end",
         8,
         8,
         bytes({3, 5, 0, 3, 1, 2, 3, 0, 0, 0, 2, 7, 0, 2, 2, 1, 4, 9, 0, 0, 0, 1}),
         {bytes({5, 5, 5, 1, 2, 3, 0, 0}), bytes({7, 7, 0, 0, 0, 0, 0, 0}), bytes({0, 0, 0, 0, 9, 9, 9, 9}),
          QByteArray(8, 0)}},
        {"8 bits: a move along the row, a move over a blank row, no end of picture",
         8,
         6,
         bytes({0, 2, 2, 0, 2, 1, 0, 2, 1, 2, 1, 4, 0, 0, 2, 3, 0, 0}),
         {bytes({0, 0, 1, 1, 0, 0}), QByteArray(6, 0), bytes({0, 0, 0, 0, 0, 4}), bytes({3, 3, 0, 0, 0, 0})}},
        {"4 bits: runs alternate their two halves, literals pad to 16 bits",
         4,
         8,
         bytes({5, 0xab, 2, 0xcd, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0, 0, 3, 0x67, 0x80, 0, 1}),
         {bytes({10, 11, 10, 11, 10, 12, 13, 0}), bytes({1, 2, 3, 4, 5, 6, 7, 8}), QByteArray(8, 0),
          QByteArray(8, 0)}},
    };
    for (const RleCase& c : cases) {
        const Expanded expanded = expand(c.data, c.width, 4, c.bits);
        EXPECT_EQ(expanded.fault, QString()) << c.name;
        EXPECT_EQ(expanded.rows, c.rows) << c.name;
    }
}

TEST(RleRows, DataPuttingPixelsOutsideThePictureOrEndingEarlyIsRefused) {
    const char* pastRow = "a run in its compressed picture data goes past the end of a row.";
    const char* pastEdge = "its compressed picture data moves past the edge of the picture.";
    const char* endsEarly = "its compressed picture data ends before the picture is complete.";
    const std::vector<std::tuple<const char*, int, QByteArray, const char*>> cases = {
        {"a run one past the row", 8, bytes({2, 1, 3, 1}), pastRow},
        {"a 4-bit run one past the row", 4, bytes({5, 0x11}), pastRow},
        {"a literal past the row", 8, bytes({2, 1, 0, 3, 1, 2, 3, 0}), pastRow},
        {"a move past the right edge", 8, bytes({0, 2, 5, 0}), pastEdge},
        {"a move below the last row", 8, bytes({0, 2, 0, 2}), pastEdge},
        {"cut inside a run", 8, bytes({3}), endsEarly},
        {"cut inside a literal's padding", 8, bytes({0, 3, 1, 2, 3}), endsEarly},
        {"cut inside a move", 8, bytes({0, 2, 1}), endsEarly},
        {"no data for the last row", 8, bytes({4, 1, 0, 0}), endsEarly},
        {"nothing at all", 8, QByteArray(), endsEarly},
    };
    for (const auto& [name, bits, data, fault] : cases)
        EXPECT_EQ(expand(data, 4, 2, bits).fault, QLatin1String(fault)) << name;
}

const QList<QRgb> palette = {qRgb(250, 250, 250), qRgb(200, 0, 0), qRgb(0, 150, 0), qRgb(0, 0, 100)};

using RlePictures = TempFiles;

// Qt's own reader knows both codings: an independent reference for files without moves.
TEST_F(RlePictures, BothCodingsOpenAsQtReadsThemARowAtATimeFromTheBottom) {
    const QByteArray rle8 =
        bmpFile({.width = 5, .height = 3, .bitCount = 8, .compression = 1, .colorsUsed = 4}, palette,
                bytes({5, 1, 0, 0, 0, 5, 0, 1, 2, 3, 2, 0, 0, 0, 2, 3, 3, 2, 0, 1}));
    const QByteArray rle4 =
        bmpFile({.width = 5, .height = 2, .bitCount = 4, .compression = 2, .colorsUsed = 4}, palette,
                bytes({5, 0x12, 0, 0, 0, 5, 0x30, 0x21, 0x30, 0, 0, 1}));
    for (const QByteArray& file : {rle8, rle4}) {
        const QImage qt = QImage::fromData(file, "bmp");
        ASSERT_FALSE(qt.isNull());
        const QString path = write(QStringLiteral("rle.jpg"), file);
        std::vector<int> rowsTold;
        const QImage opened =
            Picture::load(write(QStringLiteral("rle.bmp"), file), [&](const QImage&, int y) {
                rowsTold.push_back(y);
                return true;
            }).bitmap();
        EXPECT_EQ(opened.format(), QImage::Format_BGR888);
        EXPECT_EQ(pixelsOf(opened), pixelsOf(qt));
        EXPECT_EQ(rowsTold.front(), qt.height() - 1);
        EXPECT_EQ(int(rowsTold.size()), qt.height());
        EXPECT_EQ(Picture::loadBmp(path).bitmap(), opened) << "whatever the file's name";
        EXPECT_EQ(Picture::decodeBmp(file, path).bitmap(), opened);
    }
}

TEST_F(RlePictures, SkippedPixelsTakeTheFirstColourAndIndexesPastTheTableBlack) {
    // 3 × 2, bottom row first: a move over two pixels then index 1; a run of index 9.
    const QByteArray file =
        bmpFile({.width = 3, .height = 2, .bitCount = 8, .compression = 1, .colorsUsed = 4}, palette,
                bytes({0, 2, 2, 0, 1, 1, 0, 0, 3, 9, 0, 1}));
    const QImage opened = Picture::decodeBmp(file, QStringLiteral("x.bmp")).bitmap();
    EXPECT_EQ(pixelsOf(opened),
              (QList<QRgb>{qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(0, 0, 0), palette[0], palette[0], palette[1]}));
}

TEST_F(RlePictures, DamagedDataIsRefusedNamingTheFile) {
    const QByteArray cutShort =
        bmpFile({.width = 4, .height = 2, .bitCount = 4, .compression = 2, .colorsUsed = 4}, palette,
                bytes({4, 0x11, 0, 0, 5, 0x22}));
    const QString path = write(QStringLiteral("damaged.bmp"), cutShort);
    try {
        Picture::loadBmp(path);
        ADD_FAILURE() << "accepted";
    } catch (const OrbalinError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("The picture \"%1\" cannot be opened. The file is damaged: a run in "
                                 "its compressed picture data goes past the end of a row.")
                      .arg(path));
    }
}

} // namespace
