#pragma once
// Windows 3.x metafile records as plain structs, filled by the
// bounds-checked readers of WmfRecordReaders. Coordinates are widened to
// 32 bits; WMF parameters come in reverse order and the readers keep that
// order in WmrWords (w[0] is the last parameter of the call).
#include "platform/gdi/GdiDefs.h"

#include <QByteArray>
#include <variant>
#include <vector>

// Records made of 16-bit words (modes, colours as two words, points,
// rectangles, object indices).
struct WmrWords {
    std::vector<int16_t> w;
    int16_t at(size_t i) const { return i < w.size() ? w[i] : int16_t(0); }
    uint16_t u(size_t i) const { return uint16_t(at(i)); }
    // The 32-bit value of words i (low) and i + 1 (high).
    uint32_t u32(size_t i) const { return uint32_t(u(i)) | (uint32_t(u(i + 1)) << 16); }
};

// META_POLYGON, META_POLYLINE.
struct WmrPoly {
    std::vector<POINT> points;
};

// META_POLYPOLYGON.
struct WmrPolyPoly {
    std::vector<INT> counts;
    std::vector<POINT> points;
};

// META_CREATEREGION: the region's rectangles (bottom and right exclusive).
struct WmrRegion {
    std::vector<RECT> rects;
};

// META_TEXTOUT, META_EXTTEXTOUT: the string's bytes in the font's code page.
struct WmrText {
    POINT ref;
    UINT options = 0;
    bool hasRect = false;
    RECT rect;
    QByteArray text;
    std::vector<INT> dx; // empty: none recorded
};

// META_CREATEFONTINDIRECT: a 16-bit LOGFONT.
struct WmrFont {
    int height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
    BYTE italic = 0, underline = 0, strikeOut = 0, charSet = 0;
    BYTE outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
    QByteArray faceName; // up to the first null
};

// Records that carry a device-independent bitmap: META_STRETCHDIB,
// META_DIBSTRETCHBLT, META_DIBBITBLT, META_SETDIBTODEV,
// META_DIBCREATEPATTERNBRUSH, and META_BITBLT / META_STRETCHBLT /
// META_CREATEPATTERNBRUSH whose device-dependent bitmap the reader turns into
// a DIB. Destination and source in logical units; dib empty for a blit
// without a source bitmap.
struct WmrDib {
    DWORD rop = 0;
    UINT usage = 0; // DIB_RGB_COLORS or DIB_PAL_COLORS
    int xDest = 0, yDest = 0, cxDest = 0, cyDest = 0;
    int xSrc = 0, ySrc = 0, cxSrc = 0, cySrc = 0;
    UINT startScan = 0, scans = 0; // META_SETDIBTODEV
    UINT brushStyle = 0;           // META_DIBCREATEPATTERNBRUSH
    QByteArray dib;                // BITMAPINFO followed by the bits
};

// META_CREATEPALETTE, META_SETPALENTRIES, META_ANIMATEPALETTE.
struct WmrPalette {
    UINT start = 0;
    std::vector<PALETTEENTRY> entries;
};

// META_ESCAPE.
struct WmrEscape {
    uint16_t function = 0;
    QByteArray data;
};

using WmrPayload = std::variant<WmrWords, WmrPoly, WmrPolyPoly, WmrRegion, WmrText, WmrFont, WmrDib, WmrPalette,
                                WmrEscape>;

struct WmfRecord {
    uint16_t function = 0;
    uint32_t size = 0; // bytes
    WmrPayload payload;
};
