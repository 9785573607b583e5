// The library's artwork and drawing helpers: the logo and banner resources,
// the banner along the bottom of an area, fitting rectangles, and bitmaps
// drawn with a transparent colour.
#include "owutil/draw/ImageRect.h"
#include "owutil/draw/OwLogo.h"
#include "owutil/draw/TransparentBitmap.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/QPainterBackend.h"
#include "toolkit/COXDIB.h"
#include "toolkit/COXMetaFile.h"

#include <gtest/gtest.h>
#include <memory>

using OwUtil::AdjustImageRect;

TEST(AdjustImageRectTest, AWideImageGetsShorterAndIsPlacedByVAlign)
{
    const CRect image(0, 0, 200, 100);
    CRect centred(10, 20, 110, 120);
    EXPECT_EQ(AdjustImageRect(image, centred, 0, 0), CRect(10, 45, 110, 95));
    CRect top(10, 20, 110, 120);
    EXPECT_EQ(AdjustImageRect(image, top, 0, -1), CRect(10, 20, 110, 70));
    CRect bottom(10, 20, 110, 120);
    EXPECT_EQ(AdjustImageRect(image, bottom, 0, 1), CRect(10, 70, 110, 120));
    // hAlign has no say here.
    CRect ignored(10, 20, 110, 120);
    EXPECT_EQ(AdjustImageRect(image, ignored, 1, 0), CRect(10, 45, 110, 95));
}

TEST(AdjustImageRectTest, ATallImageGetsNarrowerAndIsPlacedByHAlign)
{
    const CRect image(0, 0, 100, 200);
    CRect centred(0, 0, 100, 100);
    EXPECT_EQ(AdjustImageRect(image, centred, 0, 0), CRect(25, 0, 75, 100));
    CRect left(0, 0, 100, 100);
    EXPECT_EQ(AdjustImageRect(image, left, -1, 1), CRect(0, 0, 50, 100));
    CRect right(0, 0, 100, 100);
    EXPECT_EQ(AdjustImageRect(image, right, 7, 0), CRect(50, 0, 100, 100));
    // Odd differences: the centring truncates, MulDiv rounds.
    CRect odd(0, 0, 100, 33);
    EXPECT_EQ(AdjustImageRect(CRect(0, 0, 3, 2), odd, 0, 0), CRect(25, 0, 75, 33));
}

TEST(AdjustImageRectTest, SameProportionsAndDegenerateSizesKeepTheRectangle)
{
    CRect same(5, 5, 105, 55);
    EXPECT_EQ(AdjustImageRect(CRect(0, 0, 20, 10), same, 0, 0), CRect(5, 5, 105, 55));
    for (const CRect& image : {CRect(0, 0, 0, 10), CRect(0, 0, 10, 0), CRect(10, 10, 0, 0)}) {
        CRect dest(0, 0, 50, 50);
        EXPECT_EQ(AdjustImageRect(image, dest, 0, 0), CRect(0, 0, 50, 50));
    }
    CRect empty(0, 0, 0, 50);
    EXPECT_EQ(AdjustImageRect(CRect(0, 0, 10, 10), empty, 0, 0), CRect(0, 0, 0, 50));
}

TEST(OwArtworkTest, TheSideBannerAndTheLogoLoadFromTheLibrary)
{
    std::unique_ptr<COXDIB> banner(OwUtil::GetOWSideBanner());
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->GetSize(), CSize(800, 259));
    EXPECT_EQ(banner->GetNumBitsPerPixel(), 8);
    EXPECT_EQ(banner->GetNumColors(), 100);
    // It is made to sit on black: its top row is black.
    const QImage img = banner->ToImage();
    for (int x = 0; x < img.width(); x += 50)
        EXPECT_LT(qGray(img.pixel(x, 0)), 40) << x;

    std::unique_ptr<COXMetaFile> logo(OwUtil::GetOWLogo());
    ASSERT_NE(logo, nullptr);
    // One inch square, from its placeable header.
    EXPECT_EQ(logo->GetNormalizedSize(), CSize(2540, 2540));
    QImage canvas(100, 100, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        CDC dc(std::make_unique<QPainterBackend>(&canvas));
        CRect r(0, 0, 100, 100);
        ASSERT_TRUE(logo->PlayFile(&dc, &r));
    }
    // The sun in the middle is gold; the corners stay black.
    const QRgb sun = canvas.pixel(52, 52);
    EXPECT_GT(qRed(sun), 200);
    EXPECT_GT(qGreen(sun), 150);
    EXPECT_LT(qBlue(sun), 150);
    EXPECT_EQ(canvas.pixel(1, 1) & 0xffffff, 0u);
}

TEST(OwArtworkTest, TheBannerIsScaledToTheWidthAlongTheBottom)
{
    // 400 * 259 / 800 = 129.5, which MulDiv rounds up.
    EXPECT_EQ(OwUtil::PaintClientAreaLogo(nullptr, CRect(0, 0, 400, 300)), 130);
    EXPECT_EQ(OwUtil::PaintClientAreaLogo(nullptr, CRect(0, 0, 0, 300)), 0);

    QImage canvas(400, 300, QImage::Format_RGB32);
    canvas.fill(qRgb(255, 0, 0));
    {
        CDC dc(std::make_unique<QPainterBackend>(&canvas));
        EXPECT_EQ(OwUtil::PaintClientAreaLogo(&dc, CRect(0, 0, 400, 300)), 130);
    }
    // Rows 170 to 299 are the banner (no red left), the rows above are not.
    for (int x = 0; x < 400; x += 7) {
        EXPECT_EQ(canvas.pixel(x, 169), qRgb(255, 0, 0)) << x;
        EXPECT_NE(canvas.pixel(x, 170), qRgb(255, 0, 0)) << x;
        EXPECT_NE(canvas.pixel(x, 299), qRgb(255, 0, 0)) << x;
    }
    // A logo of the caller's is painted instead, and left as it was.
    QImage blue(10, 5, QImage::Format_RGB32);
    blue.fill(qRgb(0, 0, 255));
    COXDIB logo;
    ASSERT_TRUE(logo.CreateFromImage(blue));
    const QByteArray before = logo.MakeCopy();
    {
        CDC dc(std::make_unique<QPainterBackend>(&canvas));
        // An area whose banner reaches above it: 200 * 5 / 10 = 100 > 50.
        EXPECT_EQ(OwUtil::PaintClientAreaLogo(&dc, CRect(0, 0, 200, 50), &logo), 100);
    }
    EXPECT_EQ(logo.MakeCopy(), before);
    EXPECT_EQ(canvas.pixel(100, 10), qRgb(0, 0, 255));
    EXPECT_NE(canvas.pixel(300, 10), qRgb(0, 0, 255));
}

TEST(OwArtworkTest, TheBannerIsSharpOnAHighDensityDevice)
{
    // Logical pixels twice the size of the device's: the banner is resized
    // to 800 device pixels, so neighbouring device pixels differ.
    QImage canvas(800, 600, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        CDC dc(std::make_unique<QPainterBackend>(&canvas));
        dc.SetPlaybackTransform(QTransform::fromScale(2, 2));
        EXPECT_EQ(OwUtil::PaintClientAreaLogo(&dc, CRect(0, 0, 400, 300)), 130);
    }
    int differ = 0;
    for (int x = 0; x < 798; x += 2)
        differ += canvas.pixel(x, 560) != canvas.pixel(x + 1, 560);
    EXPECT_GT(differ, 20);
}

TEST(DrawTransparentBitmapTest, MagentaPixelsShowTheBackground)
{
    // A 4 x 2 bitmap with magenta in its top-left corner and elsewhere.
    QImage art(4, 2, QImage::Format_RGB32);
    art.fill(qRgb(255, 0, 255));
    art.setPixel(1, 0, qRgb(0, 200, 0));
    art.setPixel(2, 1, qRgb(255, 255, 255));
    art.setPixel(3, 1, qRgb(0, 0, 0));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateFromImage(art));

    QImage canvas(10, 6, QImage::Format_RGB32);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            canvas.setPixel(x, y, qRgb(10 * x, 20 * y, 99));
    const QImage before = canvas.copy();
    {
        CDC dc(std::make_unique<QPainterBackend>(&canvas));
        CRect rect(3, 2, 50, 50);
        OwUtil::DrawTransparentBitmap(dc, bitmap, rect);
    }
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            const QRgb a = art.pixel(x, y);
            const QRgb expected = a == qRgb(255, 0, 255) ? before.pixel(3 + x, 2 + y) : a;
            EXPECT_EQ(canvas.pixel(3 + x, 2 + y), expected) << x << "," << y;
        }
    // Nothing outside the bitmap's own size changed.
    EXPECT_EQ(canvas.pixel(7, 2), before.pixel(7, 2));
    EXPECT_EQ(canvas.pixel(3, 4), before.pixel(3, 4));

    // With a source DC of the caller's, its selection comes back.
    CDC source;
    source.CreateCompatibleDC(nullptr);
    HBITMAP stock = source.SelectedBitmap();
    {
        CDC dc(std::make_unique<QPainterBackend>(&canvas));
        CRect rect(0, 0, 4, 2);
        OwUtil::DrawTransparentBitmap(dc, bitmap, rect, &source);
    }
    EXPECT_EQ(source.SelectedBitmap(), stock);
    EXPECT_EQ(canvas.pixel(0, 0), before.pixel(0, 0));
    EXPECT_EQ(canvas.pixel(1, 0), qRgb(0, 200, 0));
}
