// Drawing a cover picture at a printer's resolution: each primitive drawn at a scale lands where
// the screen drawing lands, scaled, within a screen pixel; at scale 1 it is the screen drawing.
#include "cover/discgeometry.h"
#include "cover/fitpixels.h"
#include "cover/fitting.h"
#include "decor/gradient.h"
#include "decor/insertcopy.h"
#include "support/pictures.h"
#include "text/textpainter.h"
#include "text/textstamp.h"

#include <array>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace {

const std::vector<QSizeF> kScales{{2, 2}, {4, 4}, {4, 2}};

QSize scaled(QSize size, QSizeF scale) {
    return QSizeF(size.width() * scale.width(), size.height() * scale.height()).toSize();
}

QImage white(QSize size) {
    return solidPicture(size.width(), size.height(), Qt::white);
}

// The pixels of a row (across) or a column.
std::vector<QRgb> line(const QImage& image, bool across, int at) {
    std::vector<QRgb> pixels;
    for (int i = 0; i < (across ? image.width() : image.height()); ++i)
        pixels.push_back(across ? image.pixel(i, at) : image.pixel(at, i));
    return pixels;
}

QRect inkBox(const QImage& image) {
    QRect box;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if (row[x] != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

enum Side { Left = 1, Top = 2, Right = 4, Bottom = 8 };

// The box's `sides` within one screen pixel of the screen box's, scaled.
void expectScaledBox(QRect atScale, QRect screen, QSizeF scale, int sides, const std::string& what) {
    const double sx = scale.width(), sy = scale.height();
    const std::array checks{std::tuple{Left, atScale.left(), screen.left() * sx, sx},
                            std::tuple{Top, atScale.top(), screen.top() * sy, sy},
                            std::tuple{Right, atScale.right() + 1, (screen.right() + 1) * sx, sx},
                            std::tuple{Bottom, atScale.bottom() + 1, (screen.bottom() + 1) * sy, sy}};
    for (auto [side, value, expected, tolerance] : checks)
        EXPECT_TRUE(!(sides & side) || std::abs(value - expected) <= tolerance)
            << what << ", side " << side << ": " << value << " instead of " << expected;
}

TEST(ScaledDrawing, AtScaleOneEachIsTheScreenDrawing) {
    for (auto [file, size] : {std::pair{"round.bmp", 450}, std::pair{"round_min.bmp", 300}})
        EXPECT_EQ(disc::maskAt(size, {size, size}),
                  QImage(QStringLiteral(ORBALIN_DATA_DIR "/") + file).convertToFormat(QImage::Format_BGR888))
            << file;

    const QImage photo = gradientPicture(450, 450);
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

    const QImage added = gradientPicture(90, 60);
    EXPECT_EQ(withInsertedPictureAt(photo, added, {-5, 400}, {1, 1}),
              withInsertedPicture(photo, added, {-5, 400}));
    EXPECT_EQ(linearGradientAt(CoverMode::BackCover, Qt::red, Qt::blue, {505, 410}),
              linearGradient(CoverMode::BackCover, Qt::red, Qt::blue));
    EXPECT_EQ(ellipticalGradientAt(Qt::red, Qt::blue, {450, 450}), ellipticalGradient(Qt::red, Qt::blue));
}

// On the middle row and column: where the disc starts and where its hub starts; and since each
// pixel is sampled at its centre, the disc is centred on the screen's centre pixel's centre, scaled.
TEST(ScaledDrawing, TheDiscMaskScalesAcrossAndDownOnItsOwn) {
    struct Edges {
        int ring, hub, last;
    };
    const auto edges = [](const std::vector<QRgb>& pixels) {
        const auto ring = std::find(pixels.begin(), pixels.end(), qRgb(0, 0, 0));
        const auto hub = std::find(ring, pixels.end(), qRgb(255, 255, 255));
        const auto last = std::find(pixels.rbegin(), pixels.rend(), qRgb(0, 0, 0));
        return Edges{int(ring - pixels.begin()), int(hub - pixels.begin()), int(pixels.rend() - last) - 1};
    };
    for (int screen : {disc::kCoverSize, disc::kMiniSize}) {
        const Edges onScreen = edges(line(disc::mask(screen), true, screen / 2));
        for (QSizeF scale : kScales) {
            const QImage mask = disc::maskAt(screen, scaled({screen, screen}, scale));
            ASSERT_EQ(mask.format(), QImage::Format_BGR888);
            for (bool across : {true, false}) {
                const double along = across ? scale.width() : scale.height();
                const double middle = (screen / 2 + 0.5) * (across ? scale.height() : scale.width());
                const Edges atScale = edges(line(mask, across, int(middle)));
                const std::string what = std::to_string(screen) + (across ? " across " : " down ");
                EXPECT_NEAR(atScale.ring, onScreen.ring * along, along) << what << along;
                EXPECT_NEAR(atScale.hub, onScreen.hub * along, along) << what << along;
                EXPECT_NEAR((atScale.ring + atScale.last) / 2.0, (screen / 2 + 0.5) * along - 0.5, 0.5)
                    << what << along;
            }
        }
    }
}

TEST(ScaledDrawing, GradientBandsAndRingsLandOnTheScaledEdges) {
    const auto changes = [](const std::vector<QRgb>& pixels) {
        std::vector<int> at;
        for (size_t i = 1; i < pixels.size(); ++i)
            if (pixels[i] != pixels[i - 1])
                at.push_back(int(i));
        return at;
    };
    const auto firstOfEachColour = [](const std::vector<QRgb>& pixels) {
        std::map<QRgb, int> first;
        for (size_t i = 0; i < pixels.size(); ++i)
            first.emplace(pixels[i], int(i));
        return first;
    };
    const std::vector<int> bandEdges =
        changes(line(linearGradient(CoverMode::BackCover, Qt::black, Qt::white), false, 0));
    const QImage ellipses = ellipticalGradient(Qt::black, Qt::white);
    ASSERT_EQ(bandEdges.size(), 255u);
    for (QSizeF scale : kScales) {
        const QImage bands =
            linearGradientAt(CoverMode::BackCover, Qt::black, Qt::white, scaled({505, 410}, scale));
        const std::vector<int> edges = changes(line(bands, false, bands.width() - 1));
        ASSERT_EQ(edges.size(), bandEdges.size()) << scale.height();
        for (size_t band = 0; band < edges.size(); ++band)
            EXPECT_NEAR(edges[band], bandEdges[band] * scale.height(), scale.height()) << band;

        const QImage rings = ellipticalGradientAt(Qt::black, Qt::white, scaled({450, 450}, scale));
        for (bool across : {true, false}) {
            const double along = across ? scale.width() : scale.height();
            const auto onScreen = firstOfEachColour(line(ellipses, across, 225));
            const auto atScale = firstOfEachColour(
                line(rings, across, int(225.5 * (across ? scale.height() : scale.width()))));
            for (auto [colour, at] : onScreen) {
                ASSERT_TRUE(atScale.contains(colour)) << qRed(colour);
                EXPECT_NEAR(atScale.at(colour), at * along, along) << qRed(colour);
            }
        }
    }
}

TEST(ScaledDrawing, TextStampsAndInsertedPicturesLandOnTheScaledPlaces) {
    const TextStyle style{.family = "Liberation Sans", .pointSize = 24, .colour = Qt::darkBlue};
    const std::vector<TextDraw> draws{{"Centre line", {150, 200}, style, 0},
                                      {"Downwards", {40, 60}, style, 90}};
    const TextStamp straight{.caption = "Stamped", .pointSize = 16},
        reversed{.caption = "Up", .reversed = true};
    const QImage added = solidPicture(60, 90, Qt::red);
    const std::vector<QPoint> insertPlaces{{100, 50}, {425, -10}};
    for (QSizeF scale : kScales) {
        const std::string at = std::to_string(scale.width()) + "x" + std::to_string(scale.height());
        const QSize size = scaled({450, 450}, scale);
        for (const TextDraw& draw : draws) {
            QImage screen = white({450, 450}), atScale = white(size);
            paintTextPlan(screen, {{draw}}, {}, {});
            paintTextPlanAt(atScale, {{draw}}, scale, {});
            expectScaledBox(inkBox(atScale), inkBox(screen), scale, Left | Top,
                            draw.text.toStdString() + " " + at);
        }
        for (const TextStamp& stamp : {straight, reversed}) {
            QImage screen = white({450, 450}), atScale = white(size);
            stampText(screen, stamp, {70, 300});
            stampTextAt(atScale, stamp, {70, 300}, scale);
            // The corner's sides: a reversed stamp stands on its corner.
            expectScaledBox(inkBox(atScale), inkBox(screen), scale, Left | (stamp.reversed ? Bottom : Top),
                            stamp.caption.toStdString() + " " + at);
        }
        for (QPoint place : insertPlaces) {
            const QRect screen = inkBox(withInsertedPicture(white({450, 450}), added, place));
            expectScaledBox(inkBox(withInsertedPictureAt(white(size), added, place, scale)), screen, scale,
                            Left | Top | Right | Bottom, "inserted " + at);
        }
    }
}

// The screen fit goes through twice the size and a halving; fitted straight to the printed size and
// brought down to the screen's, the picture is the same within a few levels.
TEST(ScaledDrawing, FitAtThePrintedSizeLooksLikeTheScreenFit) {
    const QImage photo = gradientPicture(640, 480);
    const QImage mask = disc::mask(450);
    const QImage screen = fitToCover(photo, CoverMode::CdCover, mask).picture;
    for (QSizeF scale : kScales) {
        const QSize size = scaled({450, 450}, scale);
        const QImage printed = fitAt(photo, CoverMode::CdCover, size, disc::maskAt(450, size));
        ASSERT_EQ(printed.size(), size);
        EXPECT_EQ(printed.pixel(printed.width() / 2, printed.height() / 2), qRgb(255, 255, 255)) << "hub";
        const QImage down = stretchToSize(printed, {450, 450});
        long difference = 0, values = 0;
        for (int y = 0; y < 450; ++y)
            for (int x = 0; x < 450; ++x)
                if (mask.pixel(x, y) == qRgb(0, 0, 0))
                    for (int c = 0; c < 3; ++c, ++values)
                        difference +=
                            std::abs(down.constScanLine(y)[3 * x + c] - screen.constScanLine(y)[3 * x + c]);
        EXPECT_LT(double(difference) / double(values), 3.0) << scale.width() << "x" << scale.height();
    }
}

} // namespace
