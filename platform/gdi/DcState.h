#pragma once
// Everything SaveDC saves: the complete drawing state of a device context.
#include "platform/gdi/DcMapping.h"
#include "platform/gdi/GdiBrush.h"
#include "platform/gdi/GdiFont.h"
#include "platform/gdi/GdiPalette.h"
#include "platform/gdi/GdiPath.h"
#include "platform/gdi/GdiPen.h"

#include <QRegion>
#include <optional>

struct DcState {
    DcMapping mapping;
    GdiRef<GdiPen> pen;
    GdiRef<GdiBrush> brush;
    GdiRef<GdiPalette> palette;
    GdiRef<GdiFont> font;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int stretchBltMode = BLACKONWHITE;
    int arcDirection = AD_COUNTERCLOCKWISE;
    POINT brushOrg;
    POINT curPos; // logical
    float miterLimit = 10.0f;
    int textCharExtra = 0;
    int breakExtra = 0, breakCount = 0;
    DWORD mapperFlags = 0;
    DWORD layout = 0;
    // Clipping in device pixels of the real device: the clip region the
    // program selected and the meta region SetMetaRgn made; none means
    // unclipped.
    std::optional<QRegion> clip;
    std::optional<QRegion> metaRgn;
    GdiPath path;
    bool pathOpen = false;
};
