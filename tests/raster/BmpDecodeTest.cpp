// BMP files written by Qt, loaded by format id and by content.
#include "RasterFixture.h"

#include "raster/CRasterImage.h"

TEST_F(RasterFixture, BmpDecodesWithSizeResolutionAndPixels)
{
    const QString path = WriteQt(Quadrants(40, 30), "quadrants.bmp", "bmp", 150);
    for (int format : {int(RASTER_FORMAT_BMP), int(RASTER_FORMAT_BY_CONTENT)}) {
        CRasterImage img;
        ASSERT_TRUE(img.Load(path, format)) << format;
        EXPECT_TRUE(img.IsValid());
        EXPECT_EQ(img.GetWidth(), 40u);
        EXPECT_EQ(img.GetHeight(), 30u);
        EXPECT_EQ(img.GetXDPI(), 150);
        EXPECT_EQ(img.GetYDPI(), 150);
        EXPECT_EQ(img.GetType(), DWORD(RASTER_FORMAT_BMP));
        ExpectQuadrants(img.Image());
    }
}

TEST_F(RasterFixture, BmpWithoutResolutionReports96)
{
    // A BMP whose pixels-per-metre fields are 0, as many writers leave them.
    QByteArray bmp = ReadBytes(WriteQt(Quadrants(8, 8), "src.bmp", "bmp"));
    ASSERT_GT(bmp.size(), 54);
    PutLe32(bmp, 38, 0); // biXPelsPerMeter
    PutLe32(bmp, 42, 0); // biYPelsPerMeter
    CRasterImage img;
    ASSERT_TRUE(img.Load(WriteBytes("nores.bmp", bmp), RASTER_FORMAT_BMP));
    EXPECT_EQ(img.GetXDPI(), 96);
    EXPECT_EQ(img.GetYDPI(), 96);
}

TEST_F(RasterFixture, InvalidImageReportsNothing)
{
    CRasterImage img;
    EXPECT_FALSE(img.IsValid());
    EXPECT_EQ(img.GetWidth(), 0u);
    EXPECT_EQ(img.GetHeight(), 0u);
    EXPECT_EQ(img.GetXDPI(), 0);
    EXPECT_EQ(img.GetYDPI(), 0);
}

TEST_F(RasterFixture, FailedLoadDropsThePreviousImage)
{
    CRasterImage img;
    ASSERT_TRUE(img.Load(WriteQt(Quadrants(8, 8), "a.bmp", "bmp"), RASTER_FORMAT_BMP));
    EXPECT_FALSE(img.Load(WriteBytes("b.bmp", "not an image"), RASTER_FORMAT_BMP));
    EXPECT_FALSE(img.IsValid());
    EXPECT_EQ(img.GetWidth(), 0u);
}
