#include "platform/gdi/BltRenderer.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/QPainterBackend.h"
#include "tests/platform/gdi/DibTestData.h"

#include <gtest/gtest.h>

namespace {

struct Canvas {
    QImage image;
    std::unique_ptr<CDC> dc;
    explicit Canvas(int w, int h, QRgb fill = qRgb(255, 255, 255))
    {
        image = QImage(w, h, QImage::Format_RGB32);
        image.fill(fill);
        dc = std::make_unique<CDC>(std::make_unique<QPainterBackend>(&image));
    }
    QRgb at(int x, int y)
    {
        dc->Flush();
        return image.pixel(x, y) & 0xffffff;
    }
};

// A 2 x 2 24-bit bitmap, top row red and green, bottom row blue and white.
TestDib quad() { return TestDib::Make(2, 2, 24, BI_RGB, {}, {0xff, 0, 0, 0xff, 0xff, 0xff, 0, 0, 0, 0, 0xff, 0, 0xff, 0, 0, 0}); }

} // namespace

TEST(BitmapSpans, EachDevicePixelTakesTheSourcePixelUnderItsCentre)
{
    std::vector<BltRenderer::Span> s;
    // 2 source pixels over 4 device pixels.
    BltRenderer::Spans(0, 4, 0, 2, false, 0, 4, 2, &s);
    EXPECT_EQ(s[0].center, 0);
    EXPECT_EQ(s[1].center, 0);
    EXPECT_EQ(s[2].center, 1);
    EXPECT_EQ(s[3].center, 1);
    // Mirrored.
    BltRenderer::Spans(0, 4, 0, 2, true, 0, 4, 2, &s);
    EXPECT_EQ(s[0].center, 1);
    EXPECT_EQ(s[3].center, 0);
    // 8 source pixels over 2: each covers four.
    BltRenderer::Spans(0, 2, 0, 8, false, 0, 2, 8, &s);
    EXPECT_EQ(s[1].first, 4);
    EXPECT_EQ(s[1].last, 7);
    // A source rectangle partly outside the bitmap: those pixels are not covered.
    BltRenderer::Spans(0, 4, -2, 4, false, 0, 4, 2, &s);
    EXPECT_EQ(s[0].center, -1);
    EXPECT_EQ(s[1].center, -1);
    EXPECT_EQ(s[2].center, 0);
    // Degenerate sizes cover nothing.
    BltRenderer::Spans(0, 0, 0, 2, false, 0, 4, 2, &s);
    EXPECT_EQ(s[0].center, -1);
}

TEST(BitmapOps, SetDIBitsToDeviceDrawsTheScanLinesItHas)
{
    Canvas c(2, 2, qRgb(7, 7, 7));
    auto dib = quad();
    EXPECT_EQ(c.dc->SetDIBitsToDevice(0, 0, 2, 2, 0, 0, 0, 2, dib.Source()), 2);
    EXPECT_EQ(c.at(0, 0), 0xff0000u);
    EXPECT_EQ(c.at(1, 1), 0xffffffu);
    // Only the bottom scan line (0) given: the top row stays.
    Canvas d(2, 2, qRgb(7, 7, 7));
    EXPECT_EQ(d.dc->SetDIBitsToDevice(0, 0, 2, 2, 0, 0, 0, 1, dib.Source()), 1);
    EXPECT_EQ(d.at(0, 0), 0x070707u);
    EXPECT_EQ(d.at(0, 1), 0x0000ffu);
    // Scan line 1 alone, its bits only: the top row.
    auto top = quad();
    top.bits.erase(top.bits.begin(), top.bits.begin() + 8);
    Canvas e(2, 2, qRgb(7, 7, 7));
    EXPECT_EQ(e.dc->SetDIBitsToDevice(0, 0, 2, 2, 0, 0, 1, 1, top.Source()), 1);
    EXPECT_EQ(e.at(1, 0), 0x00ff00u);
    EXPECT_EQ(e.at(1, 1), 0x070707u);
    // The mapping moves the origin but does not scale: one bitmap pixel is one device pixel.
    Canvas f(8, 8, qRgb(7, 7, 7));
    f.dc->SetMapMode(MM_ANISOTROPIC);
    f.dc->SetWindowExt(1, 1);
    f.dc->SetViewportExt(2, 2);
    EXPECT_EQ(f.dc->SetDIBitsToDevice(1, 1, 2, 2, 0, 0, 0, 2, dib.Source()), 2);
    EXPECT_EQ(f.at(2, 2), 0xff0000u);
    EXPECT_EQ(f.at(3, 3), 0xffffffu);
    EXPECT_EQ(f.at(4, 4), 0x070707u);
}

TEST(BitmapOps, PlgBltMapsTheCornersToTheParallelogram)
{
    DibImage img;
    ASSERT_TRUE(quad().Decode(&img));
    Canvas c(4, 4);
    // Rotated a quarter turn: the top-left corner goes to (4, 0), the top-right to (4, 4), the bottom-left to (0, 0).
    const POINT pts[3] = {{4, 0}, {4, 4}, {0, 0}};
    EXPECT_TRUE(c.dc->PlgBlt(pts, img, 0, 0, 2, 2, nullptr, 0, 0));
    EXPECT_EQ(c.at(3, 0), 0xff0000u); // top-left: red
    EXPECT_EQ(c.at(3, 3), 0x00ff00u); // top-right: green
    EXPECT_EQ(c.at(0, 0), 0x0000ffu); // bottom-left: blue
}

TEST(BitmapOps, RotatedWorldTransformsStillDrawTheBitmap)
{
    DibImage img;
    ASSERT_TRUE(quad().Decode(&img));
    Canvas c(20, 20);
    c.dc->SetGraphicsMode(GM_ADVANCED);
    XFORM x;
    x.eM11 = 0, x.eM12 = 1, x.eM21 = -1, x.eM22 = 0, x.eDx = 15, x.eDy = 5; // a quarter turn
    ASSERT_TRUE(c.dc->SetWorldTransform(&x));
    EXPECT_TRUE(c.dc->StretchBlt(0, 0, 10, 10, &img, 0, 0, 2, 2, SRCCOPY));
    // Logical (2, 2) (red) lands at device (13, 7).
    EXPECT_EQ(c.at(13, 7), 0xff0000u);
}

TEST(BitmapOps, ExtFloodFillStopsAtTheBorderOrFollowsTheSurface)
{
    Canvas c(10, 10);
    // A black frame from (2, 2) to (7, 7).
    for (int i = 2; i <= 7; ++i) {
        c.image.setPixel(i, 2, 0xff000000u), c.image.setPixel(i, 7, 0xff000000u);
        c.image.setPixel(2, i, 0xff000000u), c.image.setPixel(7, i, 0xff000000u);
    }
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    c.dc->SelectObject(red);
    EXPECT_TRUE(c.dc->ExtFloodFill(4, 4, RGB(0, 0, 0), FLOODFILLBORDER));
    EXPECT_EQ(c.at(5, 5), 0xff0000u);
    EXPECT_EQ(c.at(2, 4), 0x000000u);
    EXPECT_EQ(c.at(0, 0), 0xffffffu);
    // The surface of white outside the frame.
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    c.dc->SelectObject(blue);
    EXPECT_TRUE(c.dc->ExtFloodFill(0, 0, RGB(255, 255, 255), FLOODFILLSURFACE));
    EXPECT_EQ(c.at(9, 9), 0x0000ffu);
    EXPECT_EQ(c.at(5, 5), 0xff0000u);
    // A start on the border colour fills nothing.
    EXPECT_FALSE(c.dc->ExtFloodFill(2, 2, RGB(0, 0, 0), FLOODFILLBORDER));
    c.dc->SelectStockObject(WHITE_BRUSH);
    DeleteObject(red);
    DeleteObject(blue);
}

TEST(BitmapOps, VectorDevicesGetPlainCopiesAtTheBitmapsResolution)
{
    struct Vector : QPainterBackend {
        using QPainterBackend::QPainterBackend;
        bool IsRaster() const override { return false; }
        bool ReadPixels(const QRect&, QImage*) override { return false; }
        void DrawImage(const QRectF& target, const QImage& image, const QRectF& source, bool smooth) override
        {
            sizes.push_back(image.size());
            QPainterBackend::DrawImage(target, image, source, smooth);
        }
        std::vector<QSize> sizes;
    };
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    auto backend = std::make_unique<Vector>(&image);
    Vector* v = backend.get();
    CDC dc(std::move(backend));
    DibImage img;
    ASSERT_TRUE(quad().Decode(&img));
    dc.StretchBlt(0, 0, 40, 40, &img, 0, 0, 2, 2, SRCCOPY);
    dc.Flush();
    ASSERT_EQ(v->sizes.size(), 1u);
    EXPECT_EQ(v->sizes[0], QSize(2, 2)) << "one image of the bitmap's pixels, not device-sized bands";
    EXPECT_EQ(image.pixel(30, 5) & 0xffffff, 0x00ff00u);
}

TEST(BitmapOps, MaskBltRepeatsItsMaskAndGoesOnOverWhiteBeyondTheSource)
{
    DibImage img, mask;
    ASSERT_TRUE(quad().Decode(&img));
    // A 1 x 1 mask of 1: it repeats over the whole destination.
    ASSERT_TRUE(TestDib::Make(1, 1, 1, BI_RGB, {0, 0xffffff}, {0x80, 0, 0, 0}).Decode(&mask));
    Canvas c(4, 2, qRgb(9, 9, 9));
    c.dc->MaskBlt(0, 0, 4, 2, &img, 0, 0, &mask, 0, 0, 0xAACC0020);
    EXPECT_EQ(c.at(1, 0), 0x00ff00u);
    EXPECT_EQ(c.at(3, 1), 0xffffffu) << "beyond the 2 x 2 source";
}

TEST(BitmapSpans, EnlargingNeverCombinesNeighbours)
{
    std::vector<BltRenderer::Span> s;
    // 64 source pixels over 70: a device pixel may straddle two, but takes one.
    BltRenderer::Spans(0, 70, 0, 64, false, 0, 70, 64, &s);
    for (const auto& span : s)
        EXPECT_EQ(span.first, span.last);
}

TEST(BitmapOps, VectorDevicesKeepTheInvertAndInvertTransparency)
{
    struct Vector : QPainterBackend {
        using QPainterBackend::QPainterBackend;
        bool IsRaster() const override { return false; }
        bool ReadPixels(const QRect&, QImage*) override { return false; }
    };
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(qRgb(7, 7, 7));
    CDC dc(std::make_unique<Vector>(&image));
    DibImage img, mask;
    ASSERT_TRUE(quad().Decode(&img));
    // The mask: black (the sprite) on the top row, white below.
    ASSERT_TRUE(TestDib::Make(2, 2, 24, BI_RGB, {}, {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})
                    .Decode(&mask));
    dc.BitBlt(0, 0, 2, 2, &img, 0, 0, 0x00660046);  // SRCINVERT: nothing yet
    dc.BitBlt(0, 0, 2, 2, &mask, 0, 0, 0x008800C6); // SRCAND: the black silhouette
    dc.BitBlt(0, 0, 2, 2, &img, 0, 0, 0x00660046);  // SRCINVERT: the image inside it
    dc.Flush();
    EXPECT_EQ(image.pixel(0, 0) & 0xffffff, 0xff0000u);
    EXPECT_EQ(image.pixel(1, 0) & 0xffffff, 0x00ff00u);
    EXPECT_EQ(image.pixel(0, 1) & 0xffffff, 0x070707u);
    // A lone inversion draws nothing.
    dc.BitBlt(0, 0, 2, 2, &img, 0, 0, 0x00660046);
    dc.Flush();
    EXPECT_EQ(image.pixel(1, 1) & 0xffffff, 0x070707u);
}
