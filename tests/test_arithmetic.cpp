// Pure arithmetic and tables: printed sizes in dots, preview placement, calibration lines, slots.
#include "app/previewgeometry.h"
#include "cover/covermode.h"
#include "print/calibrationfile.h"
#include "print/truesize.h"

#include <gtest/gtest.h>

namespace {
struct TrueSizeCase {
    const char* name;
    float horzRes, horzSizeMm, vertRes, vertSizeMm;
    CoverMode mode;
    int dotsX, dotsY;
};

void PrintTo(const TrueSizeCase& c, std::ostream* out) {
    *out << c.name;
}

class TrueSizeTest : public ::testing::TestWithParam<TrueSizeCase> {};

TEST_P(TrueSizeTest, TruncatesSinglePrecisionProduct) {
    const TrueSizeCase& c = GetParam();
    const ModeInfo& info = modeInfo(c.mode);
    const auto size = trueSize(c.horzRes, c.horzSizeMm, info.factorX, c.vertRes, c.vertSizeMm, info.factorY);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->x, c.dotsX);
    EXPECT_EQ(size->y, c.dotsY);
    EXPECT_EQ(size->x, static_cast<int>(size->xf));
}

// 600 dpi printers and a 360 dpi one: a letter-sized one (4800 x 6600 dots over 203 x 279 mm) and an A4 one.
INSTANTIATE_TEST_SUITE_P(
    PrinterExamples, TrueSizeTest,
    ::testing::Values(TrueSizeCase{"LetterCd", 4800, 203, 6600, 279, CoverMode::CdCover, 2837, 2838},
                      TrueSizeCase{"LetterFront", 4800, 203, 6600, 279, CoverMode::FrontCover, 2837, 2838},
                      TrueSizeCase{"LetterBack", 4800, 203, 6600, 279, CoverMode::BackCover, 3570, 2815},
                      TrueSizeCase{"LetterMini", 4800, 203, 6600, 279, CoverMode::MiniCd, 1891, 1892},
                      TrueSizeCase{"A4Cd", 4960, 210, 7016, 297, CoverMode::CdCover, 2834, 2834},
                      TrueSizeCase{"A4Back", 4960, 210, 7016, 297, CoverMode::BackCover, 3566, 2811},
                      TrueSizeCase{"A4Mini", 4960, 210, 7016, 297, CoverMode::MiniCd, 1889, 1889},
                      // 360 dpi: 1700.57 and 1700.61 dots.
                      TrueSizeCase{"A4Cd360", 2976, 210, 4209, 297, CoverMode::CdCover, 1700, 1700}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrueSize, NoPrinterGivesNoSizeInsteadOfDividingZeroByZero) {
    EXPECT_FALSE(trueSizeDots(0, 0, 12).has_value());
    EXPECT_FALSE(trueSizeDots(4800, 0, 12).has_value());
    EXPECT_FALSE(trueSize(0, 0, 12, 0, 0, 12).has_value());
    EXPECT_FALSE(dotsPerCentimetre(0, 0).has_value());
}

TEST(TrueSize, DotsPerCentimetreAreTruncated) {
    EXPECT_EQ(dotsPerCentimetre(4960, 210), 236); // 236.19
    EXPECT_EQ(dotsPerCentimetre(7016, 297), 236);
    EXPECT_EQ(dotsPerCentimetre(4800, 203), 236); // 236.45
    EXPECT_EQ(dotsPerCentimetre(2976, 210), 141); // 360 dpi: 141.71
}

TEST(PreviewGeometry, CentresBetweenTheToolBars) {
    EXPECT_EQ(pictureOrigin({790, 600}, 72, 68, {450, 450}), QPoint(123, 75));
    EXPECT_EQ(pictureOrigin({790, 600}, 72, 68, {505, 410}), QPoint(96, 95));
    EXPECT_EQ(pictureOrigin({790, 600}, 72, 68, {0, 0}), QPoint(348, 300));
    // Odd sizes halve toward zero, even when the result is negative.
    EXPECT_EQ(pictureOrigin({131, 34}, 1, 1, {3, 3}), QPoint(-1, -1));
}

TEST(CalibrationLines, FileLinesWinAndMissingLinesTakeDefaults) {
    const CalibrationTexts defaults = defaultCalibration(2837, 2838);
    EXPECT_EQ(defaults, (CalibrationTexts{"0.00", "0.00", "0.00", "15.00", "2837", "2838"}));

    const CalibrationTexts full =
        calibrationFromLines({"0.50", "0.25", "1.00", "14.50", "2800", "2790", "extra"}, defaults);
    EXPECT_EQ(full, (CalibrationTexts{"0.50", "0.25", "1.00", "14.50", "2800", "2790"}));

    const CalibrationTexts shortFile = calibrationFromLines({"0.50", "", "1.00"}, defaults);
    EXPECT_EQ(shortFile, (CalibrationTexts{"0.50", "", "1.00", "15.00", "2837", "2838"}));
    EXPECT_EQ(calibrationFromLines({}, defaults), defaults);
}

TEST(SlotTable, CodesIndexesAndFiles) {
    int expectedIndex = 0;
    for (int number = 1; number <= 4; ++number) {
        for (int code : {number, 11 * number}) {
            const auto slot = slotFor(code);
            ASSERT_TRUE(slot.has_value()) << code;
            EXPECT_EQ(slot->index, expectedIndex++);
            EXPECT_EQ(modeNumber(slot->mode), number);
            EXPECT_EQ(slot->second, code != number);
        }
    }
    for (int code : {0, 5, 10, 12, 55, -1})
        EXPECT_FALSE(slotFor(code).has_value()) << code;
    // Cd Cover's two slots share one working file; the last one is spelt in capitals.
    EXPECT_STREQ(slotFor(1)->workingFile, slotFor(11)->workingFile);
    EXPECT_STREQ(slotFor(44)->workingFile, "CD8_tmp.bmp");
    EXPECT_STREQ(slotFor(33)->refreshFile, "refresh6.bmp");
}
} // namespace
