#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "tests/platform/gdi/RecordingBackend.h"

#include <gtest/gtest.h>
#include <chrono>
#include <thread>

namespace {

struct Fixture {
    RecordingBackend* rec;
    std::unique_ptr<CDC> dc;
    Fixture()
    {
        auto backend = std::make_unique<RecordingBackend>();
        rec = backend.get();
        dc = std::make_unique<CDC>(std::move(backend));
    }
};

QRectF bounds(const RecordedCall& c) { return c.path.boundingRect(); }

} // namespace

TEST(CDCDraw, LinesStrokeWithThePenAndMoveTheCurrentPosition)
{
    Fixture f;
    f.dc->MoveTo(10, 10);
    EXPECT_TRUE(f.dc->LineTo(50, 20));
    EXPECT_EQ(f.dc->GetCurrentPosition(), CPoint(50, 20));
    const POINT pts[] = {{0, 0}, {100, 0}, {100, 100}};
    EXPECT_TRUE(f.dc->Polyline(pts, 3));
    EXPECT_EQ(f.dc->GetCurrentPosition(), CPoint(50, 20)); // Polyline leaves it
    EXPECT_TRUE(f.dc->PolylineTo(pts, 3));
    EXPECT_EQ(f.dc->GetCurrentPosition(), CPoint(100, 100));
    ASSERT_EQ(f.rec->calls.size(), 3u);
    for (const auto& c : f.rec->calls) {
        EXPECT_EQ(c.kind, RecordedCall::Stroke);
        EXPECT_EQ(c.color, QColor(Qt::black)); // the default pen
        EXPECT_EQ(c.penWidth, 0);              // cosmetic
    }
    EXPECT_EQ(bounds(f.rec->calls[0]), QRectF(10, 10, 40, 10));
    EXPECT_FALSE(f.dc->Polyline(pts, 1)); // a polyline needs two points
}

TEST(CDCDraw, RectangleExcludesRightAndBottomOnlyInCompatibleMode)
{
    Fixture f;
    f.dc->Rectangle(10, 10, 20, 30);
    ASSERT_EQ(f.rec->calls.size(), 2u); // fill, then outline
    EXPECT_EQ(f.rec->calls[0].kind, RecordedCall::Fill);
    EXPECT_EQ(f.rec->calls[0].color, QColor(Qt::white));
    EXPECT_EQ(bounds(f.rec->calls[1]), QRectF(10, 10, 9, 19));
    f.rec->calls.clear();
    f.dc->SetGraphicsMode(GM_ADVANCED);
    f.dc->Rectangle(10, 10, 20, 30);
    EXPECT_EQ(bounds(f.rec->calls[1]), QRectF(10, 10, 10, 20));
}

TEST(CDCDraw, NullPenAndNullBrushDrawNothing)
{
    Fixture f;
    f.dc->SelectStockObject(NULL_PEN);
    f.dc->SelectStockObject(NULL_BRUSH);
    f.dc->Ellipse(0, 0, 50, 50);
    const POINT pts[] = {{0, 0}, {10, 0}, {10, 10}};
    f.dc->Polygon(pts, 3);
    EXPECT_TRUE(f.rec->calls.empty());
}

TEST(CDCDraw, PenWidthFollowsTheTransformUnlessCosmetic)
{
    Fixture f;
    f.dc->SetMapMode(MM_ANISOTROPIC);
    f.dc->SetWindowExt(1, 1);
    f.dc->SetViewportExt(4, 4);
    CPen wide(PS_SOLID, 3, RGB(255, 0, 0));
    CPen* old = f.dc->SelectObject(&wide);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->m_hObject, GetStockObject(BLACK_PEN));
    f.dc->LineTo(10, 10);
    LOGBRUSH lb{BS_SOLID, RGB(0, 0, 255), 0};
    HPEN cosmetic = ExtCreatePen(PS_COSMETIC | PS_DOT, 1, &lb, 0, nullptr);
    f.dc->SelectObject(cosmetic);
    f.dc->LineTo(20, 20);
    ASSERT_EQ(f.rec->calls.size(), 2u);
    EXPECT_EQ(f.rec->calls[0].penWidth, 12);
    EXPECT_EQ(f.rec->calls[0].color, QColor(255, 0, 0));
    EXPECT_EQ(f.rec->calls[1].penWidth, 0);
    EXPECT_EQ(f.rec->calls[1].penStyle, Qt::CustomDashLine);
    f.dc->SelectObject(old);
    DeleteObject(cosmetic);
}

TEST(CDCDraw, ADeletedSelectedObjectStaysUsableUntilDeselected)
{
    Fixture f;
    HBRUSH brush = CreateSolidBrush(RGB(0, 128, 0));
    f.dc->SelectObject(brush);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush)) << "a second delete fails";
    f.dc->Rectangle(0, 0, 10, 10);
    EXPECT_EQ(f.rec->calls.at(0).color, QColor(0, 128, 0));
    EXPECT_EQ(f.dc->SelectObject(GetStockObject(WHITE_BRUSH)), brush);
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH))) << "stock objects ignore deletion";
}

TEST(CDCDraw, PathsCollectFiguresAndDrawThemOnce)
{
    Fixture f;
    EXPECT_TRUE(f.dc->BeginPath());
    f.dc->MoveTo(0, 0);
    f.dc->LineTo(100, 0);
    f.dc->LineTo(100, 100);
    f.dc->CloseFigure();
    f.dc->Rectangle(200, 200, 300, 300);
    EXPECT_TRUE(f.rec->calls.empty()) << "nothing is drawn while the path is open";
    EXPECT_FALSE(f.dc->FillPath()) << "the path is still open";
    EXPECT_TRUE(f.dc->EndPath());
    std::vector<POINT> points;
    std::vector<BYTE> types;
    EXPECT_EQ(f.dc->GetPath(&points, &types), 7);
    EXPECT_EQ(types[0], PT_MOVETO);
    EXPECT_EQ(types[2], PT_LINETO | PT_CLOSEFIGURE);
    EXPECT_TRUE(f.dc->StrokeAndFillPath());
    ASSERT_EQ(f.rec->calls.size(), 2u);
    EXPECT_EQ(f.rec->calls[0].kind, RecordedCall::Fill);
    EXPECT_EQ(f.rec->calls[0].path.boundingRect(), QRectF(0, 0, 299, 299));
    EXPECT_EQ(f.dc->GetPath(nullptr, nullptr), 0) << "drawing a path consumes it";
}

TEST(CDCDraw, ClipIsKeptInDeviceSpaceAndSavedWithTheState)
{
    Fixture f;
    f.dc->SetMapMode(MM_ANISOTROPIC);
    f.dc->SetViewportExt(2, 2);
    f.dc->IntersectClipRect(10, 10, 60, 60);
    f.dc->SaveDC();
    f.dc->ExcludeClipRect(10, 10, 20, 20);
    // The viewport scale applies when the clip is set, not later.
    f.dc->SetViewportExt(10, 10);
    f.dc->LineTo(1, 1);
    QRegion expected(20, 20, 100, 100);
    expected -= QRegion(20, 20, 20, 20);
    EXPECT_EQ(*f.rec->calls.back().clip, expected);
    f.dc->RestoreDC(-1);
    f.dc->LineTo(2, 2);
    EXPECT_EQ(*f.rec->calls.back().clip, QRegion(20, 20, 100, 100));
    RECT box;
    EXPECT_EQ(f.dc->GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(10, 10, 60, 60)); // logical units of the restored mapping
    // The meta region bounds what later clipping may open up again.
    f.dc->SetMetaRgn();
    f.dc->SelectClipRgn(static_cast<HRGN>(nullptr));
    f.dc->LineTo(3, 3);
    EXPECT_EQ(*f.rec->calls.back().clip, QRegion(20, 20, 100, 100));
}

TEST(CDCDraw, ViewCodeClipsAndClearsWithFrameworkWrappers)
{
    Fixture f;
    CRect update(5, 5, 45, 25);
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgnIndirect(&update));
    f.dc->SelectClipRgn(&rgn);
    CBrush brush;
    brush.CreateSolidBrush(RGB(240, 240, 240));
    CBrush* old = f.dc->SelectObject(&brush);
    EXPECT_TRUE(f.dc->PatBlt(update.left, update.top, update.Width(), update.Height(), PATCOPY));
    f.dc->SelectObject(old);
    ASSERT_EQ(f.rec->calls.size(), 1u);
    EXPECT_EQ(f.rec->calls[0].kind, RecordedCall::Region);
    EXPECT_EQ(f.rec->calls[0].region, QRegion(5, 5, 40, 20));
    EXPECT_EQ(f.rec->calls[0].color, QColor(240, 240, 240));
    EXPECT_EQ(*f.rec->calls[0].clip, QRegion(5, 5, 40, 20));
    EXPECT_EQ(f.dc->GetCurrentObject(OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
}

TEST(CDCDraw, ArcsFollowTheArcDirection)
{
    Fixture f;
    // A quarter from 3 o'clock to 12 o'clock counter-clockwise is the
    // upper-right quarter; clockwise it is the other three quarters.
    f.dc->Arc(0, 0, 101, 101, 100, 50, 50, 0);
    const QRectF ccw = bounds(f.rec->calls.at(0));
    EXPECT_NEAR(ccw.left(), 50, 1);
    EXPECT_NEAR(ccw.bottom(), 50, 1);
    f.dc->SetArcDirection(AD_CLOCKWISE);
    f.dc->Arc(0, 0, 101, 101, 100, 50, 50, 0);
    const QRectF cw = bounds(f.rec->calls.at(1));
    EXPECT_NEAR(cw.left(), 0, 1);
    EXPECT_NEAR(cw.bottom(), 100, 1);
    f.dc->MoveTo(0, 0);
    f.dc->AngleArc(50, 50, 10, 0, 90);
    EXPECT_EQ(f.dc->GetCurrentPosition(), CPoint(50, 40));
}

TEST(CDCDraw, PolyDrawChecksEveryTypeBeforeDrawing)
{
    Fixture f;
    const POINT pts[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const BYTE bad[] = {PT_MOVETO, PT_LINETO, PT_BEZIERTO, PT_LINETO}; // a lone Bezier point
    EXPECT_FALSE(f.dc->PolyDraw(pts, bad, 4));
    EXPECT_TRUE(f.rec->calls.empty());
    const BYTE good[] = {PT_MOVETO, PT_LINETO, PT_LINETO, PT_LINETO | PT_CLOSEFIGURE};
    EXPECT_TRUE(f.dc->PolyDraw(pts, good, 4));
    EXPECT_EQ(f.dc->GetCurrentPosition(), CPoint(0, 0)); // closing returns to the figure's start
}

TEST(CDCDraw, CancelDCStopsAHugePolygonFromAnotherThread)
{
    Fixture f;
    std::vector<POINT> pts(2'000'000);
    for (size_t i = 0; i < pts.size(); ++i)
        pts[i] = POINT(LONG(i % 1000), LONG((i / 1000) % 1000));
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        f.dc->CancelDC();
    });
    f.dc->Polygon(pts.data(), int(pts.size()));
    canceller.join();
    EXPECT_TRUE(f.dc->IsCancelled());
    EXPECT_FALSE(f.dc->LineTo(1, 1)) << "a cancelled DC draws nothing more";
    f.dc->ResetCancel();
    EXPECT_TRUE(f.dc->LineTo(2, 2));
}
