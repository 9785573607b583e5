// Memory device contexts: bitmaps selected into them, and the transfers
// between device contexts that transparent drawing is built from.
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiColor.h"
#include "platform/gdi/QPainterBackend.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kSrcCopy = 0x00CC0020, kSrcAnd = 0x008800C6, kSrcInvert = 0x00660046, kNotSrcCopy = 0x00330008;

QRgb rgbAt(CDC& dc, int x, int y)
{
    dc.Flush();
    return dc.SelectedBitmap()->Image().pixel(x, y) & 0xffffff;
}

// A colour bitmap of 3 x 1: magenta, red, magenta.
void makeStrip(CBitmap& bitmap)
{
    QImage img(3, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(255, 0, 255));
    img.setPixel(1, 0, qRgb(255, 0, 0));
    img.setPixel(2, 0, qRgb(255, 0, 255));
    ASSERT_TRUE(bitmap.CreateFromImage(img));
}

} // namespace

TEST(MemoryDCTest, StartsWithTheOnePixelMonochromeBitmapAndSwapsSelections)
{
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
    EXPECT_TRUE(mem.IsMemoryDC());
    EXPECT_FALSE(mem.CreateCompatibleDC(nullptr));
    BITMAP bm;
    ASSERT_EQ(GetObject(mem.SelectedBitmap(), sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);

    CBitmap colour;
    ASSERT_TRUE(colour.CreateCompatibleBitmap(nullptr, 4, 2));
    CBitmap* old = mem.SelectObject(&colour);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->m_hObject, GdiBitmap::Stock());
    EXPECT_EQ(mem.GetDeviceCaps(HORZRES), 4);
    // Bitmaps made compatible with a DC take the format of its bitmap.
    CBitmap compatible;
    ASSERT_TRUE(compatible.CreateCompatibleBitmap(&mem, 2, 2));
    EXPECT_FALSE(static_cast<HBITMAP>(compatible)->Monochrome());

    // A bitmap is in one memory DC at a time.
    CDC other;
    ASSERT_TRUE(other.CreateCompatibleDC(&mem));
    EXPECT_EQ(other.SelectObject(&colour), nullptr);
    mem.SelectObject(old);
    EXPECT_NE(other.SelectObject(&colour), nullptr);
    // A DC that is not a memory DC selects no bitmap.
    CDC info;
    EXPECT_EQ(info.SelectObject(&compatible), nullptr);
}

TEST(MemoryDCTest, DrawingLandsOnTheSelectedBitmap)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(4, 4, 1, 32, nullptr));
    {
        CDC mem;
        mem.CreateCompatibleDC(nullptr);
        mem.SelectObject(&bitmap);
        const RECT r{1, 1, 3, 3};
        mem.FillSolidRect(&r, RGB(0, 0, 255));
        EXPECT_EQ(rgbAt(mem, 1, 1), 0x0000ffu);
        EXPECT_EQ(rgbAt(mem, 0, 0), 0u);
    }
    // The DC has gone; the bitmap keeps its pixels and can be selected again.
    CDC again;
    again.CreateCompatibleDC(nullptr);
    ASSERT_NE(again.SelectObject(&bitmap), nullptr);
    EXPECT_EQ(rgbAt(again, 2, 2), 0x0000ffu);
}

TEST(MemoryDCTest, ColourIntoMonochromeMatchesTheSourceBackground)
{
    CBitmap strip, mask, inverse;
    makeStrip(strip);
    ASSERT_TRUE(mask.CreateBitmap(3, 1, 1, 1, nullptr));
    ASSERT_TRUE(inverse.CreateBitmap(3, 1, 1, 1, nullptr));
    CDC src, dst, inv;
    src.CreateCompatibleDC(nullptr);
    dst.CreateCompatibleDC(nullptr);
    inv.CreateCompatibleDC(nullptr);
    src.SelectObject(&strip);
    dst.SelectObject(&mask);
    inv.SelectObject(&inverse);

    src.SetBkColor(RGB(255, 0, 255));
    ASSERT_TRUE(dst.BitBlt(0, 0, 3, 1, &src, 0, 0, kSrcCopy));
    EXPECT_EQ(rgbAt(dst, 0, 0), 0xffffffu);
    EXPECT_EQ(rgbAt(dst, 1, 0), 0u);
    EXPECT_EQ(rgbAt(dst, 2, 0), 0xffffffu);
    // Between monochrome bitmaps the bits copy (here inverted) as they are,
    // whatever the colours of either DC.
    inv.SetTextColor(RGB(255, 0, 0));
    ASSERT_TRUE(inv.BitBlt(0, 0, 3, 1, &dst, 0, 0, kNotSrcCopy));
    EXPECT_EQ(rgbAt(inv, 0, 0), 0u);
    EXPECT_EQ(rgbAt(inv, 1, 0), 0xffffffu);
}

TEST(MemoryDCTest, MonochromeIntoColourTakesTheDestinationColours)
{
    CBitmap mask, colour;
    const uint8_t bits[2] = {0x40, 0}; // 0 1 0
    ASSERT_TRUE(mask.CreateBitmap(3, 1, 1, 1, bits));
    ASSERT_TRUE(colour.CreateBitmap(3, 1, 1, 32, nullptr));
    CDC src, dst;
    src.CreateCompatibleDC(nullptr);
    dst.CreateCompatibleDC(nullptr);
    src.SelectObject(&mask);
    dst.SelectObject(&colour);
    dst.SetTextColor(RGB(0, 128, 0));
    dst.SetBkColor(RGB(0, 0, 200));
    ASSERT_TRUE(dst.BitBlt(0, 0, 3, 1, &src, 0, 0, kSrcCopy));
    EXPECT_EQ(rgbAt(dst, 0, 0), 0x008000u);
    EXPECT_EQ(rgbAt(dst, 1, 0), 0x0000c8u);
}

TEST(MemoryDCTest, MaskAndXorCompositionKeepsTheBackgroundUnderTheTransparentColour)
{
    // The classic composition on a window-like device: background AND mask,
    // then XOR the image whose transparent pixels were cleared to black.
    QImage window(3, 1, QImage::Format_RGB32);
    window.fill(qRgb(10, 20, 30));
    CDC screen(std::make_unique<QPainterBackend>(&window));
    CBitmap strip, mask;
    makeStrip(strip);
    ASSERT_TRUE(mask.CreateBitmap(3, 1, 1, 1, nullptr));
    CDC src, maskDC;
    src.CreateCompatibleDC(&screen);
    maskDC.CreateCompatibleDC(&screen);
    src.SelectObject(&strip);
    maskDC.SelectObject(&mask);
    src.SetBkColor(RGB(255, 0, 255));
    maskDC.BitBlt(0, 0, 3, 1, &src, 0, 0, kSrcCopy);
    // Clear the image's transparent pixels: AND with the inverted mask.
    src.BitBlt(0, 0, 3, 1, &maskDC, 0, 0, 0x00220326); // DSna
    screen.BitBlt(0, 0, 3, 1, &maskDC, 0, 0, kSrcAnd);
    screen.BitBlt(0, 0, 3, 1, &src, 0, 0, kSrcInvert);
    screen.Flush();
    EXPECT_EQ(window.pixel(0, 0) & 0xffffff, 0x0a141eu);
    EXPECT_EQ(window.pixel(1, 0) & 0xffffff, 0xff0000u);
    EXPECT_EQ(window.pixel(2, 0) & 0xffffff, 0x0a141eu);
}

TEST(MemoryDCTest, TransfersFromAScaledDeviceReadItsDevicePixels)
{
    // A device drawn at twice its logical size (a HiDPI surface): a logical
    // 2 x 1 source is 4 x 2 device pixels, brought back to 2 x 1.
    QImage surface(4, 2, QImage::Format_RGB32);
    surface.fill(qRgb(0, 0, 0));
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x)
            surface.setPixel(x, y, qRgb(255, 255, 255));
    CDC scaled(std::make_unique<QPainterBackend>(&surface));
    scaled.SetPlaybackTransform(QTransform::fromScale(2, 2));
    CBitmap copy;
    ASSERT_TRUE(copy.CreateBitmap(2, 1, 1, 32, nullptr));
    CDC mem;
    mem.CreateCompatibleDC(&scaled);
    mem.SelectObject(&copy);
    ASSERT_TRUE(mem.BitBlt(0, 0, 2, 1, &scaled, 0, 0, kSrcCopy));
    EXPECT_EQ(rgbAt(mem, 0, 0), 0u);
    EXPECT_EQ(rgbAt(mem, 1, 0), 0xffffffu);
    EXPECT_FALSE(mem.BitBlt(0, 0, 2, 1, static_cast<CDC*>(nullptr), 0, 0, kSrcCopy));
}
