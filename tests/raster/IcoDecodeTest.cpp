// Icon files with several images, built field by field: the largest image
// is shown, wherever it stands in the directory.
#include "RasterFixture.h"

#include "raster/CRasterImage.h"

#include <QBuffer>

#include <cstdint>
#include <vector>

namespace {

// One icon image as a device-independent bitmap: a BITMAPINFOHEADER whose
// height counts the colour rows and the mask rows, 32-bit colour rows bottom
// up, then the AND mask (all 0: opaque).
QByteArray iconDib(const QImage& image)
{
    const int s = image.width();
    const int maskStride = ((s + 31) / 32) * 4;
    QByteArray dib(40 + s * s * 4 + maskStride * s, '\0');
    PutLe32(dib, 0, 40);            // biSize
    PutLe32(dib, 4, quint32(s));    // biWidth
    PutLe32(dib, 8, quint32(2 * s)); // biHeight: colour and mask rows
    PutLe16(dib, 12, 1);            // biPlanes
    PutLe16(dib, 14, 32);           // biBitCount
    PutLe32(dib, 16, 0);            // biCompression: BI_RGB
    PutLe32(dib, 20, quint32(s * s * 4)); // biSizeImage
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < s; ++row) {
        const QRgb* src = reinterpret_cast<const QRgb*>(argb.constScanLine(s - 1 - row));
        for (int x = 0; x < s; ++x)
            PutLe32(dib, 40 + (row * s + x) * 4, src[x] | 0xFF000000u); // BGRA in memory
    }
    return dib;
}

// pngFrom: images from this index on are stored as PNG, as icons with
// 256-pixel images usually store them.
QByteArray iconFile(const std::vector<QImage>& images, size_t pngFrom = SIZE_MAX)
{
    const int count = int(images.size());
    QByteArray file(6 + 16 * count, '\0');
    PutLe16(file, 0, 0);             // idReserved
    PutLe16(file, 2, 1);             // idType: icon
    PutLe16(file, 4, quint16(count)); // idCount
    for (int i = 0; i < count; ++i) {
        QByteArray dib;
        if (size_t(i) >= pngFrom) {
            QBuffer buffer(&dib);
            buffer.open(QIODevice::WriteOnly);
            images[size_t(i)].save(&buffer, "png");
        } else {
            dib = iconDib(images[size_t(i)]);
        }
        const int entry = 6 + 16 * i;
        const int s = images[size_t(i)].width();
        file[entry + 0] = char(s >= 256 ? 0 : s); // bWidth, 0 for 256
        file[entry + 1] = char(s >= 256 ? 0 : s); // bHeight
        file[entry + 2] = 0;                      // bColorCount
        file[entry + 3] = 0;                      // bReserved
        PutLe16(file, entry + 4, 1);              // wPlanes
        PutLe16(file, entry + 6, 32);             // wBitCount
        PutLe32(file, entry + 8, quint32(dib.size()));  // dwBytesInRes
        PutLe32(file, entry + 12, quint32(file.size())); // dwImageOffset
        file.append(dib);
    }
    return file;
}

QImage solid(int size, QRgb colour)
{
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

} // namespace

TEST_F(RasterFixture, IconShowsItsLargestImage)
{
    const QString path =
        WriteBytes("three.ico", iconFile({solid(16, qRgb(255, 0, 0)), Quadrants(48, 48), solid(32, qRgb(0, 0, 255))}));
    for (int format : {int(RASTER_FORMAT_ICO), int(RASTER_FORMAT_BY_CONTENT)}) {
        CRasterImage img;
        ASSERT_TRUE(img.Load(path, format)) << format;
        EXPECT_EQ(img.GetWidth(), 48u);
        EXPECT_EQ(img.GetHeight(), 48u);
        EXPECT_EQ(img.GetXDPI(), 96);
        ExpectQuadrants(img.Image());
    }
}

TEST_F(RasterFixture, IconOf256PixelsIsTheLargest)
{
    // The directory writes 256 as 0 in its one-byte width and height.
    const QString path = WriteBytes("big.ico", iconFile({Quadrants(256, 256), solid(64, qRgb(255, 0, 0))}));
    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_ICO));
    EXPECT_EQ(img.GetWidth(), 256u);
    ExpectQuadrants(img.Image());
}

TEST_F(RasterFixture, SingleImageIcon)
{
    CRasterImage img;
    ASSERT_TRUE(img.Load(WriteBytes("one.ico", iconFile({Quadrants(32, 32)})), RASTER_FORMAT_ICO));
    EXPECT_EQ(img.GetWidth(), 32u);
    ExpectQuadrants(img.Image());
}

TEST_F(RasterFixture, IconWithPngImagesShowsTheLargest)
{
    const QString path =
        WriteBytes("png.ico", iconFile({solid(48, qRgb(255, 0, 0)), Quadrants(256, 256), solid(32, qRgb(0, 0, 255))}, 1));
    CRasterImage img;
    ASSERT_TRUE(img.Load(path, RASTER_FORMAT_ICO));
    EXPECT_EQ(img.GetWidth(), 256u);
    ExpectQuadrants(img.Image());
}
