#include "platform/gdi/GdiPath.h"
#include "platform/gdi/GeometricDash.h"

#include <QPainterPath>
#include <gtest/gtest.h>

namespace {

GdiPen geometric(UINT style, UINT cap, std::vector<DWORD> entries = {})
{
    LOGBRUSH brush;
    brush.lbStyle = BS_SOLID;
    brush.lbColor = 0;
    brush.lbHatch = 0;
    return GdiPen(PS_GEOMETRIC | style | cap, 5, brush, std::move(entries));
}

std::vector<QPoint> ends(const GeometricDash::Dash& d) { return {d.points.front(), d.points.back()}; }

} // namespace

TEST(GeometricDash, StandardStylesAreWholeWidthsShortenedForCaps)
{
    using P = std::vector<int>;
    EXPECT_EQ(GeometricDash::Pattern(geometric(PS_DASH, PS_ENDCAP_FLAT), 5, 1), (P{15, 5}));
    EXPECT_EQ(GeometricDash::Pattern(geometric(PS_DOT, PS_ENDCAP_FLAT), 5, 1), (P{5, 5}));
    EXPECT_EQ(GeometricDash::Pattern(geometric(PS_DASHDOT, PS_ENDCAP_FLAT), 5, 1), (P{15, 5, 5, 5}));
    EXPECT_EQ(GeometricDash::Pattern(geometric(PS_DASHDOTDOT, PS_ENDCAP_FLAT), 4, 1), (P{12, 4, 4, 4, 4, 4}));
    // Caps add half a width at each end: the dash gives that width to its gap.
    EXPECT_EQ(GeometricDash::Pattern(geometric(PS_DASH, PS_ENDCAP_ROUND), 5, 1), (P{10, 10}));
    EXPECT_EQ(GeometricDash::Pattern(geometric(PS_DOT, PS_ENDCAP_SQUARE), 5, 1), (P{0, 10}));
    EXPECT_EQ(GeometricDash::Pattern(geometric(PS_DASHDOT, PS_ENDCAP_SQUARE), 2, 1), (P{4, 4, 0, 4}));
}

TEST(GeometricDash, UserStylesAreLogicalLengthsWithoutCapShortening)
{
    using P = std::vector<int>;
    EXPECT_EQ(GeometricDash::Pattern(geometric(PS_USERSTYLE, PS_ENDCAP_ROUND, {10, 5, 2, 5}), 8, 1), (P{10, 5, 2, 5}));
    EXPECT_EQ(GeometricDash::Pattern(geometric(PS_USERSTYLE, PS_ENDCAP_FLAT, {10, 5}), 8, 0.5), (P{5, 3}));
    // An odd count repeats with dashes and gaps swapped.
    EXPECT_EQ(GeometricDash::Pattern(geometric(PS_USERSTYLE, PS_ENDCAP_FLAT, {8, 4, 2}), 8, 1), (P{8, 4, 2, 8, 4, 2}));
}

TEST(GeometricDash, OnlyWideGeometricDashedPensHaveAPattern)
{
    EXPECT_TRUE(GeometricDash::Pattern(geometric(PS_SOLID, PS_ENDCAP_FLAT), 5, 1).empty());
    EXPECT_TRUE(GeometricDash::Pattern(geometric(PS_DASH, PS_ENDCAP_FLAT), 1, 1).empty());
    EXPECT_TRUE(GeometricDash::Pattern(GdiPen(PS_DASH, 5, 0), 5, 1).empty());
    EXPECT_TRUE(GeometricDash::Pattern(geometric(PS_USERSTYLE, PS_ENDCAP_FLAT, {0, 0}), 5, 1).empty());
    EXPECT_TRUE(GeometricDash::Pattern(geometric(PS_USERSTYLE, PS_ENDCAP_FLAT, {}), 5, 1).empty());
    // Huge entries and scales stay within the device's coordinate range.
    const auto huge = GeometricDash::Pattern(geometric(PS_USERSTYLE, PS_ENDCAP_FLAT, {0xFFFFFFFF, 1}), 5, 1e300);
    ASSERT_EQ(huge.size(), 2u);
    EXPECT_LE(huge[0], 1 << 24);
}

TEST(GeometricDash, APatternStartsWithADashAtEachFigureAndEndsWhereTheLineEnds)
{
    GeometricDash dash({15, 5});
    const auto line = dash.Figure({{0, 0}, {40, 0}}, false);
    ASSERT_EQ(line.size(), 3u);
    EXPECT_EQ(ends(line[0]), (std::vector<QPoint>{{0, 0}, {15, 0}}));
    EXPECT_EQ(ends(line[1]), (std::vector<QPoint>{{20, 0}, {35, 0}}));
    // The next dash begins at the very end: a dash of no length there.
    EXPECT_EQ(ends(line[2]), (std::vector<QPoint>{{40, 0}, {40, 0}}));
    EXPECT_EQ(line[2].startDirection, QPoint(40, 0));
    // Going up instead: the same pattern from the figure's own start.
    const auto up = dash.Figure({{0, 30}, {0, 0}}, false);
    ASSERT_EQ(up.size(), 2u);
    EXPECT_EQ(ends(up[0]), (std::vector<QPoint>{{0, 30}, {0, 15}}));
    EXPECT_EQ(ends(up[1]), (std::vector<QPoint>{{0, 10}, {0, 0}}));
}

TEST(GeometricDash, ThePatternRunsOnAcrossCorners)
{
    GeometricDash dash({15, 5});
    const auto d = dash.Figure({{0, 0}, {10, 0}, {10, 20}}, false);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].points, (std::vector<QPoint>{{0, 0}, {10, 0}, {10, 5}}));
    EXPECT_EQ(d[0].startDirection, QPoint(10, 0));
    EXPECT_EQ(d[0].endDirection, QPoint(0, 20));
    EXPECT_EQ(ends(d[1]), (std::vector<QPoint>{{10, 10}, {10, 20}}));
}

TEST(GeometricDash, DiagonalsAreCutInWholePixels)
{
    GeometricDash dash({4, 2});
    // Boundaries fall toward the start, and what is left of the segment
    // after its last boundary loses its fraction: the dash that runs on
    // from (8, 8) is 2.8 pixels long on the diagonal plus 2 beyond it.
    const auto d = dash.Figure({{0, 0}, {10, 10}, {20, 10}}, false);
    ASSERT_GE(d.size(), 3u);
    EXPECT_EQ(ends(d[0]), (std::vector<QPoint>{{0, 0}, {2, 2}}));
    EXPECT_EQ(ends(d[1]), (std::vector<QPoint>{{4, 4}, {7, 7}}));
    EXPECT_EQ(d[2].points, (std::vector<QPoint>{{8, 8}, {10, 10}, {12, 10}}));
}

TEST(GeometricDash, AClosedFigureJoinsItsLastDashToItsFirst)
{
    GeometricDash dash({15, 5});
    // Perimeter 62: dashes from 0, 20, 40 and 60, the last one running
    // through the starting point into the first.
    const auto d = dash.Figure({{0, 0}, {20, 0}, {20, 11}, {0, 11}}, true);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(ends(d[0]), (std::vector<QPoint>{{20, 0}, {16, 11}}));
    EXPECT_EQ(ends(d[1]), (std::vector<QPoint>{{11, 11}, {0, 7}}));
    EXPECT_EQ(d[2].points, (std::vector<QPoint>{{0, 2}, {0, 0}, {15, 0}}));
    // When the figure ends in a gap the first dash stands alone.
    const auto gap = dash.Figure({{0, 0}, {20, 0}, {20, 8}, {0, 8}}, true);
    ASSERT_FALSE(gap.empty());
    EXPECT_EQ(gap.back().points, (std::vector<QPoint>{{0, 0}, {15, 0}}));
}

TEST(GeometricDash, StrokeRestartsAtEachFigureAndShapesTheEnds)
{
    GdiPath path;
    path.MoveTo(QPointF(0, 0));
    path.LineTo(QPointF(18, 0));
    path.MoveTo(QPointF(0, 10));
    path.LineTo(QPointF(18, 10));
    QPainterPath flat;
    ASSERT_TRUE(GeometricDash({15, 5}).Stroke(path, PS_ENDCAP_FLAT, 5, &flat));
    // One dash per figure, each from its figure's start.
    ASSERT_EQ(flat.elementCount(), 4);
    EXPECT_EQ(QPointF(flat.elementAt(2)), QPointF(0, 10));
    EXPECT_EQ(QPointF(flat.elementAt(3)), QPointF(15, 10));

    // Square ends lie within the dash, so that a dash of no length keeps
    // its direction; a round one of no length gets a trace of length.
    GdiPath dot;
    dot.MoveTo(QPointF(0, 0));
    dot.LineTo(QPointF(0, 20));
    QPainterPath square, round, none;
    ASSERT_TRUE(GeometricDash({0, 10}).Stroke(dot, PS_ENDCAP_SQUARE, 4, &square));
    // Only the first: a skip of a whole period stays where it is, so such a
    // pattern (dots with caps) stays in its gap to the end of the segment.
    ASSERT_EQ(square.elementCount(), 2);
    EXPECT_EQ(QPointF(square.elementAt(0)), QPointF(0, -2));
    EXPECT_EQ(QPointF(square.elementAt(1)), QPointF(0, 2));
    ASSERT_TRUE(GeometricDash({0, 10}).Stroke(dot, PS_ENDCAP_ROUND, 4, &round));
    ASSERT_EQ(round.elementCount(), 2);
    EXPECT_GT(QLineF(round.elementAt(0), round.elementAt(1)).length(), 0);
    ASSERT_TRUE(GeometricDash({0, 10}).Stroke(dot, PS_ENDCAP_FLAT, 4, &none));
    EXPECT_EQ(none.elementCount(), 0);
}

TEST(GeometricDash, AnUnreasonableNumberOfDashesIsRefused)
{
    GdiPath path;
    path.MoveTo(QPointF(-16000000, 0));
    path.LineTo(QPointF(16000000, 0));
    QPainterPath out;
    EXPECT_FALSE(GeometricDash({1, 1}).Stroke(path, PS_ENDCAP_FLAT, 2, &out));
    // A pattern of nothing but zeros draws solid rather than looping.
    const auto solid = GeometricDash({0, 0}).Figure({{0, 0}, {100, 0}}, false);
    ASSERT_EQ(solid.size(), 1u);
    EXPECT_EQ(ends(solid[0]), (std::vector<QPoint>{{0, 0}, {100, 0}}));
}
