// The one page renderer: the same plan lands at the same places in printer dots, file units and
// preview pixels; each style draws its own die-cut lines and marks and nothing of the others'.
#include "print/pagerenderer.h"
#include "print/pageplan.h"
#include "support/pictures.h"
#include "support/printedpage.h"

#include <QPainter>
#include <gtest/gtest.h>

// Rectangles in a failure read as where and how large.
static void PrintTo(const QRect& rect, std::ostream* out) {
    *out << "(" << rect.x() << ", " << rect.y() << ") " << rect.width() << " x " << rect.height();
}

namespace {

const QColor kBackground(0, 255, 0);
constexpr double kPixelsPerMm = 2;
const QPointF kOrigin(5, 5);

// A 100 mm sheet, printable from 10 mm to 90 mm at 4 dots a millimetre. Picture #1 lies inside at
// 20, 30 mm; Picture #2 runs 15 mm below the printable area and 5 mm off the sheet.
PagePlan testPlan() {
    const PageGeometry sheet{QSizeF(100, 100), QRectF(10, 10, 80, 80)};
    PagePlan plan = planPage(sheet, QSize(320, 320), Placement{40, 80, 200, 280, 120, 100}, true, true);
    plan.dieCuts = {DieCut{QRectF(60, 10, 30, 20), false, QRectF()}};
    return plan;
}

QImage blank(QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(kBackground);
    return image;
}

const QImage kRed = solidPicture(12, 10, Qt::red);
const QImage kBlue = solidPicture(12, 10, Qt::blue);

struct Drawn {
    QImage image;
    std::vector<QRect> rects;
};

Drawn render(const PagePlan& plan, PageStyle style, const PageUnits& units, QSize size,
             const QImage* second = &kBlue) {
    Drawn drawn{blank(size), {}};
    QPainter painter(&drawn.image);
    drawn.rects = PageRenderer(plan, &kRed, second, style).draw(painter, units);
    return drawn;
}

Drawn inPixels(const PagePlan& plan, PageStyle style) {
    return render(plan, style, PageUnits::perMillimetre(kPixelsPerMm, kOrigin), QSize(230, 230));
}

QColor at(const QImage& image, QPointF sheetMm) {
    return image.pixelColor((kOrigin + sheetMm * kPixelsPerMm).toPoint());
}

bool shows(const QImage& image, QColor colour) {
    return colourBox(image, colour, 12).has_value();
}

TEST(PageRenderer, PicturesLandAtTheirDotsInPrinterDotsAndAtTheirMillimetresInOtherUnits) {
    const PagePlan plan = testPlan();
    const std::vector<QRect> dots = {QRect(40, 80, 120, 100), QRect(200, 280, 120, 100)};

    const Drawn printed = render(plan, printStyle(), PageUnits::printerDots(), QSize(320, 320));
    EXPECT_EQ(printed.rects, dots);
    EXPECT_EQ(colourBox(printed.image, Qt::red, 12), dots[0]);

    // 20, 30 mm from the sheet's corner and 30 × 25 mm, at 2 pixels a millimetre after 5 pixels.
    for (const PageStyle& style : {printStyle(), pdfStyle(false), previewStyle()}) {
        const Drawn shown = inPixels(plan, style);
        EXPECT_EQ(shown.rects, dots) << "the rectangles are told in printer dots whatever the units";
        EXPECT_EQ(colourBox(shown.image, Qt::red, 12), QRect(45, 65, 60, 50));
    }
}

TEST(PageRenderer, EachStyleDrawsItsOwnDieCutLinesAndMarksAndNoneOfTheOthers) {
    const PagePlan plan = testPlan();
    const QColor hairline(150, 150, 150), dashes(40, 40, 40), printableEdge(0, 100, 220);
    const QPointF cutArea(75, 95), paperOutsideTheReach(5, 5), dieCutEdge(75, 10);

    const QImage printed = inPixels(plan, printStyle()).image;
    EXPECT_FALSE(shows(printed, hairline) || shows(printed, dashes) || shows(printed, printableEdge));
    EXPECT_EQ(at(printed, cutArea), QColor(Qt::blue));
    EXPECT_EQ(at(printed, paperOutsideTheReach), kBackground);

    const QImage file = inPixels(plan, pdfStyle(true)).image;
    EXPECT_EQ(colourBox(file, hairline, 12), QRect(125, 25, 61, 41)) << "the die-cut, a hairline";
    EXPECT_FALSE(shows(file, dashes) || shows(file, printableEdge));
    EXPECT_EQ(at(file, cutArea), QColor(Qt::blue));
    EXPECT_FALSE(shows(inPixels(plan, pdfStyle(false)).image, hairline));

    const QImage preview = inPixels(plan, previewStyle()).image;
    EXPECT_EQ(colourBox(preview, dashes, 12), QRect(125, 25, 61, 41)) << "the die-cut, dashed";
    EXPECT_FALSE(shows(preview, hairline));
    EXPECT_TRUE(shows(preview, printableEdge));
    EXPECT_EQ(at(preview, paperOutsideTheReach), QColor(Qt::white));
    const QColor cut = at(preview, cutArea);
    EXPECT_TRUE(cut.red() > 60 && cut.blue() < 200) << "red over the picture: " << cut.name().toStdString();
    const QColor edge = at(preview, dieCutEdge);
    EXPECT_TRUE(edge == QColor(Qt::white) || edge == dashes) << edge.name().toStdString();
}

TEST(PageRenderer, APageWithoutDotsOrAPictureDrawsNothingThereAndLeavesThePainterAsItWas) {
    PagePlan noDots = testPlan();
    noDots.printableDots = QSize();
    // A printer that reaches nothing: no place on its canvas for the sheet, its marks or die-cuts.
    PagePlan noReach = testPlan();
    noReach.sheet.printableMm.setSize(QSizeF(0, 0));
    for (const PagePlan& plan : {noDots, noReach}) {
        const Drawn onPrinter = render(plan, previewStyle(), PageUnits::printerDots(), QSize(320, 320));
        EXPECT_TRUE(onPrinter.rects.empty());
        EXPECT_EQ(colourBox(onPrinter.image, kBackground, 0), onPrinter.image.rect()) << "nothing drawn";
    }
    const Drawn inFile = inPixels(noDots, pdfStyle(true));
    EXPECT_TRUE(inFile.rects.empty());
    EXPECT_FALSE(shows(inFile.image, Qt::red));
    EXPECT_TRUE(shows(inFile.image, QColor(150, 150, 150))) << "the die-cuts are in millimetres";

    const PagePlan plan = testPlan();
    const Drawn oneMissing = render(plan, printStyle(), PageUnits::printerDots(), QSize(320, 320), nullptr);
    EXPECT_EQ(oneMissing.rects, std::vector<QRect>{QRect(40, 80, 120, 100)});
    EXPECT_FALSE(shows(oneMissing.image, Qt::blue));

    QImage image = blank(QSize(230, 230));
    QPainter painter(&image);
    painter.translate(3, 4);
    painter.setPen(QPen(Qt::yellow, 3));
    const QTransform before = painter.transform();
    PageRenderer(plan, &kRed, &kBlue, previewStyle())
        .draw(painter, PageUnits::perMillimetre(kPixelsPerMm, kOrigin));
    EXPECT_EQ(painter.transform(), before);
    EXPECT_EQ(painter.pen(), QPen(Qt::yellow, 3));
    EXPECT_FALSE(painter.testRenderHint(QPainter::LosslessImageRendering));
}

} // namespace
