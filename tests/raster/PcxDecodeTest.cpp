// PCX files from GraphicsMagick and built by hand, through the built-in
// decoder; GraphicsMagick's reading of the same files is the reference.
#include "PcxTestFiles.h"
#include "RasterFixture.h"

#include "raster/CRasterImage.h"
#include "raster/MagickRasterDecoder.h"
#include "raster/PcxHeader.h"

#include <QFile>

#include <Magick++.h>

namespace {

QImage magickReference(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const RasterDecodeResult r = MagickRasterDecoder::Decode(f, *RasterFormatTable::Find(RASTER_FORMAT_PCX));
    EXPECT_EQ(r.status, RasterDecodeStatus::Decoded);
    return r.image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST_F(RasterFixture, TrueColourPcxDecodesLikeGraphicsMagick)
{
    const QString path = WriteMagick(Quadrants(37, 21), "q.pcx", "PCX", 200);
    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_PCX));
    EXPECT_EQ(img.GetWidth(), 37u);
    EXPECT_EQ(img.GetHeight(), 21u);
    EXPECT_EQ(img.GetXDPI(), 200);
    EXPECT_EQ(img.GetYDPI(), 200);
    ExpectQuadrants(img.Image());
    EXPECT_EQ(img.Image().convertToFormat(QImage::Format_RGB32), magickReference(path));
}

TEST_F(RasterFixture, PalettePcxDecodesLikeGraphicsMagick)
{
    const QImage src = Quadrants(40, 10).convertToFormat(QImage::Format_Indexed8);
    WriteMagick(src, "tmp.png", "PNG");
    Magick::Image m(Path("tmp.png").toStdString());
    m.type(Magick::PaletteType);
    const QString path = Path("pal.pcx");
    m.write("PCX:" + path.toStdString());
    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_PCX));
    EXPECT_EQ(img.Image().format(), QImage::Format_Indexed8);
    ExpectQuadrants(img.Image());
    EXPECT_EQ(img.Image().convertToFormat(QImage::Format_RGB32), magickReference(path));
}

TEST_F(RasterFixture, MonochromePcxIsBlackAndWhite)
{
    // 10 x 2, one bit per pixel: a row of white then black, then the reverse.
    QByteArray file = PcxHeaderBytes(10, 2, 1, 1, 2);
    file.append(PcxEncode(QByteArray::fromHex("f800" "07c0")));
    CRasterImage img;
    ASSERT_TRUE(img.Load(WriteBytes("mono.pcx", file), RASTER_FORMAT_PCX));
    EXPECT_EQ(img.GetXDPI(), 96);
    EXPECT_EQ(img.Image().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img.Image().pixel(9, 0), qRgb(0, 0, 0));
    EXPECT_EQ(img.Image().pixel(0, 1), qRgb(0, 0, 0));
    EXPECT_EQ(img.Image().pixel(9, 1), qRgb(255, 255, 255));
}

TEST_F(RasterFixture, FourPlanePcxUsesTheEgaColours)
{
    // 8 x 1 in four bit planes: pixel x has colour index x + 8 (plane 3 set,
    // planes 0..2 hold the bits of x). The header's palette is empty, so the
    // EGA default colours apply: index 9 is light blue, 15 white.
    QByteArray file = PcxHeaderBytes(8, 1, 1, 4, 2);
    file.append(PcxEncode(QByteArray::fromHex("5500" "3300" "0f00" "ff00")));
    CRasterImage img;
    ASSERT_TRUE(img.Load(WriteBytes("ega.pcx", file), RASTER_FORMAT_PCX));
    EXPECT_EQ(img.Image().pixel(1, 0), qRgb(0x55, 0x55, 0xFF));
    EXPECT_EQ(img.Image().pixel(7, 0), qRgb(0xFF, 0xFF, 0xFF));
}

TEST_F(RasterFixture, PcxRunsMayCrossScanLines)
{
    // 8-bit grey without a trailing palette, 4 x 3 (lines padded to 4 bytes):
    // one run of 12 bytes fills all three lines.
    QByteArray file = PcxHeaderBytes(4, 3, 8, 1, 4);
    file.append(QByteArray::fromHex("cc80")); // run of 12 of 0x80
    CRasterImage img;
    ASSERT_TRUE(img.Load(WriteBytes("runs.pcx", file), RASTER_FORMAT_PCX));
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(img.Image().pixel(3, y), qRgb(0x80, 0x80, 0x80)) << y;
}

TEST_F(RasterFixture, PcxRunSplitAcrossTheDecodersReadBlocks)
{
    // The decoder reads the data in 64 KiB blocks: a count byte as the last
    // byte of the first block, its value the first byte of the next.
    const int width = 4096, height = 17;
    QByteArray data;
    for (int i = 0; i < 65535; ++i)
        data.append(char(i % 128));
    data.append(char(0xC5)).append(char(0x33)); // run of 5 of 0x33
    while (data.size() < 65535 + 2 + (width * height - 65540))
        data.append(char(0x11));
    QByteArray file = PcxHeaderBytes(width, height, 8, 1, width);
    file.append(data);
    CRasterImage img;
    ASSERT_TRUE(img.Load(WriteBytes("blocks.pcx", file), RASTER_FORMAT_PCX));
    const QImage& pixels = img.Image();
    auto grey = [&](int index) { return qGreen(pixels.pixel(index % width, index / width)); };
    EXPECT_EQ(grey(65534), 65534 % 128);
    for (int i = 65535; i < 65540; ++i)
        EXPECT_EQ(grey(i), 0x33) << i;
    EXPECT_EQ(grey(65540), 0x11);
    EXPECT_EQ(grey(width * height - 1), 0x11);
}

TEST_F(RasterFixture, TruncatedPcxKeepsItsLinesAndBlacksTheRest)
{
    QByteArray raw;
    for (int y = 0; y < 4; ++y)
        raw.append(QByteArray(4, char(0xFF))).append(QByteArray(4, char(0x00))).append(QByteArray(4, char(0x00)));
    QByteArray file = PcxHeaderBytes(4, 8, 8, 3, 4);
    file.append(PcxEncode(raw)); // four red lines of eight
    CRasterImage img;
    ASSERT_TRUE(img.Load(WriteBytes("cut.pcx", file), RASTER_FORMAT_PCX));
    EXPECT_EQ(img.Image().pixel(0, 3), qRgb(255, 0, 0));
    EXPECT_EQ(img.Image().pixel(0, 4), qRgb(0, 0, 0));
    EXPECT_EQ(img.Image().pixel(3, 7), qRgb(0, 0, 0));
}

TEST(PcxHeaderTest, RefusesImplausibleHeaders)
{
    const QByteArray good = PcxHeaderBytes(100, 50, 8, 3, 100);
    auto parse = [](const QByteArray& b) {
        return PcxHeader::Parse(std::span(reinterpret_cast<const uchar*>(b.constData()), size_t(b.size())));
    };
    ASSERT_TRUE(parse(good));
    EXPECT_EQ(parse(good)->Width(), 100);
    EXPECT_EQ(parse(good)->GetLayout(), PcxHeader::Layout::Rgb);

    EXPECT_FALSE(parse(good.left(127)));                     // shorter than a header
    EXPECT_FALSE(parse(PcxHeaderBytes(100, 50, 8, 3, 99)));  // lines shorter than a row
    EXPECT_FALSE(parse(PcxHeaderBytes(100, 50, 8, 0, 100))); // no plane
    EXPECT_FALSE(parse(PcxHeaderBytes(100, 50, 8, 5, 100))); // five planes
    EXPECT_FALSE(parse(PcxHeaderBytes(100, 50, 3, 1, 100))); // 3 bits per pixel
    EXPECT_FALSE(parse(PcxHeaderBytes(100, 50, 8, 1, 100, 0, 2))); // unknown encoding
    QByteArray b = good;
    b[0] = 0x0B; // manufacturer
    EXPECT_FALSE(parse(b));
    b = good;
    PutLe16(b, 4, 200); // Xmin beyond Xmax
    EXPECT_FALSE(parse(b));
    b = good;
    b[1] = 7; // version
    EXPECT_FALSE(parse(b));
    // 8 bits in 2 planes is a valid header of a layout no decoder here reads.
    EXPECT_EQ(parse(PcxHeaderBytes(10, 1, 8, 2, 10))->GetLayout(), PcxHeader::Layout::Unsupported);
}
