#include "platform/gdi/CDC.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/ScanlineFiller.h"
#include "tests/platform/gdi/RecordingBackend.h"

#include <gtest/gtest.h>

TEST(Regions, CombineModesAndQueries)
{
    CRgn a, b, r;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    r.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(r.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
    RECT box;
    r.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    EXPECT_EQ(r.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(r.CombineRgn(&a, &b, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(r.PtInRegion(7, 7));
    EXPECT_TRUE(r.PtInRegion(2, 7));
    EXPECT_EQ(r.CombineRgn(&a, &a, RGN_XOR), NULLREGION);
    EXPECT_EQ(r.CombineRgn(&a, nullptr, RGN_AND), RGN_ERROR);
    EXPECT_EQ(r.OffsetRgn(3, 4), NULLREGION);
    // Unnormalized rectangles are normalized; empty ones make empty regions.
    CRgn c;
    c.CreateRectRgn(10, 10, 0, 0);
    c.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 10, 10));
}

TEST(Regions, RectanglesInAnyOrderMakeTheSameRegion)
{
    // Banded data (as the platform writes it) and the same rectangles
    // shuffled and overlapping must cover the same pixels.
    const std::vector<RECT> banded = {{0, 0, 5, 2}, {8, 0, 12, 2}, {0, 2, 12, 6}};
    const std::vector<RECT> shuffled = {{0, 2, 12, 6}, {8, 0, 12, 2}, {0, 0, 5, 2}, {1, 3, 4, 5}};
    EXPECT_EQ(RegionFromRects(banded), RegionFromRects(shuffled));
    EXPECT_EQ(RegionFromRects(banded).boundingRect(), QRect(0, 0, 12, 6));
    EXPECT_TRUE(RegionFromRects({{5, 5, 5, 9}}).isEmpty());
}

namespace {

// The pixels the filler fills, and how many of them differ from want.
int fillDifference(const std::vector<QPointF>& points, const std::vector<size_t>& ends, Qt::FillRule rule,
                   const QRegion& want, QRegion* filled)
{
    const std::atomic<bool> cancel{false};
    EXPECT_TRUE(ScanlineFiller::Fill(points, ends, rule, QRect(0, 0, 200, 100), cancel,
                                     [&](const QRegion& band) { *filled += band; }));
    int differ = 0;
    for (const QRect& r : filled->xored(want))
        differ += r.width() * r.height();
    return differ;
}

} // namespace

TEST(ScanlineFiller, MatchesQtsAliasedFillRules)
{
    // A pentagram: the centre has winding number 2, so the rules differ.
    const QPolygonF star({QPointF(50, 5), QPointF(79, 95), QPointF(3, 39), QPointF(97, 39), QPointF(21, 95)});
    const std::vector<QPointF> points(star.begin(), star.end());
    for (Qt::FillRule rule : {Qt::OddEvenFill, Qt::WindingFill}) {
        QRegion filled;
        // The same pixels but for rounding along the edges.
        EXPECT_LT(fillDifference(points, {points.size()}, rule, QRegion(star.toPolygon(), rule), &filled), 40)
            << rule;
        EXPECT_EQ(filled.contains(QPoint(50, 55)), rule == Qt::WindingFill);
        EXPECT_TRUE(filled.contains(QPoint(50, 20)));
    }
    std::atomic<bool> cancelled{true};
    EXPECT_FALSE(ScanlineFiller::Fill(points, std::vector<size_t>{points.size()}, Qt::OddEvenFill,
                                      QRect(0, 0, 100, 100), cancelled, [](const QRegion&) {}));
}

TEST(ScanlineFiller, EachFigureClosesOnItsOwnStart)
{
    // A square with a square inside it (same direction) and a triangle away
    // from both: a closing edge drawn to another figure's start would fill a
    // wedge between them.
    const std::vector<QPointF> points = {QPointF(10, 10),  QPointF(90, 10),  QPointF(90, 90), QPointF(10, 90),
                                         QPointF(30, 30),  QPointF(70, 30),  QPointF(70, 70), QPointF(30, 70),
                                         QPointF(120, 20), QPointF(180, 20), QPointF(150, 80)};
    const std::vector<size_t> ends = {4, 8, 11};
    const QRegion outer(QRect(10, 10, 80, 80)), inner(QRect(30, 30, 40, 40));
    const QRegion triangle(QPolygon({QPoint(120, 20), QPoint(180, 20), QPoint(150, 80)}));
    QRegion oddEven, winding;
    EXPECT_LT(fillDifference(points, ends, Qt::OddEvenFill, outer.subtracted(inner) + triangle, &oddEven), 70);
    EXPECT_LT(fillDifference(points, ends, Qt::WindingFill, outer + triangle, &winding), 70);
    EXPECT_FALSE(oddEven.contains(QPoint(50, 50)));
    EXPECT_TRUE(winding.contains(QPoint(50, 50)));
    EXPECT_FALSE(winding.contains(QPoint(105, 50))) << "nothing between the figures";
}

TEST(Paths, FlattenKeepsClosedFiguresAndEndPoints)
{
    GdiPath p;
    p.MoveTo(QPointF(0, 0));
    p.BezierTo(QPointF(0, 100), QPointF(100, 100), QPointF(100, 0));
    p.CloseFigure();
    p.MoveTo(QPointF(200, 0));
    p.LineTo(QPointF(300, 0));
    p.Flatten();
    const auto& t = p.Types();
    const auto& pts = p.Points();
    ASSERT_GT(p.Size(), 10u);
    for (BYTE type : t)
        EXPECT_NE(type & ~PT_CLOSEFIGURE, PT_BEZIERTO);
    const auto secondMove = std::find(t.begin() + 1, t.end(), PT_MOVETO) - t.begin();
    EXPECT_EQ(pts[size_t(secondMove) - 1], QPointF(100, 0)) << "the curve ends where it did";
    EXPECT_TRUE(t[size_t(secondMove) - 1] & PT_CLOSEFIGURE);
    EXPECT_FALSE(t.back() & PT_CLOSEFIGURE);
}

TEST(Paths, WidenPathTurnsTheOutlineIntoAFillablePath)
{
    CDC dc(std::make_unique<RecordingBackend>());
    LOGBRUSH lb{BS_SOLID, 0, 0};
    dc.SelectObject(ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT, 10, &lb, 0, nullptr));
    dc.BeginPath();
    dc.MoveTo(0, 50);
    dc.LineTo(100, 50);
    dc.EndPath();
    EXPECT_TRUE(dc.WidenPath());
    std::vector<POINT> pts;
    dc.GetPath(&pts, nullptr);
    LONG top = 1000, bottom = -1000;
    for (const POINT& p : pts) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    EXPECT_EQ(top, 45);
    EXPECT_EQ(bottom, 55);
    DeleteObject(dc.SelectObject(GetStockObject(BLACK_PEN)));
}

TEST(Paths, SelectClipPathCombinesWithTheClip)
{
    auto backend = std::make_unique<RecordingBackend>();
    RecordingBackend* rec = backend.get();
    CDC dc(std::move(backend));
    dc.IntersectClipRect(0, 0, 50, 100);
    dc.BeginPath();
    dc.Rectangle(25, 0, 76, 101);
    dc.EndPath();
    EXPECT_TRUE(dc.SelectClipPath(RGN_AND));
    dc.LineTo(1, 1);
    ASSERT_TRUE(rec->calls.back().clip.has_value());
    EXPECT_EQ(rec->calls.back().clip->boundingRect(), QRect(25, 0, 25, 100));
    EXPECT_FALSE(dc.SelectClipPath(RGN_AND) && dc.GetPath(nullptr, nullptr) > 0) << "the path is consumed";
}
