// Opening a picture in one pass: the rows go to the picture, the working file and the stretch as
// they are read, with the same bytes as reading the whole picture first.
#include "app/openpass.h"
#include "app/stretchrows.h"
#include "cover/fitpixels.h"
#include "platform/bmprowfile.h"
#include "platform/orbalinerror.h"
#include "platform/progressestimate.h"
#include "support/jpegwriter.h"
#include "support/pictures.h"
#include "support/tempfiles.h"

#include <QDir>
#include <QtEndian>
#include <csignal>
#include <sys/resource.h>

namespace {

TEST(StretchRows, GivesTheWholePictureStretchInEitherOrder) {
    const struct {
        QSize source, result;
    } cases[] = {{{600, 400}, {90, 90}}, {{37, 23}, {9, 7}},  {{5, 3}, {20, 13}},
                 {{1, 1}, {4, 4}},       {{50, 1}, {6, 5}},  {{7, 900}, {3, 17}}};
    for (const auto& c : cases) {
        const QImage source = noisePicture(c.source.width(), c.source.height(), quint32(c.source.width()));
        const QImage expected = stretchToSize(source, c.result);
        for (const auto order : {StretchRows::Order::TopDown, StretchRows::Order::BottomUp}) {
            StretchRows rows(c.source, c.result, order);
            const bool down = order == StretchRows::Order::TopDown;
            for (int i = 0; i < source.height(); ++i) {
                EXPECT_TRUE(rows.result().isNull());
                rows.add(source.constScanLine(down ? i : source.height() - 1 - i));
            }
            EXPECT_EQ(rows.result(), expected) << c.source.width() << "x" << c.source.height() << " down " << down;
        }
    }
}

TEST(ProgressEstimate, AWindowOnlyForJobsExpectedToLastLonger) {
    EXPECT_FALSE(expectedToLastLonger(10, 1, 1000, 500)) << "too early to tell";
    EXPECT_FALSE(expectedToLastLonger(60, 200, 1000, 500)) << "300 ms in all";
    EXPECT_TRUE(expectedToLastLonger(60, 100, 1000, 500)) << "600 ms in all";
    EXPECT_TRUE(expectedToLastLonger(500, 999, 1000, 500)) << "already as long";
    EXPECT_FALSE(expectedToLastLonger(80, 1000, 1000, 500)) << "done";
}

class OnePass : public TempFiles {
protected:
    QString file(const QString& name, const QByteArray& bytes) const { return write(name, bytes); }

    QString bmp(const QString& name, const QImage& picture) const {
        Picture(picture).saveBmp(path(name));
        return path(name);
    }

    // What opening did before it was done in one pass: read it all, then write it all.
    QByteArray wholeWorkingFile(const QString& picture) const {
        Picture whole = Picture::load(picture);
        if (whole.bitmap().format() != QImage::Format_BGR888)
            whole.assign(whole.bitmap().convertToFormat(QImage::Format_BGR888));
        whole.saveBmp(path(QStringLiteral("whole.bmp")));
        return contents(path(QStringLiteral("whole.bmp")));
    }

    OpenedPicture open(const QString& picture, const RowProgress& progress = {}) const {
        return openInOnePass(picture, path(QStringLiteral("cd1_tmp.bmp")), {90, 90}, true, progress);
    }

    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
};

// The same bytes from any order of rows, with padding at every width modulo four, and from a file
// large enough for the disk to be set writing while its rows still come.
TEST_F(OnePass, RowsWrittenInAnyOrderGiveTheBytesOfAWholeSave) {
    for (const QSize size : {QSize(1, 5), QSize(2, 5), QSize(3, 5), QSize(4, 5), QSize(701, 1100)}) {
        const QImage picture = noisePicture(size.width(), size.height(), quint32(size.width()));
        Picture(picture).saveBmp(path(QStringLiteral("whole.bmp")));
        BmpRowFile rows(path(QStringLiteral("rows.bmp")), picture);
        ASSERT_FALSE(rows.open().has_value());
        const int h = size.height();
        for (int i = 0; i < h; ++i) { // every row once, hopping about the file
            const int y = int((qint64(i) * (h / 2 + 1) + 2) % h);
            ASSERT_TRUE(rows.writeRow(y, picture.constScanLine(y)));
        }
        ASSERT_FALSE(rows.commit().has_value());
        EXPECT_EQ(contents(path(QStringLiteral("rows.bmp"))), contents(path(QStringLiteral("whole.bmp"))))
            << size.width();
    }
}

TEST_F(OnePass, WorkingFileAndStretchAreThoseOfTheWholePicture) {
    const QImage photo = gradientPicture(201, 67);
    QImage topDown;
    const QByteArray bottomUpBytes = [&] {
        bmp(QStringLiteral("odd.bmp"), noisePicture(203, 31, 7));
        return contents(path(QStringLiteral("odd.bmp")));
    }();
    // The same rows stored from the top down: height negative, rows in reverse.
    QByteArray topDownBytes = bottomUpBytes.left(54);
    qToLittleEndian<qint32>(-31, topDownBytes.data() + 22);
    const qsizetype stride = (203 * 3 + 3) / 4 * 4;
    for (int row = 30; row >= 0; --row)
        topDownBytes += bottomUpBytes.mid(54 + row * stride, stride);

    const QString pictures[] = {
        file(QStringLiteral("baseline.jpg"), encodeJpeg(photo)),
        file(QStringLiteral("progressive.jpg"), encodeJpeg(photo, {.progressive = true})),
        file(QStringLiteral("grey.jpg"), encodeJpeg(photo, {.colours = JpegOptions::Colours::Greyscale})),
        file(QStringLiteral("cmyk.jpg"), encodeJpeg(photo, {.colours = JpegOptions::Colours::Cmyk})),
        file(QStringLiteral("bottomup.bmp"), bottomUpBytes),
        file(QStringLiteral("topdown.bmp"), topDownBytes),
    };
    for (const QString& picture : pictures) {
        const OpenedPicture opened = open(picture);
        EXPECT_EQ(opened.picture.bitmap(), Picture::load(picture).bitmap()) << picture.toStdString();
        EXPECT_EQ(contents(path(QStringLiteral("cd1_tmp.bmp"))), wholeWorkingFile(picture)) << picture.toStdString();
        EXPECT_EQ(opened.stretched, stretchToSize(opened.picture.bitmap(), {90, 90})) << picture.toStdString();
    }
}

// A picture cut short, a disk that refuses part of the file, or Cancel at the first or the last
// row: the old working file stays and no temporary file is left.
TEST_F(OnePass, AnyFailurePartWayLeavesTheOldWorkingFile) {
    const QByteArray old = "the working file of the last open";
    const QByteArray jpeg = encodeJpeg(gradientPicture(300, 200));
    const QString jpegPath = file(QStringLiteral("photo.jpg"), jpeg);
    const QString bmpPath = bmp(QStringLiteral("photo.bmp"), gradientPicture(300, 200));
    const QByteArray bmpBytes = contents(bmpPath);
    const QString cutJpeg = file(QStringLiteral("cut.jpg"), jpeg.left(jpeg.size() * 2 / 3));
    const QString cutBmp = file(QStringLiteral("cut.bmp"), bmpBytes.left(bmpBytes.size() - 1000));
    QStringList before = entries() << QStringLiteral("cd1_tmp.bmp");
    before.sort();

    const auto check = [&](const char* what) {
        EXPECT_EQ(contents(path(QStringLiteral("cd1_tmp.bmp"))), old) << what;
        EXPECT_EQ(entries(), before) << what << ": no temporary file left";
    };
    write(QStringLiteral("cd1_tmp.bmp"), old);
    for (const QString& cut : {cutJpeg, cutBmp}) {
        EXPECT_THROW(open(cut), OrbalinError);
        check("cut short");
    }

    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    for (const QString& picture : {jpegPath, bmpPath}) {
        rlimit small = limit;
        small.rlim_cur = 100 * 1024; // the file needs 180 KB
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        EXPECT_THROW(open(picture), OrbalinError);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        check("a write refused");
    }
    std::signal(SIGXFSZ, oldHandler);

    for (const QString& picture : {jpegPath, bmpPath})
        for (const qint64 cancelAt : {1, 200}) {
            qint64 asked = 0;
            const OpenedPicture opened = open(picture, [&](qint64 done, qint64 total) {
                asked = done;
                EXPECT_EQ(total, 200);
                return done < cancelAt;
            });
            EXPECT_TRUE(opened.cancelled);
            EXPECT_TRUE(opened.picture.isEmpty());
            EXPECT_EQ(asked, cancelAt);
            check("cancelled");
        }
}

} // namespace
