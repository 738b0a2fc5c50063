// The Around layout through its plan, with a fake measure: where the characters stand on the
// circle, which way they read, how a long line is made to fit.
#include "text/aroundlayout.h"
#include "text/textarea.h"
#include "text/textpainter.h"

#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// Half the point size in pixels a UTF-16 unit; an A before a V advances 3 pixels less.
std::vector<double> fakeCuts(const QString& text, const TextStyle& style,
                             const std::vector<qsizetype>& cuts) {
    std::vector<double> xs;
    for (const qsizetype cut : cuts) {
        double x = double(cut) * style.pointSize / 2;
        for (qsizetype i = 1; i <= cut && i < text.size(); ++i)
            if (text[i - 1] == QLatin1Char('A') && text[i] == QLatin1Char('V'))
                x -= 3;
        xs.push_back(x);
    }
    return xs;
}

StyledLine line(const QString& text, int pointSize = 10) {
    return {{text, {.pointSize = pointSize}}};
}

TextPlan planned(const std::vector<StyledLine>& lines, const AroundSettings& settings = {},
                 CoverMode mode = CoverMode::CdCover) {
    const std::optional<TextPlan> plan = planAround(lines, mode, settings, fakeCuts);
    EXPECT_TRUE(plan.has_value());
    return plan.value_or(TextPlan{});
}

// Degrees clockwise from twelve o'clock of a point seen from the disc's centre, in (-180, 180].
double clockAngle(QPointF point, QPointF centre = {225, 225}) {
    const QPointF d = point - centre;
    return std::atan2(d.x(), -d.y()) * 180 / std::numbers::pi;
}

double distance(QPointF a, QPointF b) {
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

QPointF endOf(const TextOnCurve& curve) {
    return curve.origin + (curve.middle() - curve.origin) * 2;
}

std::vector<TextOnCurve> curves(const TextPlan& plan) {
    std::vector<TextOnCurve> all;
    for (const TextDraw& draw : plan.draws) {
        EXPECT_TRUE(draw.curve.has_value()) << draw.text.toStdString();
        all.push_back(draw.curve.value_or(TextOnCurve{}));
    }
    return all;
}

TEST(LayoutAround, CharactersStandOnTheCircleTurnedToItsTangent) {
    struct Case {
        CoverMode mode;
        double rimDistanceMm;
        double centre, radius;
    };
    // 3.75 pixels to the millimetre; the baseline stays between the hub (61.5) and the edge.
    for (const Case& c : {Case{CoverMode::CdCover, 4, 225, 210}, Case{CoverMode::MiniCd, 4, 150, 135},
                          Case{CoverMode::CdCover, 10, 225, 187.5}, Case{CoverMode::CdCover, -3, 225, 225},
                          Case{CoverMode::MiniCd, 100, 150, 61.5}}) {
        const TextPlan plan = planned({line("Top of the disc"), line("Bottom line")},
                                      {.rimDistanceMm = c.rimDistanceMm}, c.mode);
        ASSERT_EQ(plan.draws.size(), 12u + 10u) << "blanks are not drawn";
        EXPECT_EQ(plan.mask, c.mode == CoverMode::CdCover ? LayoutMask::Disc : LayoutMask::SmallDisc);
        const QPointF centre(c.centre, c.centre);
        for (const TextOnCurve& curve : curves(plan)) {
            EXPECT_NEAR(distance(curve.middle(), centre), c.radius, 0.5) << c.rimDistanceMm;
            const QPointF along = endOf(curve) - curve.origin, out = curve.middle() - centre;
            EXPECT_NEAR(along.x() * out.x() + along.y() * out.y(), 0, 1e-6) << "tangent at the middle";
        }
    }
    EXPECT_FALSE(planAround({line("x")}, CoverMode::FrontCover, {}, fakeCuts));
}

TEST(LayoutAround, TopReadsClockwiseAndTheBottomUprightCounterClockwise) {
    const TextPlan plan = planned({line("abcdefghij"), line("klmnopqrst")});
    const std::vector<TextOnCurve> all = curves(plan);
    ASSERT_EQ(all.size(), 20u);
    for (size_t k = 0; k + 1 < all.size(); ++k) {
        if (k == 9)
            continue;
        // Angles near six o'clock wrap from 180 to -180.
        const double turned =
            std::remainder(clockAngle(all[k + 1].middle()) - clockAngle(all[k].middle()), 360.0);
        EXPECT_GT(k < 9 ? turned : -turned, 0.5) << k;
    }
    for (size_t k = 0; k < all.size(); ++k) {
        const double radians = all[k].degrees * std::numbers::pi / 180;
        const QPointF up(std::sin(radians), -std::cos(radians)); // the glyphs' up, once turned
        const QPointF outwards = all[k].middle() - QPointF(225, 225);
        const double dot = up.x() * outwards.x() + up.y() * outwards.y();
        EXPECT_GT(k < 10 ? dot : -dot, 0) << "tops face the rim on top, the hub below: " << k;
    }
}

TEST(LayoutAround, EachLineIsCentredOnItsAngleWithKerningAndSpacingKept) {
    for (const AroundSettings& settings :
         {AroundSettings{}, AroundSettings{.topCentreDegrees = 30, .bottomCentreDegrees = -100},
          AroundSettings{.topCentreDegrees = -45, .letterSpacingMm = 2}}) {
        const std::vector<TextOnCurve> all = curves(planned({line("abcde"), line("fghij")}, settings));
        ASSERT_EQ(all.size(), 10u);
        EXPECT_NEAR(clockAngle(all[2].middle()), settings.topCentreDegrees, 1e-6);
        EXPECT_NEAR(std::remainder(clockAngle(all[7].middle()) - settings.bottomCentreDegrees, 360.0), 0,
                    1e-6);
    }
    // The kerned pair starts closer than the plain one; letter spacing moves characters apart.
    const auto gap = [](const QString& text, double spacingMm) {
        const std::vector<TextOnCurve> pair = curves(planned({line(text)}, {.letterSpacingMm = spacingMm}));
        return distance(pair.at(0).origin, pair.at(1).origin);
    };
    EXPECT_NEAR(gap("AX", 0) - gap("AV", 0), 3, 0.05);
    EXPECT_NEAR(gap("AX", 2) - gap("AX", 0), 2 * 3.75, 0.05);
}

TEST(LayoutAround, ATooLongLineIsSetSmallerAndNeverReachesItsOwnStart) {
    EXPECT_EQ(planned({line(QString(100, 'x'))}).notes, PlanNotes{}) << "100 x at 5 px fit 352 degrees";
    // 400 characters at 5 px a character are 2000 px; the circle of radius 210 holds 1290 in 352 degrees.
    const TextPlan plan = planned({line(QString(400, 'x'), 10)});
    ASSERT_EQ(plan.notes.shrunkLines.size(), 1u);
    const ShrunkLine shrunk = plan.notes.shrunkLines[0];
    EXPECT_EQ(shrunk.line, 0);
    EXPECT_EQ(shrunk.pointSize, 6) << "6 points set it in 1 200 px; 7 would take 1 400";
    EXPECT_EQ(shrunk.charactersLeftOut, 0);
    ASSERT_EQ(plan.draws.size(), 400u);
    for (const TextDraw& draw : plan.draws)
        EXPECT_EQ(draw.style.pointSize, 6);
    // Degrees turned clockwise from the line's start, through each character, to its end.
    const auto reach = [](const TextPlan& set) {
        const std::vector<TextOnCurve> all = curves(set);
        std::vector<QPointF> points{all.front().origin};
        for (const TextOnCurve& curve : all)
            points.push_back(curve.middle());
        points.push_back(endOf(all.back()));
        double turned = 0;
        for (size_t k = 0; k + 1 < points.size(); ++k)
            turned += std::remainder(clockAngle(points[k + 1]) - clockAngle(points[k]), 360.0);
        return turned;
    };
    EXPECT_LT(reach(plan), 352.5) << "the end stops short of the start";
    EXPECT_GT(reach(plan), 320) << "1 200 px of a radius of 210";

    // With both lines set, each has half the circle.
    const TextPlan both = planned({line(QString(400, 'x'), 10), line("y")});
    ASSERT_EQ(both.notes.shrunkLines.size(), 1u);
    EXPECT_EQ(both.notes.shrunkLines[0].pointSize, 3);

    // Runs shrink in proportion; past 1 point the last characters are left out.
    const TextPlan mixed =
        planned({{{QString(100, 'a'), {.pointSize = 40}}, {QString(100, 'b'), {.pointSize = 20}}}});
    ASSERT_EQ(mixed.notes.shrunkLines.size(), 1u);
    const int large = mixed.notes.shrunkLines[0].pointSize;
    EXPECT_EQ(mixed.draws.front().style.pointSize, large);
    EXPECT_EQ(mixed.draws.back().style.pointSize, large / 2);
    const TextPlan endless = planned({line(QString(5000, 'z'), 10)});
    ASSERT_EQ(endless.notes.shrunkLines.size(), 1u);
    EXPECT_EQ(endless.notes.shrunkLines[0].pointSize, 1);
    EXPECT_EQ(endless.notes.shrunkLines[0].charactersLeftOut, 5000 - int(endless.draws.size()));
    EXPECT_GT(endless.notes.shrunkLines[0].charactersLeftOut, 0);
    EXPECT_LT(reach(endless), 352.5);
    EXPECT_EQ(aroundNote(endless.notes),
              QString("Line 1 set at 1 pt to fit around the disc, its last %1 characters left out")
                  .arg(endless.notes.shrunkLines[0].charactersLeftOut));
}

TEST(LayoutAround, GraphemesStayWholeAndLinesAfterTheSecondAreLeftOut) {
    const QString accented = QStringLiteral("e\u0301");
    const QString thumb = QStringLiteral("\U0001F44D\U0001F3FD"); // with a skin tone
    const TextPlan plan =
        planned({line("a" + accented + thumb + "b"), line("c"), line("third"), line("fourth")});
    QStringList texts;
    for (const TextDraw& draw : plan.draws)
        texts << draw.text;
    EXPECT_EQ(texts, (QStringList{"a", accented, thumb, "b", "c"}));
    EXPECT_EQ(plan.notes.linesLeftOut, 2);
    EXPECT_EQ(aroundNote(plan.notes), "Only the first two lines go around the disc");
    EXPECT_EQ(aroundNote(planned({line("one"), line("two")}).notes), "");
    // An empty second line leaves the whole circle to the first.
    const TextPlan alone = planned({line(QString(250, 'x')), line("")});
    EXPECT_EQ(alone.notes, PlanNotes{}) << "1 250 px fit 352 degrees, not 172";
    EXPECT_EQ(alone.draws.size(), 250u);
}

TEST(LayoutAround, EachCharacterKeepsItsStyleFromTheEditor) {
    QTextDocument document;
    document.setDefaultFont(QFont("Liberation Sans", 12));
    QTextCursor cursor(&document);
    cursor.insertText("ab");
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    format.setFontItalic(true);
    format.setFontPointSize(20);
    format.setForeground(QColor(Qt::red));
    cursor.insertText("cd", format);
    cursor.insertText("\nsecond\nthird");
    const std::vector<StyledLine> runs = styledEditorRuns(document);
    ASSERT_EQ(runs.size(), 3u);
    const std::optional<TextPlan> plan = planAroundLayout(document, CoverMode::MiniCd, {});
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->draws.size(), 4u + 6u);
    EXPECT_EQ(plan->draws[1].style, (TextStyle{.family = "Liberation Sans", .pointSize = 12}));
    EXPECT_EQ(
        plan->draws[2].style,
        (TextStyle{
            .family = "Liberation Sans", .pointSize = 20, .bold = true, .italic = true, .colour = Qt::red}));
    EXPECT_EQ(plan->draws[3].style, plan->draws[2].style);
    EXPECT_EQ(plan->notes.linesLeftOut, 1);
    // The real measure sets a kerned pair closer than the sum of its characters.
    const TextStyle style{.family = "Liberation Sans", .pointSize = 40};
    const std::vector<double> pair = measureCutsOnCover("AV", style, {1, 2});
    const std::vector<double> apart = measureCutsOnCover("A", style, {1});
    const std::vector<double> alone = measureCutsOnCover("V", style, {1});
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_LT(pair[1], apart[0] + alone[0] - 0.5);
    EXPECT_EQ(measureCutsOnCover("", style, {0}), std::vector<double>{0});
}

} // namespace
