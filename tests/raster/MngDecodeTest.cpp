// MNG and JNG files, format id 17 for both, written by GraphicsMagick.
#include "RasterFixture.h"

#include "raster/CRasterImage.h"

#include <Magick++.h>

#include <list>

TEST_F(RasterFixture, MngShowsItsFirstFrame)
{
    WriteMagick(Quadrants(20, 20), "f1.png", "PNG");
    std::list<Magick::Image> frames;
    frames.emplace_back(Path("f1.png").toStdString());
    frames.emplace_back(Magick::Geometry(20, 20), Magick::Color("black"));
    const QString path = Path("anim.mng");
    Magick::writeImages(frames.begin(), frames.end(), "MNG:" + path.toStdString());

    for (int format : {int(RASTER_FORMAT_MNG), int(RASTER_FORMAT_BY_CONTENT)}) {
        CRasterImage img;
        ASSERT_TRUE(img.Load(path, format)) << format;
        EXPECT_EQ(img.GetWidth(), 20u);
        EXPECT_EQ(img.GetHeight(), 20u);
        EXPECT_EQ(img.GetType(), DWORD(RASTER_FORMAT_MNG));
        ExpectQuadrants(img.Image());
    }
}

TEST_F(RasterFixture, JngDecodesAsFormat17AndByContent)
{
    const QString path = WriteMagick(Quadrants(32, 16), "q.jng", "JNG", 120);
    for (int format : {int(RASTER_FORMAT_MNG), int(RASTER_FORMAT_BY_CONTENT)}) {
        CRasterImage img;
        ASSERT_TRUE(img.Load(path, format)) << format;
        EXPECT_EQ(img.GetWidth(), 32u);
        EXPECT_EQ(img.GetHeight(), 16u);
        EXPECT_EQ(img.GetXDPI(), 120);
        ExpectQuadrants(img.Image(), 10);
    }
}
