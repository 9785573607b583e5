#pragma once
// Device-independent bitmaps (BITMAPINFO + bits) decoded into images.
// Everything comes from files: the header, colour table and bits are
// checked against the byte ranges they come in, dimensions against a pixel
// bound, and rows that are missing or cut short stay black (the platform
// draws what it has). Decoding polls an optional cancel flag between rows.
#include "platform/gdi/GdiDefs.h"

#include <QImage>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

enum : DWORD { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_JPEG = 4, BI_PNG = 5, BI_ALPHABITFIELDS = 6 };
enum : UINT { DIB_RGB_COLORS = 0, DIB_PAL_COLORS = 1 };

// The header fields a decoder needs, from a BITMAPCOREHEADER (12 bytes) or
// any BITMAPINFOHEADER-based header (40, 52, 56, 108, 124 bytes).
struct DibHeader {
    uint32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0; // negative: top-down
    uint16_t bitCount = 0;
    uint32_t compression = BI_RGB;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    uint32_t masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha for BI_BITFIELDS
    bool core = false;

    bool TopDown() const { return height < 0 && !core; }
    uint32_t AbsHeight() const { return height < 0 ? uint32_t(-int64_t(height)) : uint32_t(height); }
    // Bytes of one row of BI_RGB pixels (rows are padded to 32 bits); 0 when absurd.
    uint64_t Stride() const;
};

struct DibImage {
    // Format_ARGB32 with the bitmap's own alpha bytes for 32-bit pixels
    // (as AlphaBlend reads them) and opaque otherwise; rows top-down.
    QImage image;
    DibHeader header;
    // A 1-bit bitmap whose colour table is black then white: a blit turns
    // it into a monochrome bitmap, which takes the text and background
    // colours of the destination.
    bool monochrome = false;
    bool hasAlpha = false; // 32-bit pixels with alpha bytes
};

class Dib {
public:
    // Parses the header (and BI_BITFIELDS masks) at bmi; false when it
    // does not fit bmiSize or is absurd.
    static bool ParseHeader(const uint8_t* bmi, size_t bmiSize, DibHeader* out);

    // Decodes bmi (header and colour table) and bits. usage: DIB_RGB_COLORS,
    // or DIB_PAL_COLORS with the colour table holding 16-bit indices into
    // palette. maxPixels bounds width * height. False: nothing drawable.
    static bool Decode(const uint8_t* bmi, size_t bmiSize, const uint8_t* bits, size_t bitsSize, UINT usage,
                       const std::vector<PALETTEENTRY>& palette, uint64_t maxPixels, DibImage* out,
                       const std::atomic<bool>* cancel = nullptr);

    // The pixel bound for bitmaps drawn on an output of outputPixels: far
    // more than any sensible bitmap for it, and at most an eighth of the
    // machine's memory at four bytes a pixel.
    static uint64_t PixelBound(uint64_t outputPixels);
};

// A DIB as it comes in a record or a call: header with colour table, and bits.
struct DibSource {
    const uint8_t* bmi = nullptr;
    size_t bmiSize = 0;
    const uint8_t* bits = nullptr;
    size_t bitsSize = 0;
    UINT usage = DIB_RGB_COLORS;
};

enum : BYTE { AC_SRC_OVER = 0, AC_SRC_ALPHA = 1 };
struct BLENDFUNCTION {
    BYTE BlendOp = AC_SRC_OVER, BlendFlags = 0, SourceConstantAlpha = 255, AlphaFormat = 0;
};

struct TRIVERTEX {
    LONG x = 0, y = 0;
    uint16_t Red = 0, Green = 0, Blue = 0, Alpha = 0;
};
struct GRADIENT_RECT {
    ULONG UpperLeft = 0, LowerRight = 0;
};
struct GRADIENT_TRIANGLE {
    ULONG Vertex1 = 0, Vertex2 = 0, Vertex3 = 0;
};
enum : UINT { FLOODFILLBORDER = 0, FLOODFILLSURFACE = 1 };
enum : ULONG { GRADIENT_FILL_RECT_H = 0, GRADIENT_FILL_RECT_V = 1, GRADIENT_FILL_TRIANGLE = 2 };
