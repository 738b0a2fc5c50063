// The one page renderer: the same plan lands at the same places in printer dots, file units and
// preview pixels; each style draws its own die-cut lines and marks and nothing of the others'.
#include "print/pageplan.h"
#include "print/pagerenderer.h"
#include "support/pictures.h"
#include "support/printedpage.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QColor kBackground(0, 255, 0);
const PageUnits kPixels = PageUnits::perMillimetre(2, QPointF(5, 5));

// A 100 mm sheet, printable from 10 mm to 90 mm at 4 dots a millimetre. Picture #1 lies inside at
// 20, 30 mm; Picture #2 runs 15 mm below the printable area and 5 mm off the sheet.
PagePlan testPlan() {
    const PageGeometry sheet{QSizeF(100, 100), QRectF(10, 10, 80, 80)};
    PagePlan plan = planPage(sheet, QSize(320, 320), Placement{40, 80, 200, 280, 120, 100}, true, true);
    plan.dieCuts = {DieCut{QRectF(60, 10, 30, 20), false, QRectF()}};
    return plan;
}

QImage render(PageStyle style, const PageUnits& units = kPixels, bool second = true,
              std::vector<QRect>* drawn = nullptr) {
    QImage image(QSize(320, 320), QImage::Format_ARGB32);
    image.fill(kBackground);
    const QImage red = solidPicture(12, 10, Qt::red), blue = solidPicture(12, 10, Qt::blue);
    QPainter painter(&image);
    const std::vector<QRect> rects =
        PageRenderer(testPlan(), &red, second ? &blue : nullptr, style).draw(painter, units);
    if (drawn != nullptr)
        *drawn = rects;
    return image;
}

// A sheet millimetre in kPixels.
QColor at(const QImage& image, QPointF sheetMm) {
    return image.pixelColor((QPointF(5, 5) + sheetMm * 2).toPoint());
}

bool shows(const QImage& image, QColor colour) {
    return colourBox(image, colour, 12).has_value();
}

TEST(PageRenderer, PicturesLandAtTheirDotsOnAPrintersCanvasAndAtTheirMillimetresElsewhere) {
    const std::vector<QRect> dots = {QRect(40, 80, 120, 100), QRect(200, 280, 120, 100)};
    std::vector<QRect> drawn;
    EXPECT_EQ(colourBox(render(printStyle(), PageUnits::printerDots(), true, &drawn), Qt::red, 12), dots[0]);
    EXPECT_EQ(drawn, dots);
    // 20, 30 mm from the sheet's corner and 30 × 25 mm, at 2 pixels a millimetre after 5 pixels.
    for (const PageStyle& style : {printStyle(), pdfStyle(false), previewStyle()}) {
        EXPECT_EQ(colourBox(render(style, kPixels, true, &drawn), Qt::red, 12), QRect(45, 65, 60, 50));
        EXPECT_EQ(drawn, dots) << "told in printer dots whatever the units";
    }
    EXPECT_FALSE(shows(render(printStyle(), kPixels, false, &drawn), Qt::blue));
    EXPECT_EQ(drawn, std::vector<QRect>{dots[0]});
}

TEST(PageRenderer, EachStyleDrawsItsOwnDieCutLinesAndMarksAndLeavesThePainterAsItWas) {
    const QColor hairline(150, 150, 150), dashes(40, 40, 40), printableEdge(0, 100, 220);
    const QRect dieCut(125, 25, 61, 41);
    const QPointF cutArea(75, 95), beyondTheReach(5, 5);

    const QImage printed = render(printStyle());
    EXPECT_FALSE(shows(printed, hairline) || shows(printed, dashes) || shows(printed, printableEdge));
    EXPECT_EQ(at(printed, cutArea), QColor(Qt::blue));
    EXPECT_EQ(at(printed, beyondTheReach), kBackground);

    const QImage file = render(pdfStyle(true));
    EXPECT_EQ(colourBox(file, hairline, 12), dieCut);
    EXPECT_FALSE(shows(file, dashes) || shows(file, printableEdge));
    EXPECT_FALSE(shows(render(pdfStyle(false)), hairline));

    const QImage preview = render(previewStyle());
    EXPECT_EQ(colourBox(preview, dashes, 12), dieCut);
    EXPECT_FALSE(shows(preview, hairline));
    EXPECT_TRUE(shows(preview, printableEdge));
    EXPECT_EQ(at(preview, beyondTheReach), QColor(Qt::white));
    const QColor cut = at(preview, cutArea);
    EXPECT_TRUE(cut.red() > 60 && cut.blue() < 200) << "red over the picture: " << cut.name().toStdString();

    QImage canvas(10, 10, QImage::Format_ARGB32);
    QPainter painter(&canvas);
    painter.setPen(QPen(Qt::yellow, 3));
    const PagePlan plan = testPlan();
    PageRenderer(plan, nullptr, nullptr, previewStyle()).draw(painter, kPixels);
    EXPECT_EQ(painter.transform(), QTransform());
    EXPECT_EQ(painter.pen(), QPen(Qt::yellow, 3));
}

} // namespace
