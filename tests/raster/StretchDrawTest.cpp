// Stretch-drawing through a device context: sharp pixels when enlarging,
// smooth when reducing, each source pixel where it belongs, and only the
// visible part handed to the device.
#include "DrawSurface.h"
#include "RasterFixture.h"

#include "raster/CRasterImage.h"

#include <set>

namespace {

// An 8 x 8 image of distinct colours, so that every pixel shows where it went.
QImage distinctColours(int size = 8)
{
    QImage img(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            img.setPixel(x, y, qRgb(x * 255 / (size - 1), y * 255 / (size - 1), (x + y) % 2 ? 255 : 0));
    return img;
}

// The expected picture of an enlargement by whole factor, shifted by origin.
void expectNearestNeighbour(const QImage& got, const QImage& src, int factor, QPoint origin, const QRect& area)
{
    int wrong = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const int sx = (x - origin.x()) / factor, sy = (y - origin.y()) / factor;
            if (sx < 0 || sy < 0 || sx >= src.width() || sy >= src.height())
                continue;
            if (got.pixel(x, y) != src.pixel(sx, sy) && ++wrong <= 5)
                ADD_FAILURE() << "device pixel " << x << "," << y << " is not source pixel " << sx << "," << sy;
        }
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace

class StretchDraw : public RasterFixture {
protected:
    CRasterImage Load(const QImage& image)
    {
        CRasterImage img;
        EXPECT_TRUE(img.Load(WriteQt(image, "src.png", "png"), RASTER_FORMAT_PNG));
        return img;
    }
};

TEST_F(StretchDraw, EnlargingKeepsPixelsSharp)
{
    const QImage src = distinctColours();
    const CRasterImage img = Load(src);
    DrawSurface s(400, 400);
    MapImageFrame(*s.dc, src.size(), 400, 400);
    ASSERT_EQ(img.Draw2(s.dc.get(), CRect(0, 0, 8, 8)), 1);
    expectNearestNeighbour(s.Pixels(), src, 50, {0, 0}, QRect(0, 0, 400, 400));
}

TEST_F(StretchDraw, EnlargingAScrolledImageKeepsItsPixelGrid)
{
    // Scrolled by 30 pixels: the first visible source column shows only its
    // last 20 device pixels.
    const QImage src = distinctColours();
    const CRasterImage img = Load(src);
    DrawSurface s(160, 120);
    MapImageFrame(*s.dc, src.size(), 400, 400, CPoint(-30, -45));
    ASSERT_EQ(img.Draw2(s.dc.get(), CRect(0, 0, 8, 8)), 1);
    expectNearestNeighbour(s.Pixels(), src, 50, {-30, -45}, QRect(0, 0, 160, 120));
}

TEST_F(StretchDraw, EnlargingInsideAClipKeepsThePixelGrid)
{
    const QImage src = distinctColours();
    const CRasterImage img = Load(src);
    DrawSurface s(400, 400);
    MapImageFrame(*s.dc, src.size(), 400, 400);
    // Clip rectangles are given in logical units: 1.5 to 5.5 source pixels.
    s.dc->SetMapMode(MM_TEXT);
    s.dc->SetViewportOrg(0, 0);
    s.dc->IntersectClipRect(75, 75, 275, 275);
    MapImageFrame(*s.dc, src.size(), 400, 400);
    ASSERT_EQ(img.Draw2(s.dc.get(), CRect(0, 0, 8, 8)), 1);
    const QImage& got = s.Pixels();
    expectNearestNeighbour(got, src, 50, {0, 0}, QRect(75, 75, 200, 200));
    EXPECT_EQ(got.pixel(74, 100), qRgb(128, 0, 128)); // outside the clip: untouched
    EXPECT_EQ(got.pixel(275, 100), qRgb(128, 0, 128));
}

TEST_F(StretchDraw, ReducingIsSmooth)
{
    // One-pixel black and white checks, reduced ten times: grey, not a
    // sample of black or white pixels.
    QImage checks(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            checks.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const CRasterImage img = Load(checks);
    DrawSurface s(20, 20);
    MapImageFrame(*s.dc, checks.size(), 20, 20);
    ASSERT_EQ(img.Draw2(s.dc.get(), CRect(0, 0, 200, 200)), 1);
    const QImage& got = s.Pixels();
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const int grey = qGreen(got.pixel(x, y));
            EXPECT_GT(grey, 96) << x << "," << y;
            EXPECT_LT(grey, 160) << x << "," << y;
        }
    }
}

TEST_F(StretchDraw, ADestinationRunningBackwardsMirrors)
{
    const QImage src = Quadrants(2, 2);
    const CRasterImage img = Load(src);
    DrawSurface s(100, 100);
    MapImageFrame(*s.dc, src.size(), 100, 100);
    ASSERT_EQ(img.Draw2(s.dc.get(), CRect(2, 0, 0, 2)), 1);
    const QImage& got = s.Pixels();
    EXPECT_EQ(got.pixel(10, 10), qRgb(0, 255, 0));   // right half shown left
    EXPECT_EQ(got.pixel(90, 10), qRgb(255, 0, 0));
    EXPECT_EQ(got.pixel(10, 90), qRgb(255, 255, 255));
}

TEST_F(StretchDraw, OddRatiosCutOnlyAtWholeLogicalUnits)
{
    // 30 source pixels over 100 logical units, 1:1 onto the device: the part
    // drawn under a clip must match the same area of an unclipped drawing.
    const QImage src = distinctColours(30);
    const CRasterImage img = Load(src);
    DrawSurface whole(100, 100), part(100, 100);
    ASSERT_EQ(img.Draw2(whole.dc.get(), CRect(0, 0, 100, 100)), 1);
    part.dc->IntersectClipRect(41, 17, 77, 52);
    ASSERT_EQ(img.Draw2(part.dc.get(), CRect(0, 0, 100, 100)), 1);
    const QImage& a = whole.Pixels();
    const QImage& b = part.Pixels();
    for (int y = 17; y < 52; ++y)
        for (int x = 41; x < 77; ++x)
            ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << x << "," << y;
}

TEST_F(StretchDraw, NothingToDrawWith)
{
    const CRasterImage img = Load(Quadrants(4, 4));
    DrawSurface s(10, 10);
    EXPECT_EQ(img.Draw2(nullptr, CRect(0, 0, 4, 4)), 0);
    EXPECT_EQ(img.Draw2(s.dc.get(), CRect(0, 0, 0, 4)), 0);
    EXPECT_EQ(CRasterImage().Draw2(s.dc.get(), CRect(0, 0, 4, 4)), 0);
    // Entirely outside the device: drawn, as far as anything is visible.
    EXPECT_EQ(img.Draw2(s.dc.get(), CRect(50, 50, 54, 54)), 1);
    EXPECT_EQ(s.Pixels().pixel(5, 5), qRgb(128, 0, 128));
}
