// Placing an insert's pictures on a label stock: the offsets the calibration gets, measured where
// Print's own page plan puts the pictures; the die-cuts the preview draws; the remembered choice.
#include "doubles/testprinter.h"
#include "print/labelstockchoice.h"
#include "print/printermetrics.h"
#include "print/stockplacement.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

LabelStock genericNamed(const QString& part) {
    for (const LabelStock& stock : genericStocks())
        if (stock.part == part)
            return stock;
    throw std::logic_error("no such generic stock");
}

PrinterPage pageOf(TestPrinter& printer) {
    return *printerPageOf(readPrinter(printer), printer);
}

// The calibration as it stands before a stock is chosen: the mode's true size, default offsets.
CalibrationTexts calibrated(CoverMode mode, TestPrinter& printer) {
    return defaultCalibration(trueSizeOf(readPrinter(printer), mode));
}

PagePlan planOf(const CalibrationTexts& texts, const PrinterPage& page) {
    return std::get<PagePlan>(pagePlanFor(texts, page, true, true));
}

} // namespace

TEST(StockPlacement, PicturesPrintCentredOnTheTwoDiscsWithAndWithoutMargins) {
    const LabelStock a4 = genericNamed(QStringLiteral("2 discs on A4"));
    struct {
        const char* name;
        TestPrinter printer;
    } printers[] = {{"A4 with margins", TestPrinter(TestPrinter::a4WithMargins())},
                    {"no margins, on Letter", TestPrinter(TestPrinter::dpi600Letter())}};
    for (auto& each : printers) {
        SCOPED_TRACE(each.name);
        TestPrinter& printer = each.printer;
        const PrinterPage page = pageOf(printer);
        const CalibrationTexts current = calibrated(CoverMode::CdCover, printer);
        const CalibrationTexts texts = offsetsForStock(a4, CoverMode::CdCover, current, page);
        EXPECT_EQ(texts[4], current[4]);
        EXPECT_EQ(texts[5], current[5]);
        for (size_t i = 0; i < 4; ++i)
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^-?\\d+\\.\\d\\d$")).match(texts[i]).hasMatch())
                << texts[i].toStdString();
        const PagePlan plan = planOf(texts, page);
        const QPointF expected[] = {{105.0, 80.5}, {105.0, 217.5}};
        for (size_t i = 0; i < 2; ++i) {
            const QPointF centre = plan.pictures.at(i).sheetMm.center();
            EXPECT_NEAR(centre.x(), expected[i].x(), 0.1) << "Picture #" << i + 1;
            EXPECT_NEAR(centre.y(), expected[i].y(), 0.1) << "Picture #" << i + 1;
        }
        EXPECT_FALSE(plan.anyCut());
    }
}

TEST(StockPlacement, LabelsAreTakenInReadingOrderAndOnlyThoseThatTakeTheInsert) {
    LabelStock grid{QStringLiteral("Test"), QStringLiteral("grid"), {}, {}, 400, 400, {}, false};
    grid.labels.push_back({LabelShape::Rectangle, 20, 10, 0, 0, {{3, 1, 0, 0, 30, 0}}}); // a spine strip
    grid.labels.push_back({LabelShape::Disc, 117, 117, 58.5, 20.5, {{2, 2, 10, 20, 130, 140}}});
    const std::vector<QPointF> centres = labelCentres(grid, CoverMode::CdCover);
    ASSERT_EQ(centres.size(), 4u);
    EXPECT_EQ(centres[0], QPointF(68.5, 78.5));
    EXPECT_EQ(centres[1], QPointF(198.5, 78.5)) << "along the row first";
    EXPECT_EQ(centres[2], QPointF(68.5, 218.5));

    // A sheet with one front insert: Picture #2 keeps its offsets.
    TestPrinter printer(TestPrinter::a4WithMargins());
    const CalibrationTexts current = calibrated(CoverMode::FrontCover, printer);
    const CalibrationTexts texts =
        offsetsForStock(genericNamed(QStringLiteral("Front and back insert on A4")), CoverMode::FrontCover,
                        current, pageOf(printer));
    EXPECT_NE(texts[1], current[1]);
    EXPECT_EQ(texts[2], current[2]);
    EXPECT_EQ(texts[3], current[3]);
}

TEST(StockPlacement, LabelBeyondThePrintersReachGivesANegativeOffsetAndACut) {
    LabelStock edge{QStringLiteral("Test"), QStringLiteral("edge"), {}, {}, 210, 297, {}, false};
    edge.labels.push_back({LabelShape::Disc, 117, 117, 58.5, 20.5, {{1, 2, -1.5, 0, 0, 160}}});
    TestPrinter printer(TestPrinter::a4WithMargins());
    const PrinterPage page = pageOf(printer);
    const CalibrationTexts texts =
        offsetsForStock(edge, CoverMode::CdCover, calibrated(CoverMode::CdCover, printer), page);
    EXPECT_TRUE(texts[0].startsWith(u'-')) << texts[0].toStdString();
    const QString warning = cutWarning(planOf(texts, page));
    EXPECT_TRUE(warning.startsWith(QStringLiteral("Picture #1 would be cut"))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("Picture #2 would be cut")))
        << "its bottom runs off the sheet";
}

// Sheets of one, three and nine discs, Cd and Mini Cd: the two pictures go on the first two labels
// and the rest of the sheet leaves the calibration alone.
TEST(StockPlacement, SheetsOfOneThreeAndNineDiscsPlaceTwoPicturesAndKeepThePrintedSize) {
    TestPrinter printer(TestPrinter::a4WithMargins());
    const PrinterPage page = pageOf(printer);
    for (const auto& [mode, radius, pitch] :
         {std::tuple(CoverMode::CdCover, 58.5, 130.0), std::tuple(CoverMode::MiniCd, 39.0, 90.0)})
        for (const auto& [columns, rows] : {std::pair(1, 1), std::pair(3, 1), std::pair(3, 3)}) {
            SCOPED_TRACE(std::string(modeInfo(mode).statusText) + ", " + std::to_string(columns * rows));
            LabelStock sheet{QStringLiteral("Test"), QStringLiteral("sheet"), {}, {}, 420, 420, {}, false};
            sheet.labels.push_back({LabelShape::Disc,
                                    2 * radius,
                                    2 * radius,
                                    radius,
                                    10,
                                    {{columns, rows, 20, 15, pitch, pitch}}});
            const CalibrationTexts current = calibrated(mode, printer);
            const CalibrationTexts texts = offsetsForStock(sheet, mode, current, page);
            EXPECT_TRUE(texts[4] == current[4] && texts[5] == current[5]) << "printed size changed";
            EXPECT_EQ(texts[2] == current[2] && texts[3] == current[3], columns == 1) << "Picture #2 offsets";
            const auto planned = pagePlanFor(texts, page, true, true);
            const PagePlan* plan = std::get_if<PagePlan>(&planned);
            EXPECT_TRUE(plan) << "the calibration is refused";
            const std::vector<QPointF> centres = labelCentres(sheet, mode);
            for (size_t i = 0; plan && i < std::min<size_t>(2, centres.size()); ++i) {
                const QPointF miss = plan->pictures.at(i).sheetMm.center() - centres[i];
                EXPECT_LT(miss.manhattanLength(), 0.1) << "Picture #" << i + 1;
            }
        }
}

TEST(StockPlacement, RememberedChoiceIsFoundByBrandAndPartAmongTheGenericSheetsToo) {
    const QStringList letter = {QStringLiteral("Generic"), QStringLiteral("2 discs on Letter")};
    EXPECT_EQ(stockNamed({}, letter)->paperHeight, 279.4);
    EXPECT_FALSE(stockNamed({}, {QStringLiteral("Generic"), QStringLiteral("3 discs")}));
    EXPECT_FALSE(stockNamed({}, {QStringLiteral("Generic")}));
}
