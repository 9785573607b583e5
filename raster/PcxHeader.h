#pragma once
// The 128-byte header of a ZSoft PCX file (ZSoft "Technical Reference
// Manual", PCX section), parsed from bytes into plain fields.
#include <QRgb>
#include <QtGlobal>

#include <array>
#include <optional>
#include <span>

struct PcxHeader {
    static constexpr int kSize = 128;
    static constexpr quint8 kManufacturer = 0x0A;
    // The 256-colour palette follows the image data: marker, then 768 bytes.
    static constexpr quint8 kVgaPaletteMarker = 0x0C;
    static constexpr int kVgaPaletteSize = 1 + 768;

    enum class Layout {
        Unsupported,
        Indexed,     // 1, 2, 4 or 8 bits per pixel in one plane
        Planar,      // 1 bit per pixel in 2 to 4 planes (EGA colours)
        Rgb,         // 8 bits in 3 planes: red, green, blue lines
        Rgba,        // 8 bits in 4 planes: red, green, blue, alpha lines
    };

    quint8 version = 0;
    quint8 encoding = 0;       // 1: run-length encoded, 0: stored
    quint8 bitsPerPixel = 0;   // per plane
    quint16 xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    quint16 hDpi = 0, vDpi = 0;
    std::array<QRgb, 16> egaPalette{};
    quint8 planes = 0;
    quint16 bytesPerLine = 0;  // per plane, at least the bits of one row
    quint16 paletteInfo = 0;   // 1: colour or black and white, 2: grey

    // The header's fields, when the bytes hold a plausible PCX header: the
    // manufacturer byte, a known version and encoding, a non-inverted
    // window, and lines long enough for a row. Nothing else is trusted.
    static std::optional<PcxHeader> Parse(std::span<const uchar> bytes);

    int Width() const { return int(xMax) - int(xMin) + 1; }
    int Height() const { return int(yMax) - int(yMin) + 1; }
    Layout GetLayout() const;
    // Bytes of one decoded scan line, all planes.
    int LineBytes() const { return int(bytesPerLine) * int(planes); }
    // Colours of the indexed layouts before any VGA palette: the header's
    // 16 colours, or the standard EGA colours when the header holds none;
    // black and white for one bit per pixel in one plane.
    std::array<QRgb, 16> HeaderColours() const;
};
