#include "platform/gdi/GdiBitmap.h"

#include "platform/gdi/CDC.h"

GdiBitmap::GdiBitmap(int width, int height, int bitsPixel)
    : GdiObject(OBJ_BITMAP), m_image(std::max(1, width), std::max(1, height), QImage::Format_RGB32),
      m_bitsPixel(bitsPixel)
{
    m_image.fill(Qt::black);
}

GdiBitmap::GdiBitmap(const QImage& image)
    : GdiObject(OBJ_BITMAP), m_image(image.convertToFormat(QImage::Format_RGB32)), m_bitsPixel(32)
{
}

GdiBitmap* GdiBitmap::Stock()
{
    static GdiBitmap* stock = [] {
        auto* b = new GdiBitmap(1, 1, 1);
        b->MakeStock();
        return b;
    }();
    return stock;
}

void GdiBitmap::Describe(BITMAP* out) const
{
    out->bmType = 0;
    out->bmWidth = Width();
    out->bmHeight = Height();
    out->bmPlanes = 1;
    out->bmBitsPixel = WORD(m_bitsPixel);
    out->bmWidthBytes = LONG(((qint64(Width()) * m_bitsPixel + 15) / 16) * 2);
    out->bmBits = nullptr;
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (width <= 0 || height <= 0 || qint64(width) * height > MaxBitmapPixels || planes == 0 || bitsPerPixel == 0)
        return nullptr;
    const UINT depth = planes * bitsPerPixel;
    auto* bitmap = new GdiBitmap(width, height, depth == 1 ? 1 : int(depth));
    if (bits == nullptr || (depth != 1 && depth != 8 && depth != 24 && depth != 32))
        return bitmap;
    const auto* row = static_cast<const uint8_t*>(bits);
    const qint64 stride = ((qint64(width) * depth + 15) / 16) * 2;
    QImage& img = bitmap->Image();
    for (int y = 0; y < height; ++y, row += stride) {
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            switch (depth) {
            case 1: out[x] = (row[x / 8] & (0x80 >> (x % 8))) ? 0xffffffffu : 0xff000000u; break;
            case 8: out[x] = qRgb(row[x], row[x], row[x]); break;
            case 24: out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
            default: out[x] = qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]); break;
            }
        }
    }
    return bitmap;
}

HBITMAP CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    const GdiBitmap* selected = dc ? dc->SelectedBitmap() : nullptr;
    const bool mono = selected != nullptr && selected->Monochrome();
    return CreateBitmap(width, height, 1, mono ? 1 : 32, nullptr);
}

int GetObject(HBITMAP bitmap, int size, BITMAP* out)
{
    if (bitmap == nullptr || bitmap->IsDeleted())
        return 0;
    if (out == nullptr)
        return int(sizeof(BITMAP));
    if (size < int(sizeof(BITMAP)))
        return 0;
    bitmap->Describe(out);
    return int(sizeof(BITMAP));
}
