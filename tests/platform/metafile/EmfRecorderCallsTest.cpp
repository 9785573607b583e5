// Direct GDI calls on a recording device context: each becomes its record,
// and the recording plays like the calls made on a real device.
#include "platform/gdi/GdiObjects.h"
#include "platform/metafile/EnhMetaFileDC.h"
#include "tests/platform/metafile/EmfTestSupport.h"

using namespace emftest;

namespace {

enum : uint32_t { EmrSaveDC = 33, EmrRestoreDC = 34, EmrDeleteObject = 40, EmrEllipse = 42, EmrRectangle = 43 };

// The same drawing made with the GDI calls of a device context.
void drawDirectly(CDC& dc)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(500, 500);
    dc.SetViewportOrg(50, 50);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HPEN blue = CreatePen(PS_SOLID, 3, RGB(0, 0, 255));
    dc.SelectObject(red);
    dc.SelectObject(blue);
    dc.Rectangle(5, 5, 45, 45);
    dc.SaveDC();
    dc.IntersectClipRect(0, 0, 75, 75);
    dc.Ellipse(50, 50, 95, 95);
    dc.RestoreDC(-1);
    const POINT line[] = {POINT(5, 95), POINT(50, 60), POINT(95, 95)};
    dc.Polyline(line, 3);
    dc.SelectObject(GetStockObject(BLACK_BRUSH));
    DeleteObject(red);
    dc.Pie(55, 5, 95, 45, 95, 25, 75, 5);
    const RECT box(60, 60, 70, 70);
    dc.FillSolidRect(&box, RGB(0, 200, 0));
    dc.SelectObject(GetStockObject(BLACK_PEN));
    DeleteObject(blue);
    // Regions are in device units.
    HRGN region = CreateRectRgn(600, 100, 700, 200);
    HBRUSH gray = CreateSolidBrush(RGB(128, 128, 128));
    dc.FillRgn(region, gray);
    dc.InvertRgn(region);
    dc.SelectClipRgn(region);
    dc.Ellipse(100, 0, 150, 50); // clipped to the region's top-left corner
    dc.SelectClipRgn(static_cast<HRGN>(nullptr));
    DeleteObject(gray);
    DeleteObject(region);
    const POINT drawn[] = {POINT(10, 150), POINT(40, 150), POINT(40, 180), POINT(10, 180)};
    const BYTE kinds[] = {PT_MOVETO, PT_LINETO, PT_LINETO, BYTE(PT_LINETO | PT_CLOSEFIGURE)};
    dc.PolyDraw(drawn, kinds, 4);
}

} // namespace

TEST(EmfRecorder, DirectCallsOnARecordingContextBecomeRecords)
{
    Reference ref;
    const RECT frame(0, 0, 10000, 10000);
    HDC dc = CreateEnhMetaFile(&ref.dc, QString(), &frame, QString());
    ASSERT_TRUE(dc);
    drawDirectly(*dc);
    EnhMetaFilePtr recorded(CloseEnhMetaFile(dc));
    ASSERT_TRUE(recorded);

    QImage direct(1000, 1000, QImage::Format_RGB32);
    direct.fill(Qt::white);
    {
        CDC out(std::make_unique<QPainterBackend>(&direct));
        drawDirectly(out);
    }
    // The recording stores the rectangle, ellipse and pie one logical unit
    // smaller on the right and bottom, as the platform does; the rest match.
    EXPECT_LT(difference(direct, render(recorded.get(), 1000)), 0.006);
    const auto recs = records(recorded.get());
    EXPECT_EQ(typesOf(recs, {EmrRectangle, EmrEllipse, 4 /* EMR_POLYLINE */, 47 /* EMR_PIE */, 76 /* EMR_BITBLT */}),
              (std::vector<uint32_t>{EmrRectangle, EmrEllipse, 4, 47, 76, EmrEllipse}));
    EXPECT_EQ(typesOf(recs, {EmrSaveDC, EmrRestoreDC}), (std::vector<uint32_t>{EmrSaveDC, EmrRestoreDC}));
    // The red brush was deleted while the black one was selected: its index
    // is given back.
    EXPECT_FALSE(typesOf(recs, {EmrDeleteObject}).empty());
    // The bounds take in the clipped ellipse whole, as the platform's
    // recorder counts a call whatever the clipping, and the region's box as
    // logical coordinates (its last column, 699, lands on 50 + 699 x 5).
    EXPECT_NEAR(recorded->Header().bounds.right, 3545, 1);
    EXPECT_EQ(typesOf(recs, {71 /* EMR_FILLRGN */, 73 /* EMR_INVERTRGN */}), (std::vector<uint32_t>{71, 73}));
    EXPECT_EQ(typesOf(recs, {75 /* EMR_EXTSELECTCLIPRGN */}).size(), 2u);
}

TEST(EmfRecorder, ThePaletteSelectedAtTheEndGoesIntoTheHeader)
{
    HDC dc = CreateEnhMetaFile(nullptr, QString(), nullptr, QString());
    ASSERT_TRUE(dc);
    std::vector<PALETTEENTRY> entries(3);
    entries[1].peRed = 200;
    entries[2].peBlue = 100;
    HPALETTE palette = CreatePalette(entries);
    dc->SelectPalette(palette, FALSE);
    dc->Rectangle(0, 0, 10, 10);
    EnhMetaFilePtr mf(CloseEnhMetaFile(dc));
    DeleteObject(palette);
    ASSERT_TRUE(mf);
    EXPECT_EQ(mf->Header().nPalEntries, 3u);
    const auto recs = records(mf.get());
    ASSERT_EQ(recs.back().type, 14u); // EMR_EOF
    EXPECT_EQ(recs.back().params, (std::vector<uint32_t>{3, 16, 0, 200, 0x640000, 32}));
    EXPECT_FALSE(typesOf(recs, {49 /* EMR_CREATEPALETTE */}).empty());
}

