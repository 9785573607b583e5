// Targa files: true colour (Qt's reader) and colour-mapped (GraphicsMagick).
#include "RasterFixture.h"

#include "raster/CRasterImage.h"

TEST_F(RasterFixture, TrueColourTgaDecodes)
{
    const QString path = WriteMagick(Quadrants(30, 20), "q.tga", "TGA");
    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_TGA));
    EXPECT_EQ(img.GetWidth(), 30u);
    EXPECT_EQ(img.GetHeight(), 20u);
    EXPECT_EQ(img.GetXDPI(), 96);
    ExpectQuadrants(img.Image());
}

TEST_F(RasterFixture, ColourMappedTgaDecodes)
{
    // Header fields of an uncompressed colour-mapped Targa, 4 x 2 pixels.
    QByteArray tga(18, '\0');
    tga[0] = 0;            // ID length
    tga[1] = 1;            // colour map type: present
    tga[2] = 1;            // image type: uncompressed colour-mapped
    PutLe16(tga, 3, 0);    // first colour map entry
    PutLe16(tga, 5, 4);    // colour map length
    tga[7] = 24;           // colour map entry size
    PutLe16(tga, 8, 0);    // x origin
    PutLe16(tga, 10, 0);   // y origin
    PutLe16(tga, 12, 4);   // width
    PutLe16(tga, 14, 2);   // height
    tga[16] = 8;           // bits per pixel
    tga[17] = 0x20;        // descriptor: top-left origin
    // Colour map, BGR: red, green, blue, white.
    tga.append(QByteArray::fromHex("0000ff" "00ff00" "ff0000" "ffffff"));
    // Pixels: top row red red green green, bottom row blue blue white white.
    tga.append(QByteArray::fromHex("00000101" "02020303"));
    CRasterImage img;
    ASSERT_TRUE(img.Load(WriteBytes("mapped.tga", tga), RASTER_FORMAT_TGA));
    EXPECT_EQ(img.GetWidth(), 4u);
    EXPECT_EQ(img.GetHeight(), 2u);
    ExpectQuadrants(img.Image());
}
