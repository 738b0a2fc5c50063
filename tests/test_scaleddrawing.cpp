// Drawing a cover picture at a printer's resolution: each primitive drawn at a scale lands where
// the screen drawing lands, scaled, within a screen pixel; at scale 1 it is the screen drawing.
#include "cover/discgeometry.h"
#include "cover/fitpixels.h"
#include "cover/fitting.h"
#include "decor/gradient.h"
#include "decor/insertcopy.h"
#include "support/pictures.h"
#include "text/aroundlayout.h"
#include "text/textpainter.h"
#include "text/textstamp.h"

#include <gtest/gtest.h>
#include <map>

namespace {

const std::vector<QSizeF> kScales{{2, 2}, {4, 4}, {4, 2}};

QSize scaled(QSize size, QSizeF scale) {
    return QSizeF(size.width() * scale.width(), size.height() * scale.height()).toSize();
}

QImage white(QSize size) {
    return solidPicture(size.width(), size.height(), Qt::white);
}

// The pixels of the row (across) or column through the centre of screen pixel `at`, scaled.
std::vector<QRgb> line(const QImage& image, bool across, int at, QSizeF scale = {1, 1}) {
    const int middle = int((at + 0.5) * (across ? scale.height() : scale.width()));
    std::vector<QRgb> pixels;
    for (int i = 0; i < (across ? image.width() : image.height()); ++i)
        pixels.push_back(across ? image.pixel(i, middle) : image.pixel(middle, i));
    return pixels;
}

std::map<QRgb, int> firstOfEachColour(const std::vector<QRgb>& pixels) {
    std::map<QRgb, int> first;
    for (size_t i = 0; i < pixels.size(); ++i)
        first.emplace(pixels[i], int(i));
    return first;
}

QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            box |= image.pixel(x, y) == qRgb(255, 255, 255) ? QRect() : QRect(x, y, 1, 1);
    return box;
}

void expectScaledPoint(QPoint atScale, QPoint screen, QSizeF scale, const std::string& what) {
    EXPECT_NEAR(atScale.x(), screen.x() * scale.width(), scale.width()) << what;
    EXPECT_NEAR(atScale.y(), screen.y() * scale.height(), scale.height()) << what;
}

TEST(ScaledDrawing, AtScaleOneEachIsTheScreenDrawing) {
    const QImage photo = gradientPicture(450, 450), added = gradientPicture(90, 60);
    const TextDraw draw{"Ring text", {20, 100}, {.family = "Liberation Sans", .pointSize = 30}, 0};
    for (auto [layoutMask, size] :
         {std::pair{LayoutMask::Disc, 450}, std::pair{LayoutMask::SmallDisc, 300}}) {
        QImage screen = photo.copy(0, 0, size, size), atScale = screen;
        paintTextPlan(screen, {{draw}, layoutMask}, disc::mask(450), disc::mask(300));
        paintTextPlanAt(atScale, {{draw}, layoutMask}, {1, 1}, disc::maskAt(size, {size, size}));
        EXPECT_EQ(atScale, screen) << size;
    }
    const TextStamp stamp{.caption = "Stamp", .pointSize = 20, .reversed = true};
    QImage stamped = photo, stampedAt = photo;
    stampText(stamped, stamp, {100, 200});
    stampTextAt(stampedAt, stamp, {100, 200}, {1, 1});
    EXPECT_EQ(stampedAt, stamped);
    EXPECT_EQ(withInsertedPictureAt(photo, added, {-5, 400}, {1, 1}),
              withInsertedPicture(photo, added, {-5, 400}));
    EXPECT_EQ(linearGradientAt(CoverMode::BackCover, Qt::red, Qt::blue, {505, 410}),
              linearGradient(CoverMode::BackCover, Qt::red, Qt::blue));
    EXPECT_EQ(ellipticalGradientAt(Qt::red, Qt::blue, {450, 450}), ellipticalGradient(Qt::red, Qt::blue));
}

// On the middle row and column, where the disc and its hub start; drawn for print, the disc and its
// hub are centred on the picture, as wide of white on one side as on the other.
TEST(ScaledDrawing, TheDiscMaskScalesAcrossAndDownOnItsOwn) {
    // Where the ring starts, where the hub starts and where the ring ends.
    const auto edges = [](const std::vector<QRgb>& pixels) {
        const auto ring = std::find(pixels.begin(), pixels.end(), qRgb(0, 0, 0));
        const auto hub = std::find(ring, pixels.end(), qRgb(255, 255, 255));
        const auto last = std::find(pixels.rbegin(), pixels.rend(), qRgb(0, 0, 0));
        return std::array{ring - pixels.begin(), hub - pixels.begin(), pixels.rend() - last - 1};
    };
    for (int screen : {disc::kCoverSize, disc::kMiniSize}) {
        const auto onScreen = edges(line(disc::mask(screen), true, screen / 2));
        for (QSizeF scale : kScales) {
            const QImage mask = disc::maskAt(screen, scaled({screen, screen}, scale));
            for (bool across : {true, false}) {
                const double along = across ? scale.width() : scale.height();
                const auto [ring, hub, last] = edges(line(mask, across, screen / 2, scale));
                EXPECT_NEAR(ring, onScreen[0] * along, along) << screen << " " << along;
                EXPECT_NEAR(hub, onScreen[1] * along, along) << screen << " " << along;
                // Drawn for print, as much white lies before the ring and the hub as after them.
                const std::vector<QRgb> pixels = line(mask, across, screen / 2, scale);
                std::vector<QRgb> reversed(pixels.rbegin(), pixels.rend());
                const auto [ringFromEnd, hubFromEnd, lastFromEnd] = edges(reversed);
                EXPECT_EQ(ring, ringFromEnd) << screen << " " << along;
                EXPECT_EQ(hub, hubFromEnd) << screen << " " << along;
                EXPECT_EQ(last, qsizetype(pixels.size()) - 1 - ringFromEnd);
            }
        }
    }
    // A 120 mm disc at 600 dots per inch: an odd number of dots, the disc centred on the middle one.
    const QImage printed = disc::maskAt(disc::kCoverSize, {2833, 2833});
    for (bool across : {true, false}) {
        std::vector<QRgb> pixels;
        for (int i = 0; i < 2833; ++i)
            pixels.push_back(across ? printed.pixel(i, 1416) : printed.pixel(1416, i));
        const auto [ring, hub, last] = edges(pixels);
        EXPECT_EQ(ring, 2832 - last) << across;
        EXPECT_LT(ring, 5) << across;
        EXPECT_EQ(printed.pixel(across ? 1416 : 0, across ? 0 : 1416), qRgb(255, 255, 255));
        EXPECT_EQ(hub - ring, std::find(pixels.rbegin() + (2832 - last), pixels.rend(), qRgb(255, 255, 255)) -
                                  (pixels.rbegin() + (2832 - last)));
    }
}

// The first row of each band, and the first pixel of each ring's colour across and down the middle.
TEST(ScaledDrawing, GradientBandsAndRingsLandOnTheScaledEdges) {
    const auto bands =
        firstOfEachColour(line(linearGradient(CoverMode::BackCover, Qt::black, Qt::white), false, 0));
    const QImage ellipses = ellipticalGradient(Qt::black, Qt::white);
    ASSERT_EQ(bands.size(), 256u);
    for (QSizeF scale : kScales) {
        const QImage linear =
            linearGradientAt(CoverMode::BackCover, Qt::black, Qt::white, scaled({505, 410}, scale));
        auto atScale = firstOfEachColour(line(linear, false, 0, scale));
        for (auto [colour, row] : bands)
            EXPECT_NEAR(atScale[colour], row * scale.height(), scale.height()) << qRed(colour);

        const QImage rings = ellipticalGradientAt(Qt::black, Qt::white, scaled({450, 450}, scale));
        for (bool across : {true, false}) {
            const double along = across ? scale.width() : scale.height();
            atScale = firstOfEachColour(line(rings, across, 225, scale));
            for (auto [colour, at] : firstOfEachColour(line(ellipses, across, 225))) {
                ASSERT_TRUE(atScale.contains(colour)) << qRed(colour);
                EXPECT_NEAR(atScale[colour], at * along, along) << qRed(colour);
            }
        }
    }
}

// The corners the screen drawing is placed by: the text's box, the stamp's, the inserted square's.
TEST(ScaledDrawing, TextStampsAndInsertedPicturesLandOnTheScaledPlaces) {
    const TextStyle style{.family = "Liberation Sans", .pointSize = 24, .colour = Qt::darkBlue};
    const TextDraw draws[]{{"Centre line", {150, 200}, style, 0}, {"Downwards", {40, 60}, style, 90}};
    const TextStamp stamps[]{{.caption = "Stamped", .pointSize = 16}, {.caption = "Up", .reversed = true}};
    const QImage added = solidPicture(60, 90, Qt::red);
    for (QSizeF scale : kScales) {
        const QSize size = scaled({450, 450}, scale);
        for (const TextDraw& draw : draws) {
            QImage screen = white({450, 450}), atScale = white(size);
            paintTextPlan(screen, {{draw}}, {}, {});
            paintTextPlanAt(atScale, {{draw}}, scale, {});
            expectScaledPoint(inkBox(atScale).topLeft(), inkBox(screen).topLeft(), scale,
                              draw.text.toStdString());
        }
        for (const TextStamp& stamp : stamps) {
            QImage screen = white({450, 450}), atScale = white(size);
            stampText(screen, stamp, {70, 300});
            stampTextAt(atScale, stamp, {70, 300}, scale);
            // A reversed stamp stands on its corner.
            const auto corner = [&stamp](QRect ink) {
                return stamp.reversed ? ink.bottomLeft() + QPoint(0, 1) : ink.topLeft();
            };
            expectScaledPoint(corner(inkBox(atScale)), corner(inkBox(screen)), scale,
                              stamp.caption.toStdString());
        }
        for (QPoint place : {QPoint(100, 50), QPoint(425, -10)}) {
            const QRect screen = inkBox(withInsertedPicture(white({450, 450}), added, place));
            const QRect atScale = inkBox(withInsertedPictureAt(white(size), added, place, scale));
            expectScaledPoint(atScale.topLeft(), screen.topLeft(), scale, "inserted");
            expectScaledPoint(atScale.bottomRight() + QPoint(1, 1), screen.bottomRight() + QPoint(1, 1),
                              scale, "inserted");
        }
    }
}

// Text around the disc: each character on its own, and the whole plan with its turned characters.
TEST(ScaledDrawing, TextAroundTheDiscLandsOnTheScaledPlaces) {
    const TextStyle style{.family = "Liberation Sans", .pointSize = 20, .colour = Qt::darkBlue};
    const std::optional<TextPlan> plan = planAround({{{"Wave of text", style}}, {{"Under gj", style}}},
                                                    CoverMode::CdCover, {}, measureCutsOnCover);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->draws.size(), 10u + 7u);
    std::vector<TextPlan> pieces{{plan->draws}};
    for (size_t k : {size_t(0), size_t(4), size_t(9), size_t(13)})
        pieces.push_back({{plan->draws[k]}});
    for (QSizeF scale : kScales) {
        for (const TextPlan& piece : pieces) {
            QImage screen = white({450, 450}), atScale = white(scaled({450, 450}, scale));
            paintTextPlan(screen, piece, {}, {});
            paintTextPlanAt(atScale, piece, scale, {});
            const QRect ink = inkBox(screen), inkAtScale = inkBox(atScale);
            ASSERT_FALSE(ink.isEmpty()) << piece.draws[0].text.toStdString();
            if (piece.draws.size() == 1) {
                EXPECT_TRUE(ink.adjusted(-2, -2, 2, 2).contains(piece.draws[0].curve->middle().toPoint()))
                    << "drawn on its baseline's middle: " << piece.draws[0].text.toStdString();
            }
            expectScaledPoint(inkAtScale.topLeft(), ink.topLeft(), scale, piece.draws[0].text.toStdString());
            expectScaledPoint(inkAtScale.bottomRight() + QPoint(1, 1), ink.bottomRight() + QPoint(1, 1),
                              scale, piece.draws[0].text.toStdString());
        }
    }
}

// The screen fit goes through twice the size and a halving; fitted straight to the printed size and
// brought down to the screen's, the picture is the same within a few levels.
TEST(ScaledDrawing, FitAtThePrintedSizeLooksLikeTheScreenFit) {
    const QImage photo = gradientPicture(640, 480), mask = disc::mask(450);
    const QImage screen = fitToCover(photo, CoverMode::CdCover, mask).picture;
    for (QSizeF scale : kScales) {
        const QSize size = scaled({450, 450}, scale);
        const QImage printed = fitAt(photo, CoverMode::CdCover, size, disc::maskAt(450, size));
        EXPECT_EQ(printed.pixel(size.width() / 2, size.height() / 2), qRgb(255, 255, 255)) << "hub";
        const QImage down = stretchToSize(printed, {450, 450});
        long difference = 0, values = 0;
        for (int y = 0; y < 450; ++y)
            for (int x = 0; x < 450; ++x)
                for (int c = 0; c < 3 && mask.pixel(x, y) == qRgb(0, 0, 0); ++c, ++values)
                    difference +=
                        std::abs(down.constScanLine(y)[3 * x + c] - screen.constScanLine(y)[3 * x + c]);
        EXPECT_LT(double(difference) / double(values), 3.0) << scale.width() << "x" << scale.height();
    }
}

} // namespace
