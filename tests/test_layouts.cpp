#include "cover/discgeometry.h"
#include "text/textlayouts.h"
#include "text/textpainter.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// One pixel a character, twice that in bold; a line is its point size plus 4 pixels high.
QSize fakeMeasure(const QString& text, const TextStyle& style) {
    return {int(text.size()) * (style.bold ? 2 : 1), text.isEmpty() ? 0 : style.pointSize + 4};
}

using Points = std::vector<QPoint>;
Points corners(const TextPlan& plan) {
    Points points;
    for (const TextDraw& draw : plan.draws)
        points.push_back(draw.topLeft);
    return points;
}

TEST(LayoutCenter, CentresOnTheModesWidthInTheWholeStyleAndStepsBySizePlusFive) {
    const QStringList lines{QString(100, 'x'), QString(451, 'x'), QString(453, 'x')};
    const TextPlan plan = planCenter(lines, {.pointSize = 10}, CoverMode::CdCover, fakeMeasure);
    EXPECT_EQ(corners(plan), (Points{{175, 0}, {0, 15}, {-1, 30}}));
    EXPECT_EQ(plan.mask, LayoutMask::Disc);
    const TextStyle bold{.pointSize = 12, .bold = true}; // doubles the fake width, first line included
    EXPECT_EQ(corners(planCenter({QString(50, 'x'), "y"}, bold, CoverMode::CdCover, fakeMeasure)),
              (Points{{175, 0}, {224, 17}}));

    const TextPlan back = planCenter({QString(100, 'x')}, {}, CoverMode::BackCover, fakeMeasure);
    const TextPlan mini = planCenter({QString(100, 'x')}, {}, CoverMode::MiniCd, fakeMeasure);
    EXPECT_EQ(corners(back), (Points{{202, 0}}));
    EXPECT_EQ(corners(mini), (Points{{100, 0}}));
    EXPECT_EQ(back.mask, LayoutMask::None);
    EXPECT_EQ(mini.mask, LayoutMask::SmallDisc);
    const TextPlan left = planLeftAligned({"a", "", "c"}, {.pointSize = 20}, CoverMode::FrontCover);
    EXPECT_EQ(corners(left), (Points{{0, 0}, {0, 25}, {0, 50}}));
    EXPECT_EQ(left.mask, LayoutMask::None);
}

TEST(LayoutVertical, TurnsEachLineIntoAColumnSpacedByItsOwnSize) {
    const int cases[][2] = {{20, 47}, {70, 114}, {71, 135}, {72, 137}}; // points, second column
    for (const auto& c : cases) {
        const TextStyle style{.pointSize = c[0]};
        const TextPlan plan = planVertical({{"ab", style}, {"cd", style}}, CoverMode::FrontCover);
        EXPECT_EQ(corners(plan), (Points{{11, 2}, {c[1], 0}})) << c[0];
    }
    const TextStyle red{.pointSize = 20, .colour = Qt::red}, ten{.pointSize = 10};
    const TextPlan mixed =
        planVertical({{"a b", red}, {"", {.pointSize = 8}}, {"c", ten}}, CoverMode::MiniCd);
    ASSERT_EQ(mixed.draws.size(), 3u);
    EXPECT_EQ(mixed.draws[0], (TextDraw{"a   b", QPoint(11, 2), red, 90}));
    EXPECT_EQ(mixed.draws[2], (TextDraw{"c", QPoint(11 + 36 + 20, 0), ten, 90}));
    EXPECT_EQ(mixed.mask, LayoutMask::SmallDisc);
    EXPECT_EQ(planVertical({{"a", ten}}, CoverMode::CdCover).draws.at(0).text, "a");
}

// Synthetic tables: ten characters fill a row at x = 20; five fill a hub span, at 10 and at 300.
LayoutTables syntheticTables() {
    LayoutTables tables;
    tables.spanTable.fill({20, 0, 10, 0});
    tables.splitSpanTable.fill({{10, 0, 5, 0}, {300, 0, 5, 0}});
    return tables;
}

TEST(LayoutAdjust, FlowsLinesAcrossRowsAndRoundTheHubInEachLinesOwnStyle) {
    const TextStyle big{.pointSize = 150}, small{.pointSize = 10, .colour = Qt::blue}, six{.pointSize = 6};
    const QString flowing = QString("0123456789").repeated(4);
    const TextPlan plan = planAdjust({{"first", big}, {"", small}, {flowing, small}, {"xyz", six}},
                                     fakeMeasure, syntheticTables());
    const std::vector<TextDraw> expected{
        {"first", QPoint(20, 3), big},                // drawn short of its span when its line ends
        {flowing.left(10), QPoint(20, 159), small},   // a row below the big line and one for the empty one
        {flowing.mid(10, 5), QPoint(10, 173), small}, // hub rows: left, then right of the hub
        {flowing.mid(15, 5), QPoint(300, 173), small},
        {flowing.mid(20, 5), QPoint(10, 187), small},
        {flowing.mid(25, 5), QPoint(300, 187), small},
        {flowing.mid(30, 5), QPoint(10, 201), small},
        {flowing.mid(35, 5), QPoint(300, 201), small},
        {"xyz", QPoint(10, 215), six},
    };
    EXPECT_EQ(plan.draws, expected);
    // A line ending left of the hub is followed right of it, on the same row.
    const TextPlan handOn = planAdjust({{"first", big}, {"0123456789a", small}, {"bc", small}, {"d", small}},
                                       fakeMeasure, syntheticTables());
    EXPECT_EQ(corners(handOn), (Points{{20, 3}, {20, 158}, {10, 172}, {300, 172}, {10, 186}}));
}

TEST(LayoutAdjust, StopsAtRow430AndCutsOneCharacterAPieceOnEmptyTables) {
    const QString endless = QString("abcdefghij").repeated(300);
    const TextPlan plan = planAdjust({{endless, {}}, {"never", {}}}, fakeMeasure, syntheticTables());
    ASSERT_EQ(plan.draws.size(), 12u + 18u + 10u);
    EXPECT_EQ(plan.draws[29].topLeft, QPoint(300, 283)) << "the last hub row";
    EXPECT_EQ(plan.draws[30].topLeft, QPoint(20, 297));
    EXPECT_EQ(plan.draws.back().topLeft, QPoint(20, 423)) << "the next row, 437, is past the last";
    EXPECT_EQ(plan.mask, LayoutMask::Disc);

    const TextPlan unloaded = planAdjust({{"abc", {}}}, fakeMeasure, LayoutTables{});
    EXPECT_EQ(corners(unloaded), (Points{{0, 3}, {0, 17}, {0, 31}}));
    EXPECT_EQ(adjustRefusal(CoverMode::MiniCd), "Not implement yet with Mini Cd");
    EXPECT_EQ(adjustRefusal(CoverMode::BackCover), "Not implement yet with Back Cover");
    EXPECT_EQ(adjustRefusal(CoverMode::CdCover), std::nullopt);
}

TEST(LayoutAdjust, CutsARowOnlyBetweenWholeCharacters) {
    const QString accented = QStringLiteral("abcdefghie\u0301xyz"); // e and a combining acute
    const QString emoji = QStringLiteral("abcdefghi\U0001F600z");  // a surrogate pair
    const TextPlan plan = planAdjust({{accented, {}}, {emoji, {}}}, fakeMeasure, syntheticTables());
    QStringList pieces;
    for (const TextDraw& draw : plan.draws)
        pieces.push_back(draw.text);
    EXPECT_EQ(pieces, (QStringList{accented.left(11), "xyz", emoji.left(11), "z"}));
}

QImage filled(QColor colour, int dotsPerMeter = 3780) {
    QImage image(450, 450, QImage::Format_BGR888);
    image.fill(colour);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

// The box holding every pixel that is no longer white.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(LayoutPainter, DrawsGreyGlyphsInTheMeasuredBoxTurnedOrNotThenTheMask) {
    const TextStyle style{.pointSize = 16, .bold = true};
    const TextPlan centred = planCenter({"Orbalin Night Sky"}, style, CoverMode::CdCover, measureOnCover);
    const QSize size = measureOnCover("Orbalin Night Sky", style);
    QImage picture = filled(Qt::white), fine = filled(Qt::white, 11811), null;
    paintTextPlan(picture, centred, QImage(), QImage());
    paintTextPlan(fine, centred, QImage(), QImage());
    EXPECT_TRUE(QRect(centred.draws[0].topLeft, size).contains(inkBox(picture)));
    EXPECT_NEAR(inkBox(picture).left() + inkBox(picture).right(), 2 * 225, 6);
    EXPECT_GT(inkBox(picture).height(), pixelsForPoints(16) / 2);
    EXPECT_EQ(fine, picture) << "a picture's resolution changes no font size";
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < 450; ++x)
            ASSERT_EQ(QColor(picture.pixel(x, y)).hsvSaturation(), 0) << "colour fringe at " << x << "," << y;

    const TextPlan column{{{"Orbalin Night Sky", QPoint(20, 30), style, 90}}, LayoutMask::Disc};
    const QImage mask = disc::mask(450);
    QImage turned = filled(Qt::white).convertToFormat(QImage::Format_RGB32),
           masked = filled(QColor(90, 90, 90));
    paintTextPlan(turned, {column.draws}, mask, QImage());
    paintTextPlan(masked, column, mask, QImage());
    paintTextPlan(null, column, mask, QImage());
    EXPECT_TRUE(null.isNull());
    EXPECT_EQ(turned.format(), QImage::Format_BGR888);
    EXPECT_TRUE(QRect(20, 30, size.height(), size.width()).contains(inkBox(turned)));
    EXPECT_GT(inkBox(turned).height(), 3 * inkBox(turned).width());
    int inkOnRing = 0;
    for (int y = 0; y < 450; ++y)
        for (int x = 0; x < 450; ++x) {
            const bool onRing = mask.pixel(x, y) == qRgb(0, 0, 0);
            ASSERT_TRUE(onRing || masked.pixel(x, y) == mask.pixel(x, y)) << x << "," << y;
            inkOnRing += onRing && masked.pixel(x, y) != qRgb(90, 90, 90);
        }
    EXPECT_GT(inkOnRing, 100);
}

} // namespace
