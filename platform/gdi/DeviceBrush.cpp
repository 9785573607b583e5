#include "platform/gdi/DeviceBrush.h"

#include "platform/gdi/GdiColor.h"

#include <QImage>

namespace {

// Rows of the six hatches, most significant bit leftmost.
const unsigned char hatchBits[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00}, // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0x08, 0xff, 0x08, 0x08, 0x08}, // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // HS_DIAGCROSS
};

} // namespace

QImage DeviceBrush::Tile(const GdiBrush& brush, bool opaque, COLORREF background, COLORREF text)
{
    QBrush b;
    if (!Make(brush, opaque, background, &b, text))
        return QImage();
    if (b.style() == Qt::TexturePattern)
        return b.textureImage().convertToFormat(QImage::Format_ARGB32);
    QImage one(1, 1, QImage::Format_ARGB32);
    one.fill(b.color().rgb());
    return one;
}

bool DeviceBrush::Make(const GdiBrush& brush, bool opaque, COLORREF background, QBrush* out, COLORREF text)
{
    if (brush.IsNull())
        return false;
    if (brush.HasPattern()) {
        if (!brush.MonochromePattern()) {
            *out = QBrush(brush.Pattern());
            return true;
        }
        // Monochrome patterns draw in the text and background colours,
        // whatever the background mode.
        QImage tile = brush.Pattern().convertToFormat(QImage::Format_ARGB32);
        const QRgb fg = toQColor(text).rgb(), bg = toQColor(background).rgb();
        for (int y = 0; y < tile.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
            for (int x = 0; x < tile.width(); ++x)
                line[x] = (line[x] & 0xffffff) ? bg : fg;
        }
        *out = QBrush(tile);
        return true;
    }
    if (brush.Style() != BS_HATCHED) {
        *out = QBrush(toQColor(brush.Color()));
        return true;
    }
    QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
    const QRgb fg = toQColor(brush.Color()).rgba();
    const QRgb bg = opaque ? toQColor(background).rgba() : qRgba(0, 0, 0, 0);
    const auto& bits = hatchBits[brush.Hatch()];
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.setPixel(x, y, (bits[y] & (0x80 >> x)) ? fg : bg);
    *out = QBrush(tile);
    return true;
}
