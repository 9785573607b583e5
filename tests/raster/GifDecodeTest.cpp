// GIF files: Qt writes no GIF, GraphicsMagick does (also animations).
#include "RasterFixture.h"

#include "raster/CRasterImage.h"

#include <Magick++.h>

#include <list>

TEST_F(RasterFixture, GifDecodesWith96Dpi)
{
    const QString path = WriteMagick(Quadrants(24, 12), "q.gif", "GIF");
    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_GIF));
    EXPECT_EQ(img.GetWidth(), 24u);
    EXPECT_EQ(img.GetHeight(), 12u);
    // GIF has no resolution field.
    EXPECT_EQ(img.GetXDPI(), 96);
    EXPECT_EQ(img.GetYDPI(), 96);
    ExpectQuadrants(img.Image());
}

TEST_F(RasterFixture, AnimatedGifShowsItsFirstFrame)
{
    WriteMagick(Quadrants(16, 16), "first.gif", "GIF");
    std::list<Magick::Image> frames;
    frames.emplace_back(Path("first.gif").toStdString());
    frames.emplace_back(Magick::Geometry(16, 16), Magick::Color("black"));
    frames.emplace_back(Magick::Geometry(16, 16), Magick::Color("yellow"));
    const QString path = Path("anim.gif");
    Magick::writeImages(frames.begin(), frames.end(), "GIF:" + path.toStdString());

    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_GIF));
    ExpectQuadrants(img.Image());
}
