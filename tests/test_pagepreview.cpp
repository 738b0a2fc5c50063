// The printed page measured on its sheet: places in millimetres, what the printer cannot reach and
// on which side, and the die-cut outlines.
#include "print/pagepreview.h"

#include <gtest/gtest.h>

namespace {

constexpr double kMmPerDot = 25.4 / 600;
// A Letter sheet under a 600 dpi printer that keeps a quarter of an inch from every edge.
const PageGeometry kLetter{QSizeF(215.9, 279.4), QRectF(6.35, 6.35, 203.2, 266.7)};
const QSize kLetterDots(4800, 6300);

PagePicture planned(int left, int top) {
    return planPage(kLetter, kLetterDots, Placement{left, top, 0, 0, 2000, 2000}, true, false).pictures.at(0);
}

bool near(const QRectF& a, const QRectF& b) {
    return std::abs(a.left() - b.left()) + std::abs(a.top() - b.top()) + std::abs(a.width() - b.width()) +
               std::abs(a.height() - b.height()) <
           1e-9;
}

TEST(PagePlan, PicturesLandAtTheirDotsAndWhatTheyLoseIsMeasuredOnEachSide) {
    const struct {
        const char* name;
        int left, top;
        std::vector<PageCut> cuts;
    } cases[] = {
        {"inside, touching the far corner", 2800, 4300, {}},
        {"left", -118, 10, {{PageSide::Left, 118 * kMmPerDot}}},
        {"right by one dot", 2801, 0, {{PageSide::Right, 1 * kMmPerDot}}},
        {"bottom", 0, 4356, {{PageSide::Bottom, 56 * kMmPerDot}}},
        {"top left corner", -10, -20, {{PageSide::Left, 10 * kMmPerDot}, {PageSide::Top, 20 * kMmPerDot}}},
        {"wholly below: no more than the picture", 0, 9000, {{PageSide::Bottom, 2000 * kMmPerDot}}},
    };
    for (const auto& each : cases) {
        const PagePicture picture = planned(each.left, each.top);
        EXPECT_TRUE(near(picture.sheetMm, QRectF(6.35 + each.left * kMmPerDot, 6.35 + each.top * kMmPerDot,
                                                 2000 * kMmPerDot, 2000 * kMmPerDot)))
            << each.name;
        ASSERT_EQ(picture.cuts.size(), each.cuts.size()) << each.name;
        for (size_t i = 0; i < each.cuts.size(); ++i) {
            EXPECT_EQ(picture.cuts[i].side, each.cuts[i].side) << each.name;
            EXPECT_NEAR(picture.cuts[i].mm, each.cuts[i].mm, 1e-9) << each.name;
        }
    }
    const Placement both{0, 0, 118, 3540, 2834, 2834};
    EXPECT_EQ(planPage(kLetter, kLetterDots, both, false, true).pictures.size(), 1u)
        << "Picture #1 not printed";
    EXPECT_EQ(
        pictureMeasures(planPage(kLetter, kLetterDots, both, false, true).pictures[0], kLetter),
        "Picture #2: 5.0 mm across and 149.9 mm down from the printable area's corner, 120.0 × 120.0 mm");
}

TEST(PagePlan, WarningNamesThePictureTheSideAndTheMillimetresRoundedUp) {
    const auto warning = [](int left1, int top1, int left2, int top2) {
        const Placement placement{left1, top1, left2, top2, 2000, 2000};
        return cutWarning(planPage(kLetter, kLetterDots, placement, true, true));
    };
    EXPECT_EQ(warning(0, 0, 0, 4300), "");
    EXPECT_EQ(warning(0, 0, 0, 4356), "Picture #2 would be cut 2.4 mm at the bottom.");
    EXPECT_EQ(warning(2801, 0, 0, 0), "Picture #1 would be cut 0.1 mm on the right.");
    EXPECT_EQ(warning(-118, -59, 0, 7000),
              "Picture #1 would be cut 5.0 mm on the left and 2.5 mm at the top.\n"
              "Picture #2 would be cut 84.7 mm at the bottom: none of it lies "
              "within the printable area.");
}

TEST(PagePlan, WithoutAPrinterTheInsertsAreAtTheirTrueSizeOnA4) {
    const PrinterPage a4 = a4Page();
    EXPECT_EQ(a4.sheet.paperMm, QSizeF(210, 297));
    const CalibrationTexts stretched = {"1.00", "2.00", "0.00", "15.00", "2750", "2650"};
    const auto plan = pagePlanFor(withTrueSize(stretched, CoverMode::BackCover, a4), a4, true, true);
    const PagePicture& first = std::get<PagePlan>(plan).pictures.at(0);
    EXPECT_NEAR(first.sheetMm.left(), 10, 0.05);
    EXPECT_NEAR(first.sheetMm.top(), 20, 0.05);
    EXPECT_NEAR(first.sheetMm.width(), 151, 0.05);
    EXPECT_NEAR(first.sheetMm.height(), 119, 0.05);
}

TEST(DieCut, DiscsHaveRimAndHubAndInsertsTheirRectangleAtTrueSizeOnThePicture) {
    const QRectF picture(10, 20, 120.4, 119.6);
    const DieCut cd = dieCutOf(CoverMode::CdCover, picture);
    EXPECT_TRUE(cd.round);
    EXPECT_TRUE(near(cd.outline, QRectF(10.2, 19.8, 120, 120)));
    // The hub the fitted pictures leave white: 123 pixels at 3.75 a millimetre.
    EXPECT_TRUE(near(cd.hub, QRectF(70.2 - 16.4, 79.8 - 16.4, 32.8, 32.8)));
    EXPECT_EQ(dieCutOf(CoverMode::MiniCd, picture).outline.size(), QSizeF(80, 80));
    const DieCut back = dieCutOf(CoverMode::BackCover, picture);
    EXPECT_FALSE(back.round);
    EXPECT_TRUE(near(back.outline, QRectF(70.2 - 75.5, 79.8 - 59.5, 151, 119)));
    EXPECT_TRUE(back.hub.isEmpty());
}

} // namespace
