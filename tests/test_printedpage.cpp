#include "support/printedpage.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

QImage whitePage(int width, int height, QImage::Format format) {
    QImage page(width, height, QImage::Format_RGB888);
    page.fill(Qt::white);
    return page.convertToFormat(format);
}

QImage withPixels(QImage page, const QList<QPoint>& points, QColor colour) {
    for (const QPoint& point : points)
        page.setPixelColor(point, colour);
    return page;
}

// Two A4 pages without margins: a red 50 x 40 mm box 20 mm from the left and 30 mm from the
// top of page 1, a blue one on page 2.
void writeTwoPagePdf(const QString& path) {
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&writer);
    const auto dots = [](double mm) { return qRound(mm / 25.4 * 1200); };
    painter.fillRect(QRect(dots(20), dots(30), dots(50), dots(40)), QColor(255, 0, 0));
    writer.newPage();
    painter.fillRect(QRect(dots(20), dots(30), dots(50), dots(40)), QColor(0, 0, 255));
}

} // namespace

TEST(ColourBox, BoundsTheMatchingPixelsInEveryFormat) {
    // Odd widths leave padding at the end of 24-bit rows; the decoy has the colour's channels
    // swapped, which a reader that mixes up red and blue would count.
    const QColor colour(200, 40, 10);
    const QColor decoy(10, 40, 200);
    for (const QImage::Format format : {QImage::Format_BGR888, QImage::Format_RGB888, QImage::Format_RGB32,
                                        QImage::Format_ARGB32, QImage::Format_Indexed8}) {
        SCOPED_TRACE(format);
        QImage page = withPixels(whitePage(41, 29, QImage::Format_RGB888), {{3, 2}, {40, 28}}, decoy);
        for (int y = 7; y < 11; ++y)
            for (int x = 5; x < 15; ++x)
                page.setPixelColor(x, y, colour);
        page = page.convertToFormat(format);
        EXPECT_EQ(colourBox(page, colour, 0), QRect(5, 7, 10, 4));
        EXPECT_EQ(colourBox(page, decoy, 0), QRect(QPoint(3, 2), QPoint(40, 28)));
    }
}

TEST(ColourBox, ReachesThePageCorners) {
    const QImage page = withPixels(whitePage(7, 5, QImage::Format_BGR888), {{0, 0}, {6, 4}}, Qt::black);
    EXPECT_EQ(colourBox(page, Qt::black, 0), QRect(0, 0, 7, 5));
    const QImage single = withPixels(whitePage(7, 5, QImage::Format_BGR888), {{6, 0}}, Qt::black);
    EXPECT_EQ(colourBox(single, Qt::black, 0), QRect(6, 0, 1, 1));
}

TEST(ColourBox, ToleranceAppliesToEachChannelOnItsOwn) {
    const QImage page =
        withPixels(withPixels(whitePage(20, 10, QImage::Format_BGR888), {{2, 3}}, QColor(250, 5, 0)),
                   {{12, 8}}, QColor(255, 0, 6));
    EXPECT_EQ(colourBox(page, QColor(255, 0, 0), 4), std::nullopt);
    EXPECT_EQ(colourBox(page, QColor(255, 0, 0), 5), QRect(2, 3, 1, 1));
    EXPECT_EQ(colourBox(page, QColor(255, 0, 0), 6), QRect(QPoint(2, 3), QPoint(12, 8)));
}

TEST(ColourBox, NothingOfTheColourGivesNoBox) {
    EXPECT_EQ(colourBox(whitePage(9, 9, QImage::Format_BGR888), Qt::red, 30), std::nullopt);
    EXPECT_EQ(colourBox(QImage(), Qt::white, 0), std::nullopt);
}

// The names cups-pdf gave real jobs with these titles.
TEST(CupsPdf, FileStemFollowsCupsPdfNaming) {
    const struct {
        const char* title;
        const char* stem;
    } cases[] = {
        {"Obn7000", "Obn7000"},
        {"Obn Space", "Obn_Space"},
        {"A,b;c(d)e", "A_b_c_d_e"},
        {"x~y=z@w#q", "x_y_z_w_q"},
        {"A+b", "A+b"},
        {"_lead", "lead"},
        {"Obn.ab", "Obn"},
        {"a.b.cd", "a.b"},
        {"Obn 1.2", "Obn_1"},
        {"A.bcde", "A.bcde"},
        {"Ünï/cødé:x", "Ünï_cødé_x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cupsPdfFileStem(QString::fromUtf8(c.title)), QString::fromUtf8(c.stem)) << c.title;
    EXPECT_EQ(cupsPdfFileStem(QStringLiteral("T") + QString(70, QLatin1Char('x'))),
              QStringLiteral("T") + QString(63, QLatin1Char('x')));
}

TEST(CupsPdf, FolderComesFromTheOutSetting) {
    const struct {
        const char* config;
        const char* folder;
    } cases[] = {
        {"### Default: /var/spool/cups-pdf/${USER}\n\nOut ${HOME}/PDF\n\n#AnonDirName /x\n", "/home/ann/PDF"},
        {"#Out ${HOME}/PDF\n", "/var/spool/cups-pdf/ann"},
        {"", "/var/spool/cups-pdf/ann"},
        {"  Out   /srv/pdf/${USER}/  \r\n", "/srv/pdf/ann"},
        {"Out /first\nOut /second\n", "/second"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            cupsPdfFolder(QString::fromUtf8(c.config), QStringLiteral("ann"), QStringLiteral("/home/ann")),
            QString::fromUtf8(c.folder))
            << c.config;
}

TEST(RasterisePdf, MeasuresWhatWasDrawn) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("two.pdf"));
    writeTwoPagePdf(pdf);
    EXPECT_EQ(pdfPageCount(pdf), 2);

    const std::optional<QImage> page = rasterisePdf(pdf, 150);
    ASSERT_TRUE(page.has_value());
    EXPECT_NEAR(pixelsToMm(page->width(), 150), 210.0, 0.3);
    EXPECT_NEAR(pixelsToMm(page->height(), 150), 297.0, 0.3);
    const std::optional<QRect> red = colourBox(*page, QColor(255, 0, 0), 0);
    ASSERT_TRUE(red.has_value());
    // One pixel at 150 dpi is 0.17 mm.
    EXPECT_TRUE(rectNear(pixelsToMm(*red, 150), QRectF(20, 30, 50, 40), 0.2));
    // Only page 1 is rasterised.
    EXPECT_EQ(colourBox(*page, QColor(0, 0, 255), 0), std::nullopt);
}

TEST(RectNear, EveryEdgeAndSizeCountsAndFailuresNameThem) {
    const QRectF expected(10, 20, 120, 120);
    EXPECT_TRUE(rectNear(QRectF(10.5, 19.5, 119.5, 120.5), expected, 0.5));
    const ::testing::AssertionResult off = rectNear(QRectF(10, 20.6, 120, 119.2), expected, 0.5);
    EXPECT_FALSE(off);
    EXPECT_THAT(off.message(), ::testing::HasSubstr("top 20.6"));
    EXPECT_THAT(off.message(), ::testing::HasSubstr("height 119.2"));
    EXPECT_THAT(off.message(), ::testing::Not(::testing::HasSubstr("width")));
    EXPECT_FALSE(rectNear(QRectF(10, 20, qQNaN(), 120), expected, 0.5));
}

TEST(RasterisePdf, UnreadableFilesGiveNothing) {
    QTemporaryDir dir;
    const QString garbage = dir.filePath(QStringLiteral("garbage.pdf"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\nthis is not a page\n");
    file.close();
    const QString empty = dir.filePath(QStringLiteral("empty.pdf"));
    QFile emptyFile(empty);
    ASSERT_TRUE(emptyFile.open(QIODevice::WriteOnly));
    emptyFile.close();
    for (const QString& path : {garbage, empty, dir.filePath(QStringLiteral("missing.pdf"))}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(rasterisePdf(path, 72), std::nullopt);
        EXPECT_EQ(pdfPageCount(path), std::nullopt);
    }
}
