// TIFF files written by Qt and GraphicsMagick.
#include "RasterFixture.h"

#include "raster/CRasterImage.h"

#include <Magick++.h>

#include <list>

TEST_F(RasterFixture, TiffDecodesWithResolution)
{
    const QString path = WriteQt(Quadrants(50, 40), "q.tif", "tiff", 600);
    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_TIF));
    EXPECT_EQ(img.GetWidth(), 50u);
    EXPECT_EQ(img.GetHeight(), 40u);
    EXPECT_EQ(img.GetXDPI(), 600);
    EXPECT_EQ(img.GetYDPI(), 600);
    ExpectQuadrants(img.Image());
}

TEST_F(RasterFixture, MultiPageTiffShowsItsFirstPage)
{
    WriteMagick(Quadrants(20, 20), "p1.tif", "TIFF");
    std::list<Magick::Image> pages;
    pages.emplace_back(Path("p1.tif").toStdString());
    pages.emplace_back(Magick::Geometry(64, 64), Magick::Color("black"));
    const QString path = Path("pages.tif");
    Magick::writeImages(pages.begin(), pages.end(), "TIFF:" + path.toStdString());

    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_TIF));
    EXPECT_EQ(img.GetWidth(), 20u);
    ExpectQuadrants(img.Image());
}
