// COXDIB: bitmaps made from images, resizing and half-tone dithering.
#include "COXDIB.h"

#include <QtEndian>
#include <array>
#include <cmath>
#include <vector>

namespace {

// A 40-byte header for a bottom-up BI_RGB bitmap, then the colour table.
QByteArray makeInfo(int width, int height, int bitCount, const QList<QRgb>& table, CSize resolution)
{
    QByteArray info(40 + 4 * table.size(), '\0');
    char* p = info.data();
    qToLittleEndian<uint32_t>(40, p);
    qToLittleEndian<int32_t>(width, p + 4);
    qToLittleEndian<int32_t>(height, p + 8);
    qToLittleEndian<uint16_t>(1, p + 12);
    qToLittleEndian<uint16_t>(uint16_t(bitCount), p + 14);
    const uint32_t stride = ((uint32_t(width) * uint32_t(bitCount) + 31) / 32) * 4;
    qToLittleEndian<uint32_t>(stride * uint32_t(height), p + 20);
    qToLittleEndian<int32_t>(resolution.cx, p + 24);
    qToLittleEndian<int32_t>(resolution.cy, p + 28);
    qToLittleEndian<uint32_t>(uint32_t(table.size()), p + 32);
    for (int i = 0; i < table.size(); ++i) {
        uchar* q = reinterpret_cast<uchar*>(p + 40 + 4 * i);
        q[0] = uchar(qBlue(table[i])), q[1] = uchar(qGreen(table[i])), q[2] = uchar(qRed(table[i])), q[3] = 0;
    }
    return info;
}

// The platform's half-tone palette: the 6 x 6 x 6 colour cube and forty
// greys between its levels, so that dark and light tones dither finely.
const std::array<QRgb, 256>& halftonePalette()
{
    static const std::array<QRgb, 256> palette = [] {
        std::array<QRgb, 256> p{};
        int n = 0;
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p[size_t(n++)] = qRgb(r * 51, g * 51, b * 51);
        for (int i = 0; n < 256; ++i) {
            const int v = 6 + i * 255 / 41;
            if (v % 51 != 0)
                p[size_t(n++)] = qRgb(v, v, v);
        }
        return p;
    }();
    return palette;
}

int distance(int r, int g, int b, QRgb c)
{
    const int dr = qRed(c) - r, dg = qGreen(c) - g, db = qBlue(c) - b;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

// The nearest palette entry: the nearest cube colour (channel by channel)
// or the nearest grey to the colour's weighted brightness, whichever is
// closer.
uint8_t nearest(int r, int g, int b)
{
    const auto& pal = halftonePalette();
    const auto level = [](int v) { return (v + 25) / 51; };
    const int cube = level(r) * 36 + level(g) * 6 + level(b);
    const int grey = (3 * r + 4 * g + 2 * b + 4) / 9;
    int best = cube, bestDist = distance(r, g, b, pal[size_t(cube)]);
    for (int i = 216; i < 256; ++i)
        if (std::abs(qRed(pal[size_t(i)]) - grey) <= 26)
            if (const int d = distance(r, g, b, pal[size_t(i)]); d < bestDist)
                best = i, bestDist = d;
    return uint8_t(best);
}

} // namespace

BOOL COXDIB::CreateFromImage(const QImage& image)
{
    if (image.isNull())
        return FALSE;
    const bool alpha = image.hasAlphaChannel();
    const QImage src = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int w = src.width(), h = src.height(), bytesPer = alpha ? 4 : 3;
    const int stride = ((w * bytesPer * 8 + 31) / 32) * 4;
    QByteArray bits(qsizetype(stride) * h, '\0');
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* out = reinterpret_cast<uchar*>(bits.data()) + qsizetype(h - 1 - y) * stride;
        for (int x = 0; x < w; ++x, out += bytesPer) {
            out[0] = uchar(qBlue(in[x])), out[1] = uchar(qGreen(in[x])), out[2] = uchar(qRed(in[x]));
            if (alpha)
                out[3] = uchar(qAlpha(in[x]));
        }
    }
    const CSize res(int(std::lround(image.dotsPerMeterX())), int(std::lround(image.dotsPerMeterY())));
    return setPacked(makeInfo(w, h, bytesPer * 8, {}, res), bits);
}

BOOL COXDIB::ResizeDIB(int cx, int cy)
{
    if (IsEmpty() || cx <= 0 || cy <= 0 || qint64(cx) * cy > (qint64(1) << 28))
        return FALSE;
    const QImage image = ToImage();
    if (image.isNull())
        return FALSE;
    const CSize res = GetResolution();
    if (!CreateFromImage(image.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB32)))
        return FALSE;
    // The resolution stays that of the picture, not of its new pixel count.
    qToLittleEndian<int32_t>(res.cx, m_info.data() + 24);
    qToLittleEndian<int32_t>(res.cy, m_info.data() + 28);
    return TRUE;
}

BOOL COXDIB::HalfToneDitherDIB()
{
    const QImage image = ToImage();
    if (image.isNull())
        return FALSE;
    const int w = image.width(), h = image.height();
    const int stride = ((w * 8 + 31) / 32) * 4;
    QByteArray bits(qsizetype(stride) * h, '\0');
    // Floyd-Steinberg error diffusion, one row of errors ahead.
    std::vector<std::array<int, 3>> err(size_t(w) + 2), next(size_t(w) + 2);
    const auto& pal = halftonePalette();
    for (int y = 0; y < h; ++y) {
        std::fill(next.begin(), next.end(), std::array<int, 3>{0, 0, 0});
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* out = reinterpret_cast<uchar*>(bits.data()) + qsizetype(h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) {
            const auto& e = err[size_t(x) + 1];
            const int r = std::clamp(qRed(in[x]) + e[0] / 16, 0, 255);
            const int g = std::clamp(qGreen(in[x]) + e[1] / 16, 0, 255);
            const int b = std::clamp(qBlue(in[x]) + e[2] / 16, 0, 255);
            const uint8_t index = nearest(r, g, b);
            out[x] = index;
            const int d[3] = {r - qRed(pal[index]), g - qGreen(pal[index]), b - qBlue(pal[index])};
            for (int c = 0; c < 3; ++c) {
                err[size_t(x) + 2][size_t(c)] += d[c] * 7;
                next[size_t(x)][size_t(c)] += d[c] * 3;
                next[size_t(x) + 1][size_t(c)] += d[c] * 5;
                next[size_t(x) + 2][size_t(c)] += d[c];
            }
        }
        std::swap(err, next);
    }
    const QList<QRgb> table(pal.begin(), pal.end());
    const CSize res = GetResolution();
    return setPacked(makeInfo(w, h, 8, table, res), bits);
}
