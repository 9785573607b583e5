#pragma once
// Bitmap records of enhanced metafiles as plain structs. The DIBs they
// carry are not copied: DibSource points into the record's bytes, which
// stay valid while the record plays (a record played later is parsed again).
#include "platform/gdi/Dib.h"

#include <vector>

// EMR_BITBLT, EMR_STRETCHBLT, EMR_MASKBLT, EMR_PLGBLT, EMR_SETDIBITSTODEVICE,
// EMR_STRETCHDIBITS, EMR_ALPHABLEND, EMR_TRANSPARENTBLT (MS-EMF 2.3.1).
struct EmrBitmapBlt {
    int32_t xDest = 0, yDest = 0, cxDest = 0, cyDest = 0;
    DWORD rop = 0; // also the BLENDFUNCTION of EMR_ALPHABLEND, the colour key of EMR_TRANSPARENTBLT
    int32_t xSrc = 0, ySrc = 0, cxSrc = 0, cySrc = 0;
    XFORM xformSrc;
    COLORREF bkColorSrc = 0;
    DibSource src;
    bool hasSrc = false;  // a source bitmap is present and fits the record
    bool badSrc = false;  // a source was declared but does not fit: the record is skipped
    int32_t xMask = 0, yMask = 0;
    DibSource mask;
    bool hasMask = false;
    POINT points[3];       // EMR_PLGBLT's parallelogram
    uint32_t startScan = 0, scans = 0; // EMR_SETDIBITSTODEVICE
};

// EMR_CREATEMONOBRUSH and EMR_CREATEDIBPATTERNBRUSHPT.
struct EmrDibBrush {
    DWORD index = 0;
    DibSource dib;
    bool valid = false;
};

// EMR_GRADIENTFILL.
struct EmrGradient {
    ULONG mode = 0;
    std::vector<TRIVERTEX> vertices;
    std::vector<GRADIENT_RECT> rects;
    std::vector<GRADIENT_TRIANGLE> triangles;
};
