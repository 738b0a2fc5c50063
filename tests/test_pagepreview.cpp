// The printed page measured on its sheet: places in millimetres, what the printer cannot reach and
// on which side, the die-cut outlines, and the page Export PDF writes.
#include "doubles/testprinter.h"
#include "print/pagepreview.h"
#include "print/pdfpage.h"

#include <gtest/gtest.h>

namespace {

constexpr double kMmPerDot = 25.4 / 600;

// A Letter sheet under a 600 dpi printer that keeps a quarter of an inch from every edge.
const PageGeometry kLetter{QSizeF(215.9, 279.4), QRectF(6.35, 6.35, 203.2, 266.7)};
const QSize kLetterDots(4800, 6300);

::testing::AssertionResult rectsNear(const QRectF& actual, const QRectF& expected) {
    const double far = std::max(
        {std::abs(actual.left() - expected.left()), std::abs(actual.top() - expected.top()),
         std::abs(actual.width() - expected.width()), std::abs(actual.height() - expected.height())});
    if (far < 1e-9)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << actual.left() << ", " << actual.top() << ", " << actual.width() << " x "
           << actual.height() << ") instead of (" << expected.left() << ", " << expected.top() << ", "
           << expected.width() << " x " << expected.height() << ")";
}

TEST(PagePlan, PicturesLandAtTheirDotsFromThePrintableCorner) {
    const Placement placement{0, 0, 118, 3540, 2834, 2834};
    const PagePlan plan = planPage(kLetter, kLetterDots, placement, true, true);
    ASSERT_EQ(plan.pictures.size(), 2u);
    EXPECT_FALSE(plan.pictures[0].second);
    EXPECT_TRUE(plan.pictures[1].second);
    EXPECT_EQ(plan.pictures[1].dots, QRect(118, 3540, 2834, 2834));
    EXPECT_TRUE(rectsNear(plan.pictures[0].sheetMm, QRectF(6.35, 6.35, 2834 * kMmPerDot, 2834 * kMmPerDot)));
    EXPECT_TRUE(rectsNear(plan.pictures[1].sheetMm, QRectF(6.35 + 118 * kMmPerDot, 6.35 + 3540 * kMmPerDot,
                                                           2834 * kMmPerDot, 2834 * kMmPerDot)));
    EXPECT_TRUE(plan.pictures[0].cuts.empty());

    // A picture Print leaves out is not on the page.
    const PagePlan onlySecond = planPage(kLetter, kLetterDots, placement, false, true);
    ASSERT_EQ(onlySecond.pictures.size(), 1u);
    EXPECT_TRUE(onlySecond.pictures[0].second);
    EXPECT_TRUE(planPage(kLetter, kLetterDots, placement, false, false).pictures.empty());
}

TEST(PagePlan, CutsAreMeasuredOnEachSideTheyHappen) {
    const struct {
        const char* name;
        int left, top;
        std::vector<PageCut> cuts;
    } cases[] = {
        {"inside, touching the far corner", 4800 - 2000, 6300 - 2000, {}},
        {"left", -118, 10, {{PageSide::Left, 118 * kMmPerDot}}},
        {"top", 10, -1, {{PageSide::Top, 1 * kMmPerDot}}},
        {"right", 4800 - 1999, 0, {{PageSide::Right, 1 * kMmPerDot}}},
        {"bottom", 0, 6300 - 1944, {{PageSide::Bottom, 56 * kMmPerDot}}},
        {"top left corner", -10, -20, {{PageSide::Left, 10 * kMmPerDot}, {PageSide::Top, 20 * kMmPerDot}}},
        {"wholly below: no more than the picture", 0, 9000, {{PageSide::Bottom, 2000 * kMmPerDot}}},
    };
    for (const auto& each : cases) {
        const Placement placement{each.left, each.top, 0, 0, 2000, 2000};
        const PagePlan plan = planPage(kLetter, kLetterDots, placement, true, false);
        ASSERT_EQ(plan.pictures.size(), 1u);
        const std::vector<PageCut>& cuts = plan.pictures[0].cuts;
        ASSERT_EQ(cuts.size(), each.cuts.size()) << each.name;
        for (size_t i = 0; i < cuts.size(); ++i) {
            EXPECT_EQ(cuts[i].side, each.cuts[i].side) << each.name;
            EXPECT_NEAR(cuts[i].mm, each.cuts[i].mm, 1e-9) << each.name;
        }
        EXPECT_EQ(plan.anyCut(), !each.cuts.empty()) << each.name;
    }
}

TEST(PagePlan, WarningNamesThePictureTheSideAndTheMillimetresRoundedUp) {
    const auto warning = [](int left1, int top1, int left2, int top2) {
        return cutWarning(
            planPage(kLetter, kLetterDots, Placement{left1, top1, left2, top2, 2000, 2000}, true, true));
    };
    EXPECT_EQ(warning(0, 0, 0, 3000), "");
    EXPECT_EQ(warning(0, 0, 0, 4356), "Picture #2 would be cut 2.4 mm at the bottom.");
    // One dot is 0.04 mm: still a cut.
    EXPECT_EQ(warning(2801, 0, 0, 0), "Picture #1 would be cut 0.1 mm on the right.");
    EXPECT_EQ(warning(-118, -59, 0, 0), "Picture #1 would be cut 5.0 mm on the left and 2.5 mm at the top.");
    EXPECT_EQ(warning(-1, 0, 0, 7000),
              "Picture #1 would be cut 0.1 mm on the left.\n"
              "Picture #2 would be cut 84.7 mm at the bottom: none of it lies within "
              "the printable area.");
}

TEST(PagePlan, CutAreasAreThePartsOutsideThePrintableArea) {
    // Over the bottom-right corner: a strip below, and one on the right beside what prints.
    const PagePlan corner =
        planPage(kLetter, kLetterDots, Placement{3800, 5300, 0, 0, 2000, 2000}, true, false);
    const PagePicture& picture = corner.pictures[0];
    const std::vector<QRectF> areas = cutAreas(picture, kLetter);
    ASSERT_EQ(areas.size(), 2u);
    const double inside = kLetter.printableMm.bottom();
    EXPECT_TRUE(rectsNear(areas[0], QRectF(picture.sheetMm.left(), inside, picture.sheetMm.width(),
                                           picture.sheetMm.bottom() - inside)));
    EXPECT_TRUE(rectsNear(areas[1], QRectF(kLetter.printableMm.right(), picture.sheetMm.top(),
                                           picture.sheetMm.right() - kLetter.printableMm.right(),
                                           inside - picture.sheetMm.top())));
    for (const QRectF& area : areas)
        EXPECT_FALSE(area.intersects(kLetter.printableMm));

    const PagePlan within = planPage(kLetter, kLetterDots, Placement{0, 0, 0, 0, 2000, 2000}, true, false);
    EXPECT_TRUE(cutAreas(within.pictures[0], kLetter).empty());
    const PagePlan away = planPage(kLetter, kLetterDots, Placement{0, 9000, 0, 0, 2000, 2000}, true, false);
    EXPECT_EQ(cutAreas(away.pictures[0], kLetter), std::vector<QRectF>{away.pictures[0].sheetMm});
}

TEST(PagePlan, MeasuresAreWrittenInMillimetresFromThePrintableCorner) {
    const PagePlan plan = planPage(kLetter, kLetterDots, Placement{0, 0, 118, 3540, 2834, 2834}, false, true);
    EXPECT_EQ(
        pictureMeasures(plan.pictures[0], kLetter),
        "Picture #2: 5.0 mm across and 149.9 mm down from the printable area's corner, 120.0 × 120.0 mm");
}

TEST(DieCut, DiscsHaveRimAndHubAndInsertsTheirRectangleAtTrueSizeOnThePicture) {
    const QRectF picture(10, 20, 120.4, 119.6);
    const DieCut cd = dieCutOf(CoverMode::CdCover, picture);
    EXPECT_TRUE(cd.round);
    EXPECT_TRUE(rectsNear(cd.outline, QRectF(10.2, 19.8, 120, 120)));
    EXPECT_EQ(cd.hub.center(), picture.center());
    // The hub the fitted pictures leave white: 123 pixels at 3.75 a millimetre.
    EXPECT_NEAR(cd.hub.width(), 32.8, 1e-9);
    EXPECT_EQ(dieCutOf(CoverMode::MiniCd, picture).outline.size(), QSizeF(80, 80));
    EXPECT_NEAR(dieCutOf(CoverMode::MiniCd, picture).hub.width(), 32.8, 1e-9);

    const DieCut back = dieCutOf(CoverMode::BackCover, picture);
    EXPECT_FALSE(back.round);
    EXPECT_TRUE(back.hub.isEmpty());
    EXPECT_EQ(back.outline.center(), picture.center());
    EXPECT_NEAR(back.outline.width(), 151, 1e-9);
    EXPECT_NEAR(back.outline.height(), 119, 1e-9);
    EXPECT_EQ(dieCutOf(CoverMode::FrontCover, picture).outline.size(), QSizeF(120, 120));
}

TEST(PdfPage, PicturesGoAtTheirOffsetsFromThePrintableCornerAtTrueSize) {
    const CalibrationTexts texts{"0.50", "1.00", "-0.25", "15.00", "2", "3"};
    const struct {
        CoverMode mode;
        QSizeF size;
    } modes[] = {{CoverMode::CdCover, {120, 120}},
                 {CoverMode::FrontCover, {120, 120}},
                 {CoverMode::BackCover, {151, 119}},
                 {CoverMode::MiniCd, {80, 80}}};
    for (const auto& each : modes) {
        const auto page = pdfPageFor(kLetter, texts, each.mode, true, true);
        ASSERT_TRUE(std::holds_alternative<PdfPage>(page));
        const PdfPage& pdf = std::get<PdfPage>(page);
        EXPECT_EQ(pdf.paperMm, kLetter.paperMm);
        ASSERT_TRUE(pdf.first && pdf.second);
        EXPECT_TRUE(rectsNear(*pdf.first, QRectF(QPointF(11.35, 16.35), each.size)));
        EXPECT_TRUE(rectsNear(*pdf.second, QRectF(QPointF(3.85, 156.35), each.size)));
    }
    const auto onlyFirst = std::get<PdfPage>(pdfPageFor(a4Sheet(), texts, CoverMode::MiniCd, true, false));
    EXPECT_EQ(onlyFirst.paperMm, QSizeF(210, 297));
    EXPECT_TRUE(rectsNear(*onlyFirst.first, QRectF(5, 10, 80, 80)));
    EXPECT_FALSE(onlyFirst.second.has_value());
}

TEST(PdfPage, AnOffsetThatCannotBeUsedIsNamed) {
    const auto faultOf = [](const CalibrationTexts& texts) {
        const auto page = pdfPageFor(kLetter, texts, CoverMode::CdCover, true, true);
        return std::holds_alternative<CalibrationFault>(page) ? std::get<CalibrationFault>(page).index : -1;
    };
    EXPECT_EQ(faultOf({"0.00", "", "0.00", "15.00", "2834", "2834"}), 1);
    EXPECT_EQ(faultOf({"0.00", "0.00", "1,5", "15.00", "2834", "2834"}), 2);
    EXPECT_EQ(faultOf({"0.00", "0.00", "0.00", "100000", "2834", "2834"}), 3);
    // The printed size in dots plays no part in the file.
    EXPECT_EQ(faultOf({"0.00", "0.00", "0.00", "15.00", "", "x"}), -1);
}

TEST(PageGeometry, APrinterThatSaysNothingOfItsSheetPrintsAllOfIt) {
    TestPrinter letter(TestPrinter::dpi600Letter());
    const std::optional<PageGeometry> sheet = letter.PrinterPort::pageGeometry();
    ASSERT_TRUE(sheet.has_value());
    EXPECT_TRUE(rectsNear(sheet->printableMm, QRectF(0, 0, 203.2, 279.4)));
    EXPECT_EQ(sheet->paperMm, sheet->printableMm.size());
    EXPECT_FALSE(TestPrinter().pageGeometry().has_value());
}

} // namespace
