#include "platform/gdi/BltRenderer.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/QPainterBackend.h"
#include "platform/gdi/Rop3.h"
#include "tests/platform/gdi/DibTestData.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

struct Canvas {
    QImage image;
    std::unique_ptr<CDC> dc;
    explicit Canvas(int w = 8, int h = 8, QRgb fill = qRgb(255, 255, 255))
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

DibImage decoded(const TestDib& t)
{
    DibImage d;
    EXPECT_TRUE(t.Decode(&d));
    return d;
}

} // namespace

TEST(Rop3, NamedCodesMatchTheirExpressions)
{
    const uint32_t P = 0xF0F0F0F0u, S = 0xCCCCCCCCu, D = 0xAAAAAAAAu;
    struct Case {
        DWORD rop;
        uint32_t expected;
    } cases[] = {
        {SRCCOPY, S}, {0x00EE0086, S | D}, {0x008800C6, S & D}, {0x00660046, S ^ D}, {0x00440328, S & ~D},
        {0x00330008, ~S}, {0x001100A6, ~(S | D)}, {0x00C000CA, P & S}, {0x00BB0226, ~S | D},
        {PATCOPY, P}, {0x00FB0A09, P | ~S | D}, {PATINVERT, P ^ D}, {DSTINVERT, ~D}, {BLACKNESS, 0u},
        {WHITENESS, ~0u}, {0x00E20746, (D & ~S) | (P & S)}, {0x00B8074A, (P & ~S) | (D & S)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rop);
        EXPECT_EQ(Rop3::Apply(Rop3::Index(c.rop), P, S, D), c.expected);
        uint32_t p = P, s = S, d = D;
        Rop3::Row(Rop3::Index(c.rop), &p, &s, &d, 1);
        EXPECT_EQ(d, c.expected);
    }
    // The fast rows agree with the truth table for all 256 operations.
    for (int t = 0; t < 256; ++t) {
        uint32_t p = 0x12345678u, s = 0x9abcdef0u, d = 0x0f1e2d3cu;
        Rop3::Row(uint8_t(t), &p, &s, &d, 1);
        EXPECT_EQ(d, Rop3::Apply(uint8_t(t), 0x12345678u, 0x9abcdef0u, 0x0f1e2d3cu)) << t;
    }
    EXPECT_TRUE(Rop3::UsesSource(0xCC));
    EXPECT_FALSE(Rop3::UsesSource(0xF0));
    EXPECT_TRUE(Rop3::UsesDest(0x88));
    EXPECT_FALSE(Rop3::UsesDest(0xCC));
    EXPECT_TRUE(Rop3::UsesPattern(0xE2));
}

TEST(BitmapBlt, StretchDIBitsCopiesAndScalesBottomUpBitmaps)
{
    Canvas c;
    auto dib = quad();
    EXPECT_EQ(c.dc->StretchDIBits(0, 0, 4, 4, 0, 0, 2, 2, dib.Source(), SRCCOPY), 2);
    EXPECT_EQ(c.at(0, 0), 0xff0000u);
    EXPECT_EQ(c.at(3, 0), 0x00ff00u);
    EXPECT_EQ(c.at(1, 3), 0x0000ffu);
    EXPECT_EQ(c.at(3, 3), 0xffffffu);
    // The source rectangle of a bottom-up DIB counts from the bottom: (0, 0, 1, 1) is the blue pixel.
    Canvas d;
    d.dc->StretchDIBits(0, 0, 2, 2, 0, 0, 1, 1, dib.Source(), SRCCOPY);
    EXPECT_EQ(d.at(1, 1), 0x0000ffu);
    // A negative destination width mirrors.
    Canvas m;
    m.dc->StretchDIBits(2, 0, -2, 2, 0, 0, 2, 2, dib.Source(), SRCCOPY);
    EXPECT_EQ(m.at(0, 0), 0x00ff00u);
    EXPECT_EQ(m.at(1, 0), 0xff0000u);
}

TEST(BitmapBlt, RasterOperationsReadTheDestination)
{
    auto dib = quad();
    const DibImage img = decoded(dib);
    Canvas c(4, 4, qRgb(0x0f, 0xf0, 0x55));
    c.dc->BitBlt(0, 0, 2, 2, &img, 0, 0, 0x008800C6); // SRCAND
    EXPECT_EQ(c.at(0, 0), 0x0f0000u & 0xffffffu);
    EXPECT_EQ(c.at(1, 1), 0x0ff055u);
    c.dc->BitBlt(2, 2, 2, 2, &img, 0, 0, 0x00660046); // SRCINVERT
    EXPECT_EQ(c.at(2, 2), 0xf0f055u);
    c.dc->BitBlt(2, 0, 2, 2, &img, 0, 0, 0x00EE0086); // SRCPAINT
    EXPECT_EQ(c.at(3, 0), 0x0ff055u | 0x00ff00u);
    c.dc->PatBlt(0, 3, 1, 1, DSTINVERT);
    EXPECT_EQ(c.at(0, 3), 0xf00faau);
    // Operations that read a source fail without one.
    EXPECT_FALSE(c.dc->PatBlt(0, 3, 1, 1, SRCCOPY));
    EXPECT_FALSE(c.dc->BitBlt(0, 3, 1, 1, nullptr, 0, 0, 0x00E20746));
    EXPECT_EQ(c.at(0, 3), 0xf00faau);
}

TEST(BitmapBlt, MonochromeSourcesTakeTextAndBackgroundColoursInBlitsOnly)
{
    // 1-bit, black then white: pixel 0 is bit 0 (black), pixel 1 bit 1 (white).
    auto mono = TestDib::Make(2, 1, 1, BI_RGB, {0, 0xffffff}, {0x40, 0, 0, 0});
    const DibImage img = decoded(mono);
    Canvas c;
    c.dc->SetTextColor(RGB(255, 0, 0));
    c.dc->SetBkColor(RGB(0, 0, 255));
    c.dc->BitBlt(0, 0, 2, 1, &img, 0, 0, SRCCOPY);
    EXPECT_EQ(c.at(0, 0), 0xff0000u);
    EXPECT_EQ(c.at(1, 0), 0x0000ffu);
    c.dc->StretchDIBits(0, 1, 2, 1, 0, 0, 2, 1, mono.Source(), SRCCOPY);
    EXPECT_EQ(c.at(0, 1), 0x000000u);
    EXPECT_EQ(c.at(1, 1), 0xffffffu);
}

TEST(BitmapBlt, StretchModesWhenReducing)
{
    // One black pixel among three white: AND keeps it, OR drops it,
    // colour-on-colour takes the pixel under the centre.
    auto mono = TestDib::Make(4, 1, 1, BI_RGB, {0, 0xffffff}, {0xb0, 0, 0, 0});
    for (auto [mode, expected] : {std::pair{BLACKONWHITE, 0u}, std::pair{WHITEONBLACK, 0xffffffu}}) {
        Canvas c(1, 1, qRgb(128, 128, 128));
        c.dc->SetStretchBltMode(mode);
        c.dc->StretchDIBits(0, 0, 1, 1, 0, 0, 4, 1, mono.Source(), SRCCOPY);
        EXPECT_EQ(c.at(0, 0), expected) << mode;
    }
    auto dib = TestDib::Make(4, 1, 24, BI_RGB, {}, {0xff, 0xff, 0xff, 0, 0, 0, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff});
    for (auto [mode, expected] : {std::pair{BLACKONWHITE, 0u}, std::pair{COLORONCOLOR, 0xffffffu}}) {
        Canvas c(1, 1, qRgb(128, 128, 128));
        c.dc->SetStretchBltMode(mode);
        c.dc->StretchDIBits(0, 0, 1, 1, 0, 0, 4, 1, dib.Source(), SRCCOPY);
        EXPECT_EQ(c.at(0, 0), expected) << mode;
    }
    // A BitBlt that the mapping reduces drops the pixels of a colour bitmap.
    const DibImage colour = decoded(dib);
    Canvas b(1, 1, qRgb(128, 128, 128));
    b.dc->SetMapMode(MM_ANISOTROPIC);
    b.dc->SetWindowExt(4, 1);
    b.dc->SetViewportExt(1, 1);
    b.dc->BitBlt(0, 0, 4, 1, &colour, 0, 0, SRCCOPY);
    EXPECT_EQ(b.at(0, 0), 0xffffffu);
    Canvas h(1, 1);
    h.dc->SetStretchBltMode(HALFTONE);
    h.dc->StretchDIBits(0, 0, 1, 1, 0, 0, 4, 1, dib.Source(), SRCCOPY);
    EXPECT_EQ(h.at(0, 0), 0xbfbfbfu);
}

TEST(BitmapBlt, AlphaBlendConstantAndPremultipliedPerPixel)
{
    auto dib = TestDib::Make(2, 1, 32, BI_RGB, {}, {0, 0, 0x80, 0x80, 0, 0, 0, 0});
    const DibImage img = decoded(dib);
    Canvas c(2, 2, qRgb(0, 0, 200));
    BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    EXPECT_TRUE(c.dc->AlphaBlend(0, 0, 2, 1, img, 0, 0, 2, 1, perPixel));
    // Premultiplied red 0x80 at alpha 0x80 over blue 200: 128 + 0, 0, 200 * 127 / 255.
    EXPECT_EQ(c.at(0, 0), qRgb(128, 0, 100) & 0xffffff);
    EXPECT_EQ(c.at(1, 0), qRgb(0, 0, 200) & 0xffffff); // alpha 0: unchanged
    BLENDFUNCTION constant{AC_SRC_OVER, 0, 51, 0};
    EXPECT_TRUE(c.dc->AlphaBlend(0, 1, 2, 1, img, 0, 0, 2, 1, constant));
    EXPECT_EQ(c.at(0, 1), qRgb(25, 0, 160) & 0xffffff);
    // A source outside the bitmap is refused.
    EXPECT_FALSE(c.dc->AlphaBlend(0, 0, 2, 1, img, 1, 0, 2, 1, constant));
}

TEST(BitmapBlt, TransparentBltLeavesTheColourKey)
{
    const DibImage img = decoded(quad());
    Canvas c(2, 2, qRgb(1, 2, 3));
    EXPECT_TRUE(c.dc->TransparentBlt(0, 0, 2, 2, img, 0, 0, 2, 2, RGB(0, 255, 0)));
    EXPECT_EQ(c.at(0, 0), 0xff0000u);
    EXPECT_EQ(c.at(1, 0), 0x010203u);
}

TEST(BitmapBlt, PatternBrushesTileFromTheBrushOrigin)
{
    QImage tile(2, 1, QImage::Format_RGB32);
    tile.setPixel(0, 0, qRgb(0, 0, 0));
    tile.setPixel(1, 0, qRgb(255, 255, 255));
    HBRUSH mono = new GdiBrush(BS_PATTERN, tile, true);
    Canvas c(4, 2);
    c.dc->SetTextColor(RGB(255, 0, 0));
    c.dc->SetBkColor(RGB(0, 255, 0));
    c.dc->SelectObject(mono);
    c.dc->PatBlt(0, 0, 4, 1, PATCOPY);
    EXPECT_EQ(c.at(0, 0), 0xff0000u);
    EXPECT_EQ(c.at(1, 0), 0x00ff00u);
    c.dc->SetBrushOrg(1, 0);
    c.dc->PatBlt(0, 1, 4, 1, PATCOPY);
    EXPECT_EQ(c.at(0, 1), 0x00ff00u);
    EXPECT_EQ(c.at(1, 1), 0xff0000u);
    // The generic evaluator uses the same origin: DPo over red, green.
    c.dc->PatBlt(0, 0, 4, 1, 0x00FA0089);
    EXPECT_EQ(c.at(1, 0), 0xffff00u); // red pattern | green
    EXPECT_EQ(c.at(0, 0), 0xffff00u); // green pattern | red
    c.dc->SelectStockObject(WHITE_BRUSH);
    DeleteObject(mono);
}

TEST(BitmapBlt, MaskBltChoosesTheOperationPerPixel)
{
    const DibImage img = decoded(quad());
    const DibImage mask = decoded(TestDib::Make(2, 2, 1, BI_RGB, {0, 0xffffff}, {0x80, 0, 0, 0, 0x80, 0, 0, 0}));
    Canvas c(2, 2, qRgb(9, 9, 9));
    // Foreground SRCCOPY where the mask is 1, background D (keep) where 0.
    c.dc->MaskBlt(0, 0, 2, 2, &img, 0, 0, &mask, 0, 0, 0xAACC0020);
    EXPECT_EQ(c.at(0, 0), 0xff0000u);
    EXPECT_EQ(c.at(1, 0), 0x090909u);
}

TEST(BitmapBlt, GradientFillRectanglesAndTriangles)
{
    Canvas c(4, 4, qRgb(0, 0, 0));
    TRIVERTEX v[3];
    v[0] = TRIVERTEX{0, 0, 0, 0, 0, 0};
    v[1] = TRIVERTEX{4, 2, 0xff00, 0, 0, 0};
    GRADIENT_RECT r{0, 1};
    EXPECT_TRUE(c.dc->GradientFill(v, 2, &r, 1, GRADIENT_FILL_RECT_H));
    EXPECT_LT(qRed(c.at(0, 0)), qRed(c.at(3, 0)));
    EXPECT_EQ(c.at(0, 3), 0u);
    v[0] = TRIVERTEX{0, 2, 0, 0xff00, 0, 0};
    v[1] = TRIVERTEX{4, 2, 0, 0xff00, 0, 0};
    v[2] = TRIVERTEX{0, 4, 0, 0xff00, 0, 0};
    GRADIENT_TRIANGLE t{0, 1, 2};
    EXPECT_TRUE(c.dc->GradientFill(v, 3, &t, 1, GRADIENT_FILL_TRIANGLE));
    EXPECT_EQ(c.at(0, 2), 0x00ff00u);
    EXPECT_EQ(c.at(3, 3), 0u); // outside the triangle
    GRADIENT_TRIANGLE bad{0, 1, 7};
    EXPECT_TRUE(c.dc->GradientFill(v, 3, &bad, 1, GRADIENT_FILL_TRIANGLE)); // ignored vertex index
}

TEST(BitmapBlt, VectorDevicesKeepMaskTransparency)
{
    // No pixels to read: SRCAND of a white-background mask draws only its black part.
    struct Vector : QPainterBackend {
        using QPainterBackend::QPainterBackend;
        bool IsRaster() const override { return false; }
        bool ReadPixels(const QRect&, QImage*) override { return false; }
    };
    QImage image(2, 1, QImage::Format_RGB32);
    image.fill(qRgb(7, 7, 7));
    CDC dc(std::make_unique<Vector>(&image));
    const DibImage mask = decoded(TestDib::Make(2, 1, 24, BI_RGB, {}, {0, 0, 0, 0xff, 0xff, 0xff, 0, 0}));
    dc.BitBlt(0, 0, 2, 1, &mask, 0, 0, 0x008800C6);
    dc.Flush();
    EXPECT_EQ(image.pixel(0, 0) & 0xffffff, 0u);
    EXPECT_EQ(image.pixel(1, 0) & 0xffffff, 0x070707u);
}

TEST(BitmapBlt, CancelStopsAHugeTransferWithinABand)
{
    Canvas c(4000, 4000);
    std::vector<uint8_t> bits(size_t(2000) * 2000 * 3, 0x40);
    auto dib = TestDib::Make(2000, 2000, 24, BI_RGB, {}, {});
    dib.bits = bits;
    c.dc->CancelDC();
    EXPECT_EQ(c.dc->StretchDIBits(0, 0, 4000, 4000, 0, 0, 2000, 2000, dib.Source(), SRCCOPY), 0);
    EXPECT_EQ(c.at(3999, 3999), 0xffffffu);
}
