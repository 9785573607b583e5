// The device-independent bitmap: files in and out, copies, painting,
// resizing and half-tone dithering.
#include "framework/file/CArchive.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/QPainterBackend.h"
#include "tests/common/TestEnvironment.h"
#include "toolkit/COXDIB.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A 4 x 2 image: top row red, green, blue, white; bottom row black.
QImage sample()
{
    QImage img(4, 2, QImage::Format_RGB32);
    img.fill(Qt::black);
    img.setPixel(0, 0, qRgb(255, 0, 0));
    img.setPixel(1, 0, qRgb(0, 255, 0));
    img.setPixel(2, 0, qRgb(0, 0, 255));
    img.setPixel(3, 0, qRgb(255, 255, 255));
    return img;
}

// An 8-bit bitmap file of 2 x 1 with a two-colour table: 14-byte file
// header, 40-byte info header, 2 RGBQUADs, one padded row.
QByteArray eightBitFile()
{
    QByteArray f(14 + 40 + 8 + 4, '\0');
    char* p = f.data();
    p[0] = 'B', p[1] = 'M';
    qToLittleEndian<uint32_t>(uint32_t(f.size()), p + 2);
    qToLittleEndian<uint32_t>(14 + 40 + 8, p + 10);
    qToLittleEndian<uint32_t>(40, p + 14);   // biSize
    qToLittleEndian<int32_t>(2, p + 18);     // biWidth
    qToLittleEndian<int32_t>(1, p + 22);     // biHeight (bottom-up)
    qToLittleEndian<uint16_t>(1, p + 26);    // biPlanes
    qToLittleEndian<uint16_t>(8, p + 28);    // biBitCount
    qToLittleEndian<uint32_t>(2, p + 46);    // biClrUsed
    p[54] = 0, p[55] = 0, p[56] = char(200); // entry 0: red 200
    p[58] = char(10), p[59] = 0, p[60] = 0;  // entry 1: blue 10
    p[62] = 1, p[63] = 0;                    // pixels: entry 1, entry 0
    return f;
}

} // namespace

TEST(COXDIBTest, ReadsBitmapFilesAndPackedBitmaps)
{
    COXDIB dib;
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_EQ(dib.GetSize(), CSize(0, 0));
    ASSERT_TRUE(dib.ReadFromBytes(eightBitFile()));
    EXPECT_EQ(dib.GetSize(), CSize(2, 1));
    EXPECT_EQ(dib.GetNumBitsPerPixel(), 8);
    EXPECT_EQ(dib.GetNumColors(), 2);
    const QImage img = dib.ToImage();
    EXPECT_EQ(img.pixel(0, 0) & 0xffffff, 0x00000au);
    EXPECT_EQ(img.pixel(1, 0) & 0xffffff, 0xc80000u);

    // The packed copy reads back as the same bitmap.
    COXDIB copy;
    ASSERT_TRUE(copy.ReadFromBytes(dib.MakeCopy()));
    EXPECT_EQ(copy.ToImage(), img);
    EXPECT_EQ(dib.MakeCopy().size(), 40 + 8 + 4);
}

TEST(COXDIBTest, RefusesTruncatedAndAbsurdInputAndKeepsWhatItHad)
{
    COXDIB dib;
    ASSERT_TRUE(dib.CreateFromImage(sample()));
    const QByteArray good = eightBitFile();
    EXPECT_FALSE(dib.ReadFromBytes(good.left(good.size() - 4)));   // pixels cut off
    EXPECT_FALSE(dib.ReadFromBytes(good.left(20)));                 // header cut off
    QByteArray huge = good;
    qToLittleEndian<int32_t>(1 << 20, huge.data() + 18);            // width 2^20 ...
    qToLittleEndian<int32_t>(1 << 20, huge.data() + 22);            // ... by 2^20
    EXPECT_FALSE(dib.ReadFromBytes(huge));
    QByteArray badOffset = good;
    qToLittleEndian<uint32_t>(9999, badOffset.data() + 10);
    EXPECT_FALSE(dib.ReadFromBytes(badOffset));
    EXPECT_FALSE(dib.ReadFromBytes(QByteArray()));
    EXPECT_EQ(dib.GetSize(), CSize(4, 2));
    EXPECT_FALSE(dib.Read(testenv::Home() + "/missing.bmp"));
}

TEST(COXDIBTest, WritesABitmapFileThatReadsBackAndLeavesNoTemporaryFiles)
{
    COXDIB dib;
    ASSERT_TRUE(dib.CreateFromImage(sample()));
    EXPECT_EQ(dib.GetNumBitsPerPixel(), 24);
    const QString dir = testenv::Home() + "/dibwrite";
    QDir().mkpath(dir);
    const QString path = dir + "/out.bmp";
    ASSERT_TRUE(dib.Write(path));
    // Any image reader takes it as the same picture.
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), sample());
    COXDIB back;
    ASSERT_TRUE(back.Read(path));
    EXPECT_EQ(back.ToImage().convertToFormat(QImage::Format_RGB32), sample());
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{"out.bmp"});
    // A folder that does not exist: failure, and nothing written.
    EXPECT_FALSE(dib.Write(dir + "/no/such/folder/out.bmp"));
    EXPECT_FALSE(COXDIB().Write(dir + "/empty.bmp"));
    EXPECT_FALSE(QFile::exists(dir + "/empty.bmp"));

    // Through an archive: the same bytes as the file.
    CFile file;
    ASSERT_TRUE(file.Open(dir + "/ar.bmp", CFile::modeCreate | CFile::modeWrite));
    CArchive ar(&file, CArchive::store);
    EXPECT_TRUE(dib.Write(ar));
    file.Close();
    QFile a(dir + "/ar.bmp"), b(path);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

TEST(COXDIBTest, PaintsASourceRectangleCountedFromTheTop)
{
    COXDIB dib;
    ASSERT_TRUE(dib.CreateFromImage(sample()));
    QImage canvas(8, 4, QImage::Format_RGB32);
    canvas.fill(qRgb(1, 2, 3));
    {
        CDC dc(std::make_unique<QPainterBackend>(&canvas));
        // The top row's middle two pixels, doubled.
        ASSERT_TRUE(dib.Paint(&dc, CRect(0, 0, 4, 2), CRect(1, 0, 3, 1)));
        EXPECT_FALSE(dib.Paint(nullptr, CRect(0, 0, 4, 2), CRect(0, 0, 4, 2)));
    }
    EXPECT_EQ(canvas.pixel(0, 0) & 0xffffff, 0x00ff00u);
    EXPECT_EQ(canvas.pixel(1, 1) & 0xffffff, 0x00ff00u);
    EXPECT_EQ(canvas.pixel(3, 1) & 0xffffff, 0x0000ffu);
    EXPECT_EQ(canvas.pixel(4, 0) & 0xffffff, 0x010203u);
}

TEST(COXDIBTest, ResizeThenDitherGivesAnEightBitHalftoneBitmap)
{
    QImage grey(64, 16, QImage::Format_RGB32);
    grey.fill(qRgb(90, 90, 90));
    COXDIB dib;
    ASSERT_TRUE(dib.CreateFromImage(grey));
    EXPECT_FALSE(dib.ResizeDIB(0, 10));
    ASSERT_TRUE(dib.ResizeDIB(32, 8));
    EXPECT_EQ(dib.GetSize(), CSize(32, 8));
    ASSERT_TRUE(dib.HalfToneDitherDIB());
    EXPECT_EQ(dib.GetNumBitsPerPixel(), 8);
    EXPECT_EQ(dib.GetNumColors(), 256);
    // The dithered pixels average out to the grey they stand for.
    const QImage img = dib.ToImage();
    double sum = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            sum += qGray(img.pixel(x, y));
    EXPECT_NEAR(sum / (32 * 8), 90, 2);
    // Pure colours of the cube come through untouched.
    COXDIB pure;
    ASSERT_TRUE(pure.CreateFromImage(sample()));
    ASSERT_TRUE(pure.HalfToneDitherDIB());
    EXPECT_EQ(pure.ToImage().convertToFormat(QImage::Format_RGB32), sample());
    EXPECT_FALSE(COXDIB().HalfToneDitherDIB());
}
