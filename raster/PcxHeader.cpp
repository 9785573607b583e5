#include "raster/PcxHeader.h"

namespace {

quint16 le16(std::span<const uchar> b, size_t at)
{
    return quint16(b[at] | (b[at + 1] << 8));
}

// The 16 colours of the EGA default palette.
constexpr std::array<QRgb, 16> kEgaDefault = {
    0xFF000000, 0xFF0000AA, 0xFF00AA00, 0xFF00AAAA, 0xFFAA0000, 0xFFAA00AA, 0xFFAA5500, 0xFFAAAAAA,
    0xFF555555, 0xFF5555FF, 0xFF55FF55, 0xFF55FFFF, 0xFFFF5555, 0xFFFF55FF, 0xFFFFFF55, 0xFFFFFFFF,
};

} // namespace

std::optional<PcxHeader> PcxHeader::Parse(std::span<const uchar> b)
{
    if (b.size() < size_t(kSize))
        return std::nullopt;
    PcxHeader h;
    // Offsets 0 to 3: manufacturer, version, encoding, bits per pixel.
    if (b[0] != kManufacturer)
        return std::nullopt;
    h.version = b[1];
    if (h.version != 0 && h.version != 2 && h.version != 3 && h.version != 4 && h.version != 5)
        return std::nullopt;
    h.encoding = b[2];
    if (h.encoding > 1)
        return std::nullopt;
    h.bitsPerPixel = b[3];
    if (h.bitsPerPixel != 1 && h.bitsPerPixel != 2 && h.bitsPerPixel != 4 && h.bitsPerPixel != 8)
        return std::nullopt;
    // 4 to 11: the image window, inclusive; 12 to 15: resolution.
    h.xMin = le16(b, 4);
    h.yMin = le16(b, 6);
    h.xMax = le16(b, 8);
    h.yMax = le16(b, 10);
    if (h.xMax < h.xMin || h.yMax < h.yMin)
        return std::nullopt;
    h.hDpi = le16(b, 12);
    h.vDpi = le16(b, 14);
    // 16 to 63: 16 colours of 3 bytes.
    for (int i = 0; i < 16; ++i)
        h.egaPalette[size_t(i)] = qRgb(b[16 + 3 * i], b[17 + 3 * i], b[18 + 3 * i]);
    // 64 reserved; 65 planes; 66 bytes per line per plane; 68 palette info.
    h.planes = b[65];
    if (h.planes < 1 || h.planes > 4)
        return std::nullopt;
    h.bytesPerLine = le16(b, 66);
    const qint64 rowBits = qint64(h.Width()) * h.bitsPerPixel;
    if (h.bytesPerLine == 0 || qint64(h.bytesPerLine) * 8 < rowBits)
        return std::nullopt;
    h.paletteInfo = le16(b, 68);
    return h;
}

PcxHeader::Layout PcxHeader::GetLayout() const
{
    if (planes == 1)
        return Layout::Indexed;
    if (bitsPerPixel == 1)
        return Layout::Planar;
    if (bitsPerPixel == 8 && planes == 3)
        return Layout::Rgb;
    if (bitsPerPixel == 8 && planes == 4)
        return Layout::Rgba;
    return Layout::Unsupported;
}

std::array<QRgb, 16> PcxHeader::HeaderColours() const
{
    if (planes == 1 && bitsPerPixel == 1) {
        std::array<QRgb, 16> bw{};
        bw.fill(0xFF000000);
        bw[1] = 0xFFFFFFFF;
        return bw;
    }
    for (QRgb c : egaPalette) {
        if (qRed(c) | qGreen(c) | qBlue(c))
            return egaPalette;
    }
    return kEgaDefault;
}
