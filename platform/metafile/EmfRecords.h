#pragma once
// Enhanced-metafile records as plain structs, filled by the bounds-checked
// readers of EmfRecordReaders and played by EmfPlayOps. One struct per
// record family; EmfRecord holds whichever one its type uses.
#include "platform/gdi/GdiDefs.h"
#include "platform/metafile/EmfTextRecords.h"
#include "platform/metafile/EmfBitmapRecords.h"

#include <array>
#include <variant>
#include <vector>

// Records without parameters, or whose parameters this engine ignores.
struct EmrNone {};

// Records made of up to eight 32-bit integers (modes, colours, points,
// rectangles, extents, object indices).
struct EmrInts {
    std::array<int32_t, 8> v{};
    int count = 0;
    uint32_t u(int i) const { return uint32_t(v[size_t(i)]); }
};

// EMR_POLY{BEZIER,GON,LINE,BEZIERTO,LINETO} and their 16-bit forms.
struct EmrPoly {
    RECT bounds;
    std::vector<POINT> points;
};

// EMR_POLYPOLY{LINE,GON} and their 16-bit forms.
struct EmrPolyPoly {
    RECT bounds;
    std::vector<DWORD> counts;
    std::vector<POINT> points;
};

// EMR_POLYDRAW and EMR_POLYDRAW16.
struct EmrPolyDraw {
    RECT bounds;
    std::vector<POINT> points;
    std::vector<BYTE> types;
};

struct EmrAngleArc {
    POINT center;
    DWORD radius = 0;
    float start = 0, sweep = 0;
};

// EMR_SETWORLDTRANSFORM and EMR_MODIFYWORLDTRANSFORM (mode 0 for the first).
struct EmrXform {
    XFORM xform;
    DWORD mode = 0;
};

struct EmrMiterLimit {
    float limit = 10;
};

struct EmrCreatePen {
    DWORD index = 0;
    LOGPEN pen;
};

struct EmrExtCreatePen {
    DWORD index = 0;
    DWORD style = 0, width = 0;
    LOGBRUSH brush;
    std::vector<DWORD> entries;
};

struct EmrCreateBrush {
    DWORD index = 0;
    LOGBRUSH brush;
};

// EMR_CREATEPALETTE and EMR_SETPALETTEENTRIES.
struct EmrPalette {
    DWORD index = 0;
    DWORD start = 0;
    std::vector<PALETTEENTRY> entries;
};

// Region records: EMR_EXTSELECTCLIPRGN (mode), EMR_FILLRGN (brush),
// EMR_FRAMERGN (brush, stroke), EMR_INVERTRGN, EMR_PAINTRGN. Rectangles in
// the metafile's device units.
struct EmrRegion {
    DWORD mode = 0;
    DWORD brush = 0;
    SIZE stroke;
    bool hasData = false;
    std::vector<RECT> rects;
};

using EmrPayload = std::variant<EmrNone, EmrInts, EmrPoly, EmrPolyPoly, EmrPolyDraw, EmrAngleArc, EmrXform,
                                EmrMiterLimit, EmrCreatePen, EmrExtCreatePen, EmrCreateBrush, EmrPalette,
                                EmrRegion, EmrCreateFont, EmrText, EmrBitmapBlt, EmrDibBrush, EmrGradient>;

struct EmfRecord {
    uint32_t type = 0;
    uint32_t size = 0;
    EmrPayload payload;
};
