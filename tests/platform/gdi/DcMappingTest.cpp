#include "platform/gdi/CDC.h"
#include "tests/platform/gdi/RecordingBackend.h"

#include <gtest/gtest.h>

namespace {

// A 1000 x 1000 pixel device at 100 dpi: 254 mm on a side.
std::unique_ptr<CDC> makeDC() { return std::make_unique<CDC>(std::make_unique<RecordingBackend>(1000, 1000, 100)); }

CPoint toDevice(const CDC& dc, int x, int y)
{
    POINT p(x, y);
    dc.LPtoDP(&p);
    return p;
}

} // namespace

TEST(DcMapping, MetricModesUseTheDeviceSizeAndFlipY)
{
    auto dc = makeDC();
    EXPECT_EQ(dc->SetMapMode(MM_LOMETRIC), MM_TEXT);
    // 254 mm over 1000 pixels: 0.1 mm is 1000 / 2540 pixel, y grows upwards.
    EXPECT_EQ(dc->GetWindowExt(), CSize(2540, 2540));
    EXPECT_EQ(dc->GetViewportExt(), CSize(1000, -1000));
    EXPECT_EQ(toDevice(*dc, 254, 254), CPoint(100, -100));
    dc->SetMapMode(MM_HIENGLISH);
    EXPECT_EQ(toDevice(*dc, 1000, -1000), CPoint(100, 100)); // one inch at 100 dpi
    dc->SetMapMode(MM_TWIPS);
    EXPECT_EQ(toDevice(*dc, 1440, 0), CPoint(100, 0));
    dc->SetMapMode(MM_TEXT);
    EXPECT_EQ(toDevice(*dc, 7, 9), CPoint(7, 9));
}

TEST(DcMapping, ExtentsOnlyChangeInScalableModes)
{
    auto dc = makeDC();
    dc->SetWindowExt(10, 10); // ignored in MM_TEXT
    EXPECT_EQ(dc->GetWindowExt(), CSize(1, 1));
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(200, 100);
    dc->SetViewportExt(100, 400);
    EXPECT_EQ(toDevice(*dc, 200, 100), CPoint(100, 400));
    // Choosing the same scalable mode again keeps the extents.
    dc->SetMapMode(MM_ANISOTROPIC);
    EXPECT_EQ(dc->GetWindowExt(), CSize(200, 100));
    // A zero extent is refused.
    EXPECT_EQ(dc->SetWindowExt(0, 5), CSize());
    EXPECT_EQ(dc->GetWindowExt(), CSize(200, 100));
    dc->ScaleViewportExt(1, 2, 3, 4);
    EXPECT_EQ(dc->GetViewportExt(), CSize(50, 300));
}

TEST(DcMapping, IsotropicFixUpShrinksTheLargerViewportExtent)
{
    auto dc = makeDC();
    dc->SetMapMode(MM_ISOTROPIC);
    dc->SetWindowExt(100, 100);
    dc->SetViewportExt(400, -200);
    // Square pixels: one unit must cover the same distance on both axes.
    EXPECT_EQ(dc->GetViewportExt(), CSize(200, -200));
    EXPECT_EQ(toDevice(*dc, 100, 100), CPoint(200, -200));
    dc->SetViewportExt(50, 300);
    EXPECT_EQ(dc->GetViewportExt(), CSize(50, 50));
}

TEST(DcMapping, WorldTransformNeedsAdvancedModeAndComposesInOrder)
{
    auto dc = makeDC();
    const XFORM scale{2, 0, 0, 2, 0, 0};
    const XFORM shift{1, 0, 0, 1, 10, 0};
    EXPECT_FALSE(dc->SetWorldTransform(&scale)); // compatible mode
    dc->SetGraphicsMode(GM_ADVANCED);
    EXPECT_TRUE(dc->SetWorldTransform(&scale));
    EXPECT_EQ(toDevice(*dc, 5, 5), CPoint(10, 10));
    // Left-multiplying applies the new transform first: (5+10)*2.
    EXPECT_TRUE(dc->ModifyWorldTransform(&shift, MWT_LEFTMULTIPLY));
    EXPECT_EQ(toDevice(*dc, 5, 0), CPoint(30, 0));
    EXPECT_TRUE(dc->SetWorldTransform(&scale));
    EXPECT_TRUE(dc->ModifyWorldTransform(&shift, MWT_RIGHTMULTIPLY)); // 5*2+10
    EXPECT_EQ(toDevice(*dc, 5, 0), CPoint(20, 0));
    // Back to compatible mode only after the identity.
    EXPECT_EQ(dc->SetGraphicsMode(GM_COMPATIBLE), 0);
    const XFORM singular{0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(dc->SetWorldTransform(&singular));
    EXPECT_TRUE(dc->ModifyWorldTransform(nullptr, MWT_IDENTITY));
    EXPECT_EQ(dc->SetGraphicsMode(GM_COMPATIBLE), GM_ADVANCED);
    // The world transform plays no part in compatible mode.
    EXPECT_EQ(toDevice(*dc, 5, 0), CPoint(5, 0));
}

TEST(DcMapping, DPtoLPInvertsTheMapping)
{
    auto dc = makeDC();
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowOrg(100, 100);
    dc->SetWindowExt(1000, 1000);
    dc->SetViewportOrg(50, 60);
    dc->SetViewportExt(500, -500);
    POINT p(300, 300);
    dc->LPtoDP(&p);
    EXPECT_EQ(p, POINT(150, -40));
    dc->DPtoLP(&p);
    EXPECT_EQ(p, POINT(300, 300));
}

TEST(DcState, SaveAndRestoreRelativeAndAbsolute)
{
    auto dc = makeDC();
    EXPECT_EQ(dc->SaveDC(), 1);
    dc->SetMapMode(MM_LOMETRIC);
    dc->SetROP2(R2_XORPEN);
    EXPECT_EQ(dc->SaveDC(), 2);
    dc->SetBkColor(RGB(1, 2, 3));
    dc->IntersectClipRect(0, 0, 10, 10);
    EXPECT_EQ(dc->SaveDC(), 3);
    dc->SetTextColor(RGB(9, 9, 9));
    EXPECT_TRUE(dc->RestoreDC(-1)); // back to the state of level 3
    EXPECT_EQ(dc->GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(dc->GetBkColor(), RGB(1, 2, 3));
    EXPECT_EQ(dc->SaveLevel(), 2);
    EXPECT_TRUE(dc->RestoreDC(1)); // absolute: the first saved state
    EXPECT_EQ(dc->GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc->GetROP2(), R2_COPYPEN);
    EXPECT_FALSE(dc->EffectiveClip().has_value());
    EXPECT_EQ(dc->SaveLevel(), 0);
    EXPECT_FALSE(dc->RestoreDC(-1)); // nothing left
    EXPECT_FALSE(dc->RestoreDC(0));
    EXPECT_FALSE(dc->RestoreDC(5));
}

TEST(DcState, AttributeSettersRejectValuesOutsideTheirRange)
{
    auto dc = makeDC();
    EXPECT_EQ(dc->SetROP2(17), 0);
    EXPECT_EQ(dc->SetROP2(R2_NOT), R2_COPYPEN);
    EXPECT_EQ(dc->SetBkMode(3), 0);
    EXPECT_EQ(dc->SetPolyFillMode(WINDING), ALTERNATE);
    EXPECT_EQ(dc->SetArcDirection(0), 0);
    EXPECT_EQ(dc->SetMapMode(9), 0);
    EXPECT_FALSE(dc->SetMiterLimit(0.5f));
    float old = 0;
    EXPECT_TRUE(dc->SetMiterLimit(4, &old));
    EXPECT_EQ(old, 10.0f);
}
