// Truncated and corrupt raster files: loading them may fail or show what
// could be decoded, but never crashes, hangs or reads out of bounds (these
// tests also run under AddressSanitizer and UndefinedBehaviorSanitizer).
#include "PcxTestFiles.h"
#include "RasterFixture.h"

#include "raster/CRasterImage.h"

#include <cstdint>

namespace {

// Loads a file with its format id and by content; the outcome is not
// checked, only that it comes back, and that a valid image is consistent.
void loadBothWays(const QString& path, int id)
{
    for (int format : {id, int(RASTER_FORMAT_BY_CONTENT)}) {
        CRasterImage img;
        if (img.Load(path, format)) {
            EXPECT_GT(img.GetWidth(), 0u);
            EXPECT_GT(img.GetXDPI(), 0);
            EXPECT_GT(img.GetYDPI(), 0);
        }
    }
}

uint32_t nextRandom(uint32_t& state)
{
    // xorshift32: a fixed sequence, so failures reproduce.
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

} // namespace

TEST_F(RasterFixture, TruncatedAndDamagedCopiesOfEveryFormat)
{
    const QImage src = Quadrants(23, 17);
    const struct {
        QString path;
        int id;
    } files[] = {
        {WriteQt(src, "v.bmp", "bmp"), RASTER_FORMAT_BMP},    {WriteMagick(src, "v.gif", "GIF"), RASTER_FORMAT_GIF},
        {WriteQt(src, "v.jpg", "jpeg"), RASTER_FORMAT_JPG},   {WriteQt(src, "v.png", "png"), RASTER_FORMAT_PNG},
        {WriteQt(src, "v.ico", "ico"), RASTER_FORMAT_ICO},    {WriteQt(src, "v.tif", "tiff"), RASTER_FORMAT_TIF},
        {WriteMagick(src, "v.tga", "TGA"), RASTER_FORMAT_TGA}, {WriteMagick(src, "v.pcx", "PCX"), RASTER_FORMAT_PCX},
        {WriteMagick(src, "v.ras", "SUN"), RASTER_FORMAT_RAS}, {WriteMagick(src, "v.jng", "JNG"), RASTER_FORMAT_MNG},
        {WriteMagick(src, "v.mng", "MNG"), RASTER_FORMAT_MNG}, {WriteMagick(src, "v.pam", "PAM"), RASTER_FORMAT_PNM},
    };
    uint32_t seed = 0x1234567u;
    for (const auto& f : files) {
        const QByteArray good = ReadBytes(f.path);
        ASSERT_GT(good.size(), 16) << qPrintable(f.path);
        // Cut at every eighth of the file, and inside the first header bytes.
        for (qsizetype cut : {qsizetype(1), qsizetype(8), qsizetype(20), qsizetype(60)}) {
            if (cut < good.size())
                loadBothWays(WriteBytes("cut" + QFileInfo(f.path).fileName(), good.left(cut)), f.id);
        }
        for (int eighth = 1; eighth < 8; ++eighth)
            loadBothWays(WriteBytes("cut" + QFileInfo(f.path).fileName(), good.left(good.size() * eighth / 8)), f.id);
        // Overwrite a few random bytes, mostly in the header.
        for (int round = 0; round < 24; ++round) {
            QByteArray bad = good;
            for (int k = 0; k < 4; ++k) {
                const qsizetype span = round % 2 ? bad.size() : std::min<qsizetype>(bad.size(), 64);
                bad[qsizetype(nextRandom(seed) % uint32_t(span))] = char(nextRandom(seed));
            }
            loadBothWays(WriteBytes("bad" + QFileInfo(f.path).fileName(), bad), f.id);
        }
    }
}

TEST_F(RasterFixture, BmpWithDataOffsetBeyondTheFile)
{
    QByteArray bmp(54 + 12, '\0');
    bmp[0] = 'B';                 // bfType "BM"
    bmp[1] = 'M';
    PutLe32(bmp, 2, 66);          // bfSize
    PutLe32(bmp, 10, 0x7FFFFFF0); // bfOffBits: far beyond the end
    PutLe32(bmp, 14, 40);         // biSize
    PutLe32(bmp, 18, 2);          // biWidth
    PutLe32(bmp, 22, 2);          // biHeight
    PutLe16(bmp, 26, 1);          // biPlanes
    PutLe16(bmp, 28, 24);         // biBitCount
    loadBothWays(WriteBytes("offset.bmp", bmp), RASTER_FORMAT_BMP);
    PutLe32(bmp, 22, 0x80000000); // biHeight: INT_MIN, top-down of 2^31 rows
    loadBothWays(WriteBytes("intmin.bmp", bmp), RASTER_FORMAT_BMP);
}

TEST_F(RasterFixture, IconDirectoryPointingOutsideTheFile)
{
    QByteArray ico(6 + 16, '\0');
    PutLe16(ico, 0, 0);              // idReserved
    PutLe16(ico, 2, 1);              // idType: icon
    PutLe16(ico, 4, 0xFFFF);         // idCount: 65535 entries, one present
    ico[6] = 0;                      // bWidth: 256
    ico[7] = 0;                      // bHeight: 256
    PutLe16(ico, 10, 1);             // wPlanes
    PutLe16(ico, 12, 32);            // wBitCount
    PutLe32(ico, 14, 0x7FFFFFFF);    // dwBytesInRes
    PutLe32(ico, 18, 0xFFFFFFF0);    // dwImageOffset: beyond the end
    CRasterImage img;
    EXPECT_FALSE(img.Load(WriteBytes("dir.ico", ico), RASTER_FORMAT_ICO));
    EXPECT_FALSE(img.Load(Path("dir.ico"), RASTER_FORMAT_BY_CONTENT));
}

TEST_F(RasterFixture, GifWithInvalidLzwData)
{
    QByteArray gif("GIF89a");
    gif.append(QByteArray::fromHex("0400" "0400" // logical screen 4 x 4
                                   "80"          // global colour table of 2 entries
                                   "00" "00"     // background, aspect
                                   "000000" "ffffff" // the colour table
                                   "2c" "0000" "0000" "0400" "0400" "00" // image descriptor
                                   "0c"          // LZW minimum code size 12: invalid
                                   "05" "ffffffffff" // a data sub-block of garbage
                                   "00" "3b"));  // block terminator, trailer
    loadBothWays(WriteBytes("lzw.gif", gif), RASTER_FORMAT_GIF);
}

TEST_F(RasterFixture, ColourMappedTgaWithRunsPastTheEnd)
{
    QByteArray tga(18, '\0');
    tga[1] = 1;            // colour map type: present
    tga[2] = 9;            // image type: run-length colour-mapped
    PutLe16(tga, 3, 0);    // first colour map entry
    PutLe16(tga, 5, 2);    // colour map length: 2
    tga[7] = 24;           // colour map entry size
    PutLe16(tga, 12, 4);   // width
    PutLe16(tga, 14, 4);   // height
    tga[16] = 8;           // bits per pixel
    tga.append(QByteArray::fromHex("000000" "ffffff")); // colour map
    // Runs of 128 pixels of colour 200 (beyond the map), far past 16 pixels.
    tga.append(QByteArray::fromHex("ffc8" "ffc8" "ffc8"));
    loadBothWays(WriteBytes("runs.tga", tga), RASTER_FORMAT_TGA);
}

TEST_F(RasterFixture, SunRasterWithColourMapLongerThanTheFile)
{
    QByteArray ras(32, '\0');
    PutBe32(ras, 0, 0x59a66a95); // magic
    PutBe32(ras, 4, 4);          // width
    PutBe32(ras, 8, 4);          // height
    PutBe32(ras, 12, 8);         // depth
    PutBe32(ras, 16, 16);        // length of the data
    PutBe32(ras, 20, 2);         // type: byte-encoded (run-length)
    PutBe32(ras, 24, 1);         // colour map type: RGB
    PutBe32(ras, 28, 0x7FFFFFFF); // colour map length: 2 GB
    ras.append(QByteArray(6, char(0x80)));
    loadBothWays(WriteBytes("map.ras", ras), RASTER_FORMAT_RAS);
}

TEST_F(RasterFixture, PcxWithNothingAfterTheHeaderFails)
{
    CRasterImage img;
    EXPECT_FALSE(img.Load(WriteBytes("head.pcx", PcxHeaderBytes(640, 480, 8, 3, 640)), RASTER_FORMAT_PCX));
    // A palette marker where the data should be, but no room for a palette.
    QByteArray pcx = PcxHeaderBytes(2, 2, 8, 1, 2);
    pcx.append(char(0x0C));
    EXPECT_TRUE(img.Load(WriteBytes("marker.pcx", pcx), RASTER_FORMAT_PCX));
    EXPECT_EQ(img.GetWidth(), 2u);
}

TEST_F(RasterFixture, JpegEndingInsideItsHeaders)
{
    const QByteArray jpg = ReadBytes(WriteQt(Quadrants(64, 64), "src.jpg", "jpeg"));
    const qsizetype sos = jpg.indexOf(QByteArray::fromHex("ffda"));
    ASSERT_GT(sos, 0);
    CRasterImage img;
    EXPECT_FALSE(img.Load(WriteBytes("nosos.jpg", jpg.left(sos)), RASTER_FORMAT_JPG));
    // Cut inside the scan: libjpeg fills the rest, the image loads.
    if (img.Load(WriteBytes("halfscan.jpg", jpg.left(sos + (jpg.size() - sos) / 2)), RASTER_FORMAT_JPG)) {
        EXPECT_EQ(img.GetWidth(), 64u);
    }
}
