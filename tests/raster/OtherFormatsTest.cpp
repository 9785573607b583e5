// The library's further formats: Sun raster (GraphicsMagick), PNM and WBMP
// (Qt), and ids no decoder serves.
#include "RasterFixture.h"

#include "raster/CRasterImage.h"

TEST_F(RasterFixture, SunRasterDecodesAsRasAndByContent)
{
    const QString path = WriteMagick(Quadrants(18, 14), "q.ras", "SUN");
    for (int format : {int(RASTER_FORMAT_RAS), int(RASTER_FORMAT_BY_CONTENT)}) {
        CRasterImage img;
        ASSERT_TRUE(img.Load(path, format)) << format;
        EXPECT_EQ(img.GetWidth(), 18u);
        EXPECT_EQ(img.GetHeight(), 14u);
        EXPECT_EQ(img.GetXDPI(), 96);
        EXPECT_EQ(img.GetType(), DWORD(RASTER_FORMAT_RAS));
        ExpectQuadrants(img.Image());
    }
}

TEST_F(RasterFixture, PortableAnymapsDecode)
{
    const QString ppm = WriteQt(Quadrants(12, 8), "q.ppm", "ppm");
    const QString pam = WriteMagick(Quadrants(12, 8), "q.pam", "PAM");
    for (const QString& path : {ppm, pam}) {
        for (int format : {int(RASTER_FORMAT_PNM), int(RASTER_FORMAT_BY_CONTENT)}) {
            CRasterImage img;
            ASSERT_TRUE(img.Load(path, format)) << qPrintable(path) << " " << format;
            EXPECT_EQ(img.GetWidth(), 12u);
            ExpectQuadrants(img.Image());
        }
    }
}

TEST_F(RasterFixture, WbmpDecodes)
{
    QImage mono(16, 4, QImage::Format_Mono);
    mono.fill(1);
    const QString path = WriteQt(mono, "m.wbmp", "wbmp");
    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_WBMP));
    EXPECT_EQ(img.GetWidth(), 16u);
    EXPECT_EQ(img.GetHeight(), 4u);
}

TEST_F(RasterFixture, IdsWithoutDecoderFail)
{
    const QString path = WriteQt(Quadrants(8, 8), "q.png", "png");
    CRasterImage img;
    for (int id : {0, int(RASTER_FORMAT_WMF), 16, int(RASTER_FORMAT_SKA), 20, 99, -2})
        EXPECT_FALSE(img.Load(path, id)) << id;
}
