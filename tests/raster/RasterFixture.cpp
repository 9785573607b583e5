#include "RasterFixture.h"

#include "raster/RasterMemoryBound.h"

#include <QFile>
#include <QImageWriter>

#include <Magick++.h>

#include <cmath>
#include <mutex>

void RasterFixture::TearDown()
{
    RasterMemoryBound::SetOverride(0);
}

QString RasterFixture::WriteQt(const QImage& image, const QString& name, const char* format, int dpi) const
{
    QImage copy = image;
    if (dpi > 0) {
        const int dpm = int(std::lround(dpi / 0.0254));
        copy.setDotsPerMeterX(dpm);
        copy.setDotsPerMeterY(dpm);
    }
    const QString path = Path(name);
    QImageWriter writer(path, format);
    EXPECT_TRUE(writer.write(copy)) << qPrintable(writer.errorString()) << " " << format;
    return path;
}

QString RasterFixture::WriteMagick(const QImage& image, const QString& name, const char* magick, int dpi) const
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Without GraphicsMagick's signal handlers, as the raster layer runs it.
        MagickLib::ExceptionInfo ex;
        MagickLib::GetExceptionInfo(&ex);
        MagickLib::InitializeMagickEx(nullptr, MAGICK_OPT_NO_SIGNAL_HANDER, &ex);
        MagickLib::DestroyExceptionInfo(&ex);
    });
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Magick::Image m(argb.width(), argb.height(), "BGRA", Magick::CharPixel, argb.constBits());
    if (!image.hasAlphaChannel())
        m.matte(false);
    if (dpi > 0) {
        m.resolutionUnits(Magick::PixelsPerInchResolution);
        m.density(Magick::Geometry(dpi, dpi));
    }
    const QString path = Path(name);
    m.write(std::string(magick) + ":" + path.toStdString());
    return path;
}

QString RasterFixture::WriteBytes(const QString& name, const QByteArray& bytes) const
{
    const QString path = Path(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return path;
}

QByteArray RasterFixture::ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QImage RasterFixture::Quadrants(int width, int height, QImage::Format format)
{
    QImage img(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            const QRgb c = !bottom ? (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0))
                                   : (right ? qRgb(255, 255, 255) : qRgb(0, 0, 255));
            img.setPixel(x, y, c);
        }
    }
    return img.convertToFormat(format);
}

void RasterFixture::ExpectQuadrants(const QImage& image, int tolerance)
{
    ASSERT_FALSE(image.isNull());
    const int w = image.width(), h = image.height();
    const struct {
        int x, y;
        QRgb expected;
    } probes[] = {
        {w / 4, h / 4, qRgb(255, 0, 0)},
        {3 * w / 4, h / 4, qRgb(0, 255, 0)},
        {w / 4, 3 * h / 4, qRgb(0, 0, 255)},
        {3 * w / 4, 3 * h / 4, qRgb(255, 255, 255)},
    };
    for (const auto& p : probes) {
        const QRgb got = image.pixel(p.x, p.y);
        EXPECT_NEAR(qRed(got), qRed(p.expected), tolerance) << "at " << p.x << "," << p.y;
        EXPECT_NEAR(qGreen(got), qGreen(p.expected), tolerance) << "at " << p.x << "," << p.y;
        EXPECT_NEAR(qBlue(got), qBlue(p.expected), tolerance) << "at " << p.x << "," << p.y;
    }
}

void PutLe16(QByteArray& bytes, int at, quint16 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

void PutLe32(QByteArray& bytes, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

void PutBe32(QByteArray& bytes, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * (3 - i))) & 0xFF);
}
