// JPEG files written by Qt: size, resolution, a named format that does not
// match the content, and recognition by content.
#include "RasterFixture.h"

#include "raster/CRasterImage.h"

TEST_F(RasterFixture, JpegAt72DpiReports72)
{
    const QString path = WriteQt(Quadrants(800, 600), "photo.jpg", "jpeg", 72);
    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_JPG));
    EXPECT_EQ(img.GetWidth(), 800u);
    EXPECT_EQ(img.GetHeight(), 600u);
    EXPECT_EQ(img.GetXDPI(), 72);
    EXPECT_EQ(img.GetYDPI(), 72);
    ExpectQuadrants(img.Image(), 8);
}

TEST_F(RasterFixture, JpegWithAspectRatioOnlyReports96)
{
    // Qt writes a JFIF segment; density unit 0 states only the pixel aspect.
    QByteArray jpg = ReadBytes(WriteQt(Quadrants(16, 16), "src.jpg", "jpeg", 300));
    const qsizetype jfif = jpg.indexOf("JFIF");
    ASSERT_GT(jfif, 0);
    jpg[jfif + 7] = 0;  // density units: none
    jpg[jfif + 8] = 0;  // x density 1
    jpg[jfif + 9] = 1;
    jpg[jfif + 10] = 0; // y density 1
    jpg[jfif + 11] = 1;
    CRasterImage img;
    ASSERT_TRUE(img.Load(WriteBytes("aspect.jpg", jpg), RASTER_FORMAT_JPG));
    EXPECT_EQ(img.GetXDPI(), 96);
    EXPECT_EQ(img.GetYDPI(), 96);
}

TEST_F(RasterFixture, PngNamedJpegFailsAsJpegAndLoadsByContent)
{
    const QString path = WriteQt(Quadrants(20, 10), "really-a-png.jpeg", "png");
    CRasterImage img;
    EXPECT_FALSE(img.Load(path, RASTER_FORMAT_JPG));
    EXPECT_FALSE(img.IsValid());
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_BY_CONTENT));
    EXPECT_EQ(img.GetWidth(), 20u);
    EXPECT_EQ(img.GetType(), DWORD(RASTER_FORMAT_PNG));
    ExpectQuadrants(img.Image());
}
