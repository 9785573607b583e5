// Recognition by content, and what is no image file at all.
#include "RasterFixture.h"

#include "raster/CRasterImage.h"

#include <QDir>

#include <sys/stat.h>

TEST_F(RasterFixture, EveryFormatIsRecognisedWhateverTheName)
{
    const struct {
        QString path;
        int id;
    } files[] = {
        {WriteQt(Quadrants(8, 8), "bmp.dat", "bmp"), RASTER_FORMAT_BMP},
        {WriteQt(Quadrants(8, 8), "jpg.png", "jpeg"), RASTER_FORMAT_JPG},
        {WriteQt(Quadrants(8, 8), "png.mj", "png"), RASTER_FORMAT_PNG},
        {WriteQt(Quadrants(8, 8), "tif", "tiff"), RASTER_FORMAT_TIF},
        {WriteMagick(Quadrants(8, 8), "gif.bmp", "GIF"), RASTER_FORMAT_GIF},
        {WriteMagick(Quadrants(8, 8), "pcx.tga", "PCX"), RASTER_FORMAT_PCX},
        {WriteQt(Quadrants(8, 8), "ico.wmf", "ico"), RASTER_FORMAT_ICO},
    };
    for (const auto& f : files) {
        CRasterImage img;
        ASSERT_TRUE(img.Load(f.path, RASTER_FORMAT_BY_CONTENT)) << qPrintable(f.path);
        EXPECT_EQ(img.GetType(), DWORD(f.id)) << qPrintable(f.path);
        EXPECT_EQ(img.GetWidth(), 8u);
    }
}

TEST_F(RasterFixture, FormatsOutsideTheLibraryAreNotRecognised)
{
    // Qt and GraphicsMagick read these, the library the viewer is built on
    // does not; a file of them opens as an empty document.
    const QString xpm = WriteQt(Quadrants(8, 8), "a.xpm", "xpm");
    const QString svg = WriteBytes("a.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='8' height='8'/>");
    const QString ps = WriteBytes("a.ps", "%!PS-Adobe-3.0\n%%BoundingBox: 0 0 8 8\nshowpage\n");
    for (const QString& path : {xpm, svg, ps}) {
        CRasterImage img;
        EXPECT_FALSE(img.Load(path, RASTER_FORMAT_BY_CONTENT)) << qPrintable(path);
    }
}

TEST_F(RasterFixture, WhatIsNoRegularFileFails)
{
    CRasterImage img;
    EXPECT_FALSE(img.Load(QString(), RASTER_FORMAT_BY_CONTENT));
    EXPECT_FALSE(img.Load(Path("missing.png"), RASTER_FORMAT_PNG));
    EXPECT_FALSE(img.Load(Path(""), RASTER_FORMAT_BY_CONTENT)); // a folder
    EXPECT_FALSE(img.Load(WriteBytes("empty.png", {}), RASTER_FORMAT_PNG));
    EXPECT_FALSE(img.Load(Path("empty.png"), RASTER_FORMAT_BY_CONTENT));
    // A named pipe nobody writes to would block a reader forever.
    const QString fifo = Path("pipe.pcx");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(img.Load(fifo, RASTER_FORMAT_PCX));
    EXPECT_FALSE(img.Load(fifo, RASTER_FORMAT_BY_CONTENT));
    EXPECT_FALSE(img.Load("/dev/zero", RASTER_FORMAT_PCX));
}

TEST_F(RasterFixture, FileNamesReachNoDecoderAsCommands)
{
    // Some image libraries read names like "|command" or "format:name"
    // specially; here a name is only ever a path.
    const QString weird = Path("|touch x;.pcx");
    QFile::copy(WriteMagick(Quadrants(8, 8), "src.pcx", "PCX"), weird);
    CRasterImage img;
    EXPECT_FALSE(img.Load(weird, RASTER_FORMAT_RAS));
    EXPECT_TRUE(img.Load(weird, RASTER_FORMAT_PCX));
    EXPECT_FALSE(QFile::exists(QDir::current().filePath("x")));
}
