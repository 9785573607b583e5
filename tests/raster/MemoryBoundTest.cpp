// The memory bound that replaces Qt's allocation limit, and images over it
// refused before their pixels exist.
#include "AllocationMeter.h"
#include "PcxTestFiles.h"
#include "RasterFixture.h"

#include "raster/CRasterImage.h"
#include "raster/RasterMemoryBound.h"

#include <QImageReader>

#include <unistd.h>

namespace {

constexpr qint64 kMB = qint64(1) << 20;

// Loads path while measuring; expects a refusal that allocated less than
// limit bytes.
void expectRefusedWithin(const QString& path, int format, size_t limit)
{
    CRasterImage img;
    allocmeter::Start();
    EXPECT_FALSE(img.Load(path, format)) << qPrintable(path);
    const size_t peak = allocmeter::PeakSinceStart();
    if (allocmeter::Available()) {
        EXPECT_LT(peak, limit) << qPrintable(path) << " allocated " << peak << " bytes";
    }
    EXPECT_FALSE(img.IsValid());
}

} // namespace

TEST(RasterMemoryBoundTest, IsAQuarterOfTheMachinesMemory)
{
    const qint64 physical = qint64(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGE_SIZE);
    const qint64 bound = RasterMemoryBound::FromMachine();
    EXPECT_GE(bound, 64 * kMB);
    EXPECT_LE(bound, std::max(physical / 4, 64 * kMB));
    EXPECT_EQ(RasterMemoryBound::Bytes(), bound);
    // Above Qt's own limit on any machine with more than 512 MB.
    if (physical > 512 * kMB) {
        EXPECT_GE(bound, 128 * kMB);
    }
}

TEST(RasterMemoryBoundTest, AdmitsChecksArithmetic)
{
    RasterMemoryBound::SetOverride(4 * kMB);
    EXPECT_TRUE(RasterMemoryBound::Admits(1024, 1024));
    EXPECT_FALSE(RasterMemoryBound::Admits(1024, 1025));
    EXPECT_TRUE(RasterMemoryBound::Admits(1024, 2048, 2));
    EXPECT_FALSE(RasterMemoryBound::Admits(0, 10));
    EXPECT_FALSE(RasterMemoryBound::Admits(10, -1));
    EXPECT_FALSE(RasterMemoryBound::Admits(RasterMemoryBound::kMaxSide + 1, 1));
    RasterMemoryBound::SetOverride(std::numeric_limits<qint64>::max());
    // width * height * 4 overflows 64 bits only beyond the side limit; the
    // multiplication is checked all the same.
    EXPECT_FALSE(RasterMemoryBound::Admits(std::numeric_limits<qint64>::max() / 2, 3));
    RasterMemoryBound::SetOverride(0);
    EXPECT_EQ(RasterMemoryBound::Bytes(), RasterMemoryBound::FromMachine());
}

TEST_F(RasterFixture, ImagesOverTheBoundAreRefusedWithoutTheirPixels)
{
    // 1000 x 1000 decodes to 4 MB; the bound is set to 1 MB.
    const QImage src = Quadrants(1000, 1000);
    const QString files[] = {
        WriteQt(src, "big.png", "png"),   WriteQt(src, "big.jpg", "jpeg"), WriteQt(src, "big.bmp", "bmp"),
        WriteQt(src, "big.tif", "tiff"),  WriteMagick(src, "big.gif", "GIF"), WriteMagick(src, "big.pcx", "PCX"),
        WriteMagick(src, "big.ras", "SUN"), WriteMagick(src, "big.tga", "TGA"),
    };
    const int ids[] = {RASTER_FORMAT_PNG, RASTER_FORMAT_JPG, RASTER_FORMAT_BMP, RASTER_FORMAT_TIF,
                       RASTER_FORMAT_GIF, RASTER_FORMAT_PCX, RASTER_FORMAT_RAS, RASTER_FORMAT_TGA};
    RasterMemoryBound::SetOverride(1 * kMB);
    for (size_t i = 0; i < std::size(files); ++i) {
        expectRefusedWithin(files[i], ids[i], size_t(kMB));
        expectRefusedWithin(files[i], RASTER_FORMAT_BY_CONTENT, size_t(kMB));
    }
    // The same files load under the machine's bound: the bound refused them.
    RasterMemoryBound::SetOverride(0);
    for (size_t i = 0; i < std::size(files); ++i) {
        CRasterImage img;
        allocmeter::Start();
        EXPECT_TRUE(img.Load(files[i], ids[i])) << qPrintable(files[i]);
        EXPECT_EQ(img.GetWidth(), 1000u);
        // The meter sees the pixels of an accepted image.
        if (allocmeter::Available()) {
            EXPECT_GE(allocmeter::PeakSinceStart(), size_t(img.Image().sizeInBytes()));
        }
    }
}

TEST_F(RasterFixture, ImagesOverTheBoundLoadAboveQtsOwnLimit)
{
    // 9000 x 4000 at 4 bytes is 137 MB, over Qt 6.4's default of 128 MB.
    if (RasterMemoryBound::FromMachine() < 256 * kMB)
        GTEST_SKIP() << "machine bound too small";
    QImage wide(9000, 4000, QImage::Format_RGB32);
    wide.fill(qRgb(10, 20, 30));
    const QString path = WriteQt(wide, "wide.png", "png");
    wide = QImage();
    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_PNG));
    EXPECT_EQ(img.GetWidth(), 9000u);
}

TEST_F(RasterFixture, HugeDeclaredSizesAreRefusedWithoutAllocating)
{
    // PNG: signature, then an IHDR declaring 100000 x 100000 RGBA (40 GB),
    // then nothing more.
    QByteArray png = QByteArray::fromHex("89504e470d0a1a0a");
    QByteArray ihdr(25, '\0');
    PutBe32(ihdr, 0, 13);        // chunk length
    ihdr.replace(4, 4, "IHDR");  // chunk type
    PutBe32(ihdr, 8, 100000);    // width
    PutBe32(ihdr, 12, 100000);   // height
    ihdr[16] = 8;                // bit depth
    ihdr[17] = 6;                // colour type: RGBA
    // compression, filter, interlace 0; the CRC is left 0 (wrong)
    png.append(ihdr);

    // BMP: file header and BITMAPINFOHEADER declaring 60000 x 60000, 32 bits.
    QByteArray bmp(54, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    PutLe32(bmp, 2, 54);         // bfSize
    PutLe32(bmp, 10, 54);        // bfOffBits
    PutLe32(bmp, 14, 40);        // biSize
    PutLe32(bmp, 18, 60000);     // biWidth
    PutLe32(bmp, 22, 60000);     // biHeight
    PutLe16(bmp, 26, 1);         // biPlanes
    PutLe16(bmp, 28, 32);        // biBitCount

    // PCX: 65535 x 65535 in three planes, and a few bytes of data.
    QByteArray pcx = PcxHeaderBytes(65535, 65535, 8, 3, 65535);
    pcx.append(QByteArray::fromHex("ff00ff00"));

    // Sun raster: magic, 1000000 x 1000000 at 24 bits, standard type.
    QByteArray ras(32, '\0');
    PutBe32(ras, 0, 0x59a66a95); // magic
    PutBe32(ras, 4, 1000000);    // width
    PutBe32(ras, 8, 1000000);    // height
    PutBe32(ras, 12, 24);        // depth
    PutBe32(ras, 16, 0);         // length of the data: unknown
    PutBe32(ras, 20, 1);         // type: standard
    PutBe32(ras, 24, 0);         // colour map type: none
    PutBe32(ras, 28, 0);         // colour map length

    const struct {
        QString path;
        int id;
    } files[] = {{WriteBytes("huge.png", png), RASTER_FORMAT_PNG},
                 {WriteBytes("huge.bmp", bmp), RASTER_FORMAT_BMP},
                 {WriteBytes("huge.pcx", pcx), RASTER_FORMAT_PCX},
                 {WriteBytes("huge.ras", ras), RASTER_FORMAT_RAS}};
    for (const auto& f : files) {
        expectRefusedWithin(f.path, f.id, size_t(kMB));
        expectRefusedWithin(f.path, RASTER_FORMAT_BY_CONTENT, size_t(kMB));
    }
}
