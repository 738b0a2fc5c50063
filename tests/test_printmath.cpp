// Print arithmetic without windows: DIB rows, reading calibration numbers, places on the page, and
// what the calibration fields let through.
#include "doubles/testprinter.h"
#include "platform/printjob.h"
#include "print/calibrationkeys.h"
#include "print/pdfexport.h"
#include "print/placement.h"
#include "print/printdib.h"

#include <QLocale>
#include <QPainter>
#include <clocale>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

QImage distinctPixels(int width, int height) {
    QImage picture(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixelColor(x, y,
                                  QColor((40 * x + 10) % 256, (60 * y + 5) % 256, (200 + 30 * x) % 256));
    return picture;
}

TEST(Dib, RowsAreBottomUpAndPaddedToFourBytes) {
    const QImage picture = distinctPixels(3, 2); // 9 bytes a row, padded to 12
    EXPECT_EQ(dibHeaderFor(picture).biSizeImage, 18u);
    const Dib dib = toDib(picture);
    EXPECT_EQ(dib.header.biSize, 40);
    EXPECT_EQ(dib.header.biWidth, 3);
    EXPECT_EQ(dib.header.biHeight, 2);
    EXPECT_EQ(dib.header.biBitCount, 24);
    EXPECT_EQ(dib.header.biSizeImage, 24u);
    ASSERT_EQ(dib.bits.size(), 24u);
    for (int row = 0; row < 2; ++row) {
        const QImage::Format format = QImage::Format_BGR888;
        const QImage stored(dib.bits.data() + row * 12, 3, 1, 12, format);
        EXPECT_EQ(stored, picture.copy(0, 1 - row, 3, 1)) << "DIB row " << row;
        EXPECT_EQ(dib.bits[size_t(row * 12 + 9)] | dib.bits[size_t(row * 12 + 11)], 0) << "padding";
    }
    // 450 pixels make 1350 bytes, padded to 1352.
    EXPECT_EQ(toDib(QImage(450, 450, QImage::Format_BGR888)).bits.size(), 608400u);
}

TEST(Dib, OneBitFrameBecomesTwentyFourBitBlackAndWhite) {
    QImage frame(5, 4, QImage::Format_Mono);
    frame.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    frame.fill(1);
    frame.setPixel(0, 0, 0);
    const Dib dib = toDib(frame);
    EXPECT_EQ(dib.header.biSizeImage, 16u * 4);
    const uchar* topRow = dib.bits.data() + 3 * 16; // last in the buffer
    EXPECT_EQ(topRow[0] | topRow[1] | topRow[2], 0);
    EXPECT_EQ(topRow[3] & topRow[4] & topRow[5], 255);
}

// An independent reference: the raster engine draws what the printer would get.
TEST(StretchDrawDIB, StretchesTheWholePictureTheRightWayUp) {
    const QImage picture = distinctPixels(3, 2);
    const QImage before = picture.copy();
    QImage page(100, 80, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter canvas(&page);
        TPrintDIB().StretchDrawDIB(canvas, 10, 20, 30, 20, picture);
    }
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(page.pixelColor(10 + 10 * x + 5, 20 + 10 * y + 5), picture.pixelColor(x, y))
                << x << "," << y;
    EXPECT_EQ(page.pixelColor(9, 25), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(40, 25), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(15, 40), QColor(Qt::white));
    EXPECT_EQ(picture, before);
}

TEST(StretchDrawDIB, JobCarriesThePictureAtItsOwnSize) {
    TestPrinter printer(TestPrinter::dpi600Letter());
    const QImage picture = distinctPixels(450, 450);
    TPrintDIB().StretchDrawDIB(printer.beginJob("Obn7000"), 0, 3540, 2837, 2838, picture);
    printer.endJob();
    ASSERT_EQ(printer.jobs.front().images.size(), 1u);
    const PrintedImage& printed = printer.jobs.front().images.front();
    EXPECT_EQ(printed.image.size(), QSize(450, 450));
    EXPECT_EQ(printed.target, QRect(0, 3540, 2837, 2838));
    EXPECT_EQ(printed.asSeen().convertToFormat(QImage::Format_BGR888), picture);
}

TEST(PrintJob, AJobNotFinishedIsGivenUpNotPrinted) {
    TestPrinter printer(TestPrinter::dpi600Letter());
    try {
        PrintJob job(printer, "Obn7000");
        throw std::runtime_error("drawing failed");
    } catch (const std::runtime_error&) {
    }
    {
        PrintJob job(printer, "Calibration");
        job.finish();
    }
    ASSERT_EQ(printer.jobs.size(), 2u);
    EXPECT_TRUE(printer.jobs.front().aborted);
    EXPECT_FALSE(printer.jobs.front().ended);
    EXPECT_TRUE(printer.jobs.back().ended);
    EXPECT_FALSE(printer.jobs.back().aborted);
}

TEST(CalibrationNumbers, CentimetresAreDigitsWithOnePoint) {
    EXPECT_EQ(parseCentimetres("15.00"), 15.0L);
    EXPECT_EQ(parseCentimetres("0.5"), 0.5L);
    EXPECT_EQ(parseCentimetres(".5"), 0.5L);
    EXPECT_EQ(parseCentimetres("5."), 5.0L);
    EXPECT_EQ(parseCentimetres("-0.25"), -0.25L);
    EXPECT_EQ(parseCentimetres(" 1.25 "), 1.25L); // spaces left in a hand-edited file
    for (const char* bad : {"", " ", "abc", "1.2.3", "1,5", "nan", "inf", "-inf", "1e999", "1e2", "0x10", "-",
                            ".", "12a", "1 2"})
        EXPECT_FALSE(parseCentimetres(QString::fromLatin1(bad)).has_value()) << '"' << bad << '"';
    EXPECT_FALSE(parseCentimetres(QString(1024 * 1024, QLatin1Char('7'))).has_value());
}

TEST(CalibrationNumbers, ReadTheSameWhateverTheLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // where the system has it
    EXPECT_EQ(parseCentimetres("15.00"), 15.0L);
    EXPECT_FALSE(parseCentimetres("15,00").has_value());
    std::setlocale(LC_ALL, previousC.c_str());
    QLocale::setDefault(previous);
}

TEST(CalibrationNumbers, DotsAreWholeNumbersFromZero) {
    EXPECT_EQ(parseDots("2834"), 2834);
    EXPECT_EQ(parseDots("0"), 0);
    for (const char* bad : {"", "-5", "2834.5", "99999999999", "12a", "+3", "abc"})
        EXPECT_FALSE(parseDots(QString::fromLatin1(bad)).has_value()) << '"' << bad << '"';
}

TEST(Placement, OffsetsAreTruncatedAfterMultiplyingWholeDotsPerCentimetre) {
    const auto placement = placementFor({"0.00", "0.00", "0.00", "15.00", "2834", "2834"}, 236, 236);
    EXPECT_EQ(std::get<Placement>(placement), (Placement{0, 0, 0, 3540, 2834, 2834}));
    // 10.00 cm on a 236.19 dots-per-centimetre printer: 236 × 10.
    const auto tenCm = placementFor({"10.00", "0.99", "-0.01", "4.10", "1", "2"}, 236, 100);
    EXPECT_EQ(std::get<Placement>(tenCm), (Placement{2360, 99, -2, 410, 1, 2}));
}

TEST(Placement, OffsetsWhoseProductsHaveFractionsAreTruncatedTowardZero) {
    // Across at 236 dots a centimetre: 1.27 gives 299.72, 0.99 gives 233.64; down on a 360 dpi
    // printer's 141: -0.07 gives -9.87, 2.50 gives 352.5.
    const auto placement = placementFor({"1.27", "-0.07", "0.99", "2.50", "1", "1"}, 236, 141);
    EXPECT_EQ(std::get<Placement>(placement), (Placement{299, -9, 233, 352, 1, 1}));
}

TEST(Placement, PlacesAndSizesStayWithinAMetreAndAMillionDots) {
    const CalibrationTexts farthest = {"-100.00", "100", "100.00", "-100", "1000000", "1000000"};
    EXPECT_EQ(std::get<Placement>(placementFor(farthest, 236, 141)),
              (Placement{-23600, 14100, 23600, -14100, 1000000, 1000000}));
    EXPECT_EQ(calibrationFault(farthest), std::nullopt);
    struct Case {
        int index;
        const char* value;
    };
    // What a calibration file may hold, far beyond: refused without overflowing anything.
    for (const Case& c : {Case{0, "100.01"}, Case{1, "-100.001"}, Case{2, "4000000.00"}, Case{3, "-4000000"},
                          Case{4, "1000001"}, Case{5, "2000000000"}, Case{4, "2147483647"}}) {
        CalibrationTexts texts = farthest;
        texts[size_t(c.index)] = QString::fromLatin1(c.value);
        const std::optional<CalibrationFault> fault = calibrationFault(texts);
        ASSERT_TRUE(fault.has_value()) << c.value;
        EXPECT_EQ(fault->index, c.index) << c.value;
        const auto placed = placementFor(texts, 236, 236);
        ASSERT_TRUE(std::holds_alternative<CalibrationFault>(placed)) << c.value;
        EXPECT_EQ(std::get<CalibrationFault>(placed), *fault);
    }
    // Metrics that give absurd dots per centimetre: the far edge would not fit in an int.
    const int absurd = std::numeric_limits<int>::max() / 100;
    const auto edge = placementFor({"0", "0", "0", "100.00", "1000000", "1000000"}, absurd, absurd);
    ASSERT_TRUE(std::holds_alternative<CalibrationFault>(edge));
    EXPECT_EQ(std::get<CalibrationFault>(edge).index, 3);
    EXPECT_TRUE(std::holds_alternative<Placement>(
        placementFor({"-100", "0", "0", "0", "1000000", "1"}, std::numeric_limits<int>::max() / 100, 1)));
}

TEST(Placement, FirstUnusableValueIsNamed) {
    const std::string nines(80, '9'); // longer than any number read
    const CalibrationTexts good = {"0.00", "0.00", "0.00", "15.00", "2834", "2834"};
    struct Case {
        int index;
        const char* value;
        const char* said;
    };
    for (const Case& c : {Case{0, "", "is empty."}, Case{3, "abc", "not a number of centimetres"},
                          Case{1, "1,5", "not a number"}, Case{2, "99999999999", "too far"},
                          Case{4, "2834.0", "whole number of printer dots"}, Case{5, "-1", "whole number"},
                          Case{4, "0", "no size at all"}, Case{5, "99999999999", "too large"},
                          Case{4, nines.c_str(), "too large"}}) {
        CalibrationTexts texts = good;
        texts[size_t(c.index)] = QString::fromLatin1(c.value);
        const auto result = placementFor(texts, 236, 236);
        ASSERT_TRUE(std::holds_alternative<CalibrationFault>(result)) << c.value;
        const CalibrationFault& fault = std::get<CalibrationFault>(result);
        EXPECT_EQ(fault.index, c.index);
        EXPECT_TRUE(faultDescription(fault, texts[size_t(c.index)]).contains(QLatin1String(c.said)))
            << faultDescription(fault, texts[size_t(c.index)]).toStdString();
    }
    const QString huge(1024 * 1024, QLatin1Char('x'));
    const QString described = faultDescription(CalibrationFault{0, "not a number"}, huge);
    EXPECT_LT(described.size(), 100);
    EXPECT_TRUE(described.contains(QLatin1String("1048576 characters")));
    EXPECT_EQ(calibrationFieldName(3), "Picture #2, Vertical");
}

TEST(PdfName, OnlyTheFilesOwnNameCountsAndItsCaseDoesNot) {
    for (const char* named : {"cover.pdf", "upper.PDF", "/home/me/Mixed.Pdf", "/tmp/my.pdf.dir/a.pdf"})
        EXPECT_EQ(withPdfExtension(QString::fromLatin1(named)), QString::fromLatin1(named));
    for (const char* bare : {"cover", "/tmp/my.pdf.dir/cover", "cover.pdf.old", "pdf", "my.pdf/x"})
        EXPECT_EQ(withPdfExtension(QString::fromLatin1(bare)), QString::fromLatin1(bare) + ".pdf");
}

QString typeIntoOffset(QString text, const QString& keys) {
    for (QChar key : keys) {
        const OffsetKey decision = offsetFieldKey(text, key);
        if (decision.emptyField)
            text.clear();
        if (decision.keep)
            text += key;
    }
    return text;
}

TEST(CalibrationKeys, OffsetsTakeDigitsAndOnePoint) {
    EXPECT_EQ(typeIntoOffset("", "1.2.3"), "1.23");
    EXPECT_EQ(typeIntoOffset("0.5", "a,-e "), "0.5");
    EXPECT_EQ(typeIntoOffset(".", "5"), "5"); // a lone point goes before the next key
    EXPECT_EQ(typeIntoOffset("", ".."), ".");
    EXPECT_TRUE(offsetFieldKey("1.5", QChar(0x08)).keep);
    EXPECT_TRUE(dotsFieldKey('7'));
    for (QChar key : QStringLiteral(".,a- "))
        EXPECT_FALSE(dotsFieldKey(key)) << key.toLatin1();
    EXPECT_FALSE(isTypedCharacter(QChar(0x08)));
    EXPECT_TRUE(isTypedCharacter(','));
}

} // namespace
