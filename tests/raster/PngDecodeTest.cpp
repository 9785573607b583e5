// PNG files written by Qt.
#include "RasterFixture.h"

#include "raster/CRasterImage.h"

TEST_F(RasterFixture, PngDecodesWithResolutionAndAlpha)
{
    QImage src = Quadrants(33, 17, QImage::Format_ARGB32);
    src.setPixel(0, 0, qRgba(10, 20, 30, 0));
    const QString path = WriteQt(src, "q.png", "png", 300);
    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_PNG));
    EXPECT_EQ(img.GetWidth(), 33u);
    EXPECT_EQ(img.GetHeight(), 17u);
    EXPECT_EQ(img.GetXDPI(), 300);
    EXPECT_EQ(img.GetYDPI(), 300);
    EXPECT_EQ(qAlpha(img.Image().pixel(0, 0)), 0);
    ExpectQuadrants(img.Image());
}

TEST_F(RasterFixture, PngWithDifferentAxesKeepsBoth)
{
    QImage src = Quadrants(10, 10);
    src.setDotsPerMeterX(3937); // 100 dpi
    src.setDotsPerMeterY(7874); // 200 dpi
    const QString path = Path("axes.png");
    ASSERT_TRUE(src.save(path, "png"));
    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_PNG));
    EXPECT_EQ(img.GetXDPI(), 100);
    EXPECT_EQ(img.GetYDPI(), 200);
}

TEST_F(RasterFixture, OtherFormatsAreRefusedAsPng)
{
    const QString bmp = WriteQt(Quadrants(8, 8), "a.bmp", "bmp");
    CRasterImage img;
    EXPECT_FALSE(img.Load(bmp, RASTER_FORMAT_PNG));
    EXPECT_FALSE(img.Load(bmp, RASTER_FORMAT_GIF));
    EXPECT_FALSE(img.Load(bmp, RASTER_FORMAT_TIF));
    EXPECT_FALSE(img.Load(bmp, RASTER_FORMAT_PCX));
    EXPECT_FALSE(img.Load(bmp, RASTER_FORMAT_TGA));
    EXPECT_TRUE(img.Load(bmp, RASTER_FORMAT_BMP));
}
