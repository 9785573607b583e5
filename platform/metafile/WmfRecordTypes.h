#pragma once
// The one table of Windows 3.x metafile functions (MS-WMF 2.1.1.1): name,
// value, the reader that parses the record into its plain struct, and the
// player entry that plays it. Players turn each record into its enhanced
// metafile equivalent and play that through the EMF record table, so a
// record plays (and records) as soon as its EMF counterpart does.
#include <cstdint>

#define LUMIVU_WMF_RECORDS(X)                                                        \
    X(META_EOF, 0x0000, readWords, wmfNothing)                                     \
    X(META_SAVEDC, 0x001E, readWords, wmfSaveDC)                                   \
    X(META_REALIZEPALETTE, 0x0035, readWords, wmfRealizePalette)                   \
    X(META_SETPALENTRIES, 0x0037, readPalette, wmfSetPalEntries)                   \
    X(META_CREATEPALETTE, 0x00F7, readPalette, wmfCreatePalette)                   \
    X(META_SETBKMODE, 0x0102, readWords, wmfSetBkMode)                             \
    X(META_SETMAPMODE, 0x0103, readWords, wmfSetMapMode)                           \
    X(META_SETROP2, 0x0104, readWords, wmfSetRop2)                                 \
    X(META_SETRELABS, 0x0105, readWords, wmfNothing)                               \
    X(META_SETPOLYFILLMODE, 0x0106, readWords, wmfSetPolyFillMode)                 \
    X(META_SETSTRETCHBLTMODE, 0x0107, readWords, wmfSetStretchBltMode)             \
    X(META_SETTEXTCHAREXTRA, 0x0108, readWords, wmfSetTextCharExtra)                 \
    X(META_RESTOREDC, 0x0127, readWords, wmfRestoreDC)                             \
    X(META_INVERTREGION, 0x012A, readWords, wmfInvertRegion)                       \
    X(META_PAINTREGION, 0x012B, readWords, wmfPaintRegion)                         \
    X(META_SELECTCLIPREGION, 0x012C, readWords, wmfSelectClipRegion)               \
    X(META_SELECTOBJECT, 0x012D, readWords, wmfSelectObject)                       \
    X(META_SETTEXTALIGN, 0x012E, readWords, wmfSetTextAlign)                       \
    X(META_RESIZEPALETTE, 0x0139, readWords, wmfResizePalette)                     \
    X(META_DIBCREATEPATTERNBRUSH, 0x0142, readDibBrush, wmfDibCreatePatternBrush)  \
    X(META_SETLAYOUT, 0x0149, readWords, wmfSetLayout)                             \
    X(META_DELETEOBJECT, 0x01F0, readWords, wmfDeleteObject)                       \
    X(META_CREATEPATTERNBRUSH, 0x01F9, readPatternBrush, wmfDibCreatePatternBrush) \
    X(META_SETBKCOLOR, 0x0201, readWords, wmfSetBkColor)                           \
    X(META_SETTEXTCOLOR, 0x0209, readWords, wmfSetTextColor)                       \
    X(META_SETTEXTJUSTIFICATION, 0x020A, readWords, wmfSetTextJustification)       \
    X(META_SETWINDOWORG, 0x020B, readWords, wmfSetWindowOrg)                       \
    X(META_SETWINDOWEXT, 0x020C, readWords, wmfSetWindowExt)                       \
    X(META_SETVIEWPORTORG, 0x020D, readWords, wmfSetViewportOrg)                   \
    X(META_SETVIEWPORTEXT, 0x020E, readWords, wmfSetViewportExt)                   \
    X(META_OFFSETWINDOWORG, 0x020F, readWords, wmfOffsetWindowOrg)                 \
    X(META_OFFSETVIEWPORTORG, 0x0211, readWords, wmfOffsetViewportOrg)             \
    X(META_LINETO, 0x0213, readWords, wmfLineTo)                                   \
    X(META_MOVETO, 0x0214, readWords, wmfMoveTo)                                   \
    X(META_OFFSETCLIPRGN, 0x0220, readWords, wmfOffsetClipRgn)                     \
    X(META_FILLREGION, 0x0228, readWords, wmfFillRegion)                           \
    X(META_SETMAPPERFLAGS, 0x0231, readWords, wmfSetMapperFlags)                   \
    X(META_SELECTPALETTE, 0x0234, readWords, wmfSelectPalette)                     \
    X(META_CREATEPENINDIRECT, 0x02FA, readWords, wmfCreatePen)                     \
    X(META_CREATEFONTINDIRECT, 0x02FB, readFont, wmfCreateFont)                    \
    X(META_CREATEBRUSHINDIRECT, 0x02FC, readWords, wmfCreateBrush)                 \
    X(META_POLYGON, 0x0324, readPoly, wmfPolygon)                                  \
    X(META_POLYLINE, 0x0325, readPoly, wmfPolyline)                                \
    X(META_SCALEWINDOWEXT, 0x0410, readWords, wmfScaleWindowExt)                   \
    X(META_SCALEVIEWPORTEXT, 0x0412, readWords, wmfScaleViewportExt)               \
    X(META_EXCLUDECLIPRECT, 0x0415, readWords, wmfExcludeClipRect)                 \
    X(META_INTERSECTCLIPRECT, 0x0416, readWords, wmfIntersectClipRect)             \
    X(META_ELLIPSE, 0x0418, readWords, wmfEllipse)                                 \
    X(META_FLOODFILL, 0x0419, readWords, wmfFloodFill)                             \
    X(META_RECTANGLE, 0x041B, readWords, wmfRectangle)                             \
    X(META_SETPIXEL, 0x041F, readWords, wmfSetPixel)                               \
    X(META_FRAMEREGION, 0x0429, readWords, wmfFrameRegion)                         \
    X(META_ANIMATEPALETTE, 0x0436, readPalette, wmfUnsupported)                    \
    X(META_TEXTOUT, 0x0521, readTextOut, wmfTextOut)                               \
    X(META_POLYPOLYGON, 0x0538, readPolyPoly, wmfPolyPolygon)                      \
    X(META_EXTFLOODFILL, 0x0548, readWords, wmfExtFloodFill)                       \
    X(META_ROUNDRECT, 0x061C, readWords, wmfRoundRect)                             \
    X(META_PATBLT, 0x061D, readWords, wmfPatBlt)                                   \
    X(META_ESCAPE, 0x0626, readEscape, wmfNothing)                                 \
    X(META_CREATEREGION, 0x06FF, readRegion, wmfCreateRegion)                      \
    X(META_ARC, 0x0817, readWords, wmfArc)                                         \
    X(META_PIE, 0x081A, readWords, wmfPie)                                         \
    X(META_CHORD, 0x0830, readWords, wmfChord)                                     \
    X(META_BITBLT, 0x0922, readBitmap16Blt, wmfStretchDib)                         \
    X(META_DIBBITBLT, 0x0940, readDibBlt, wmfStretchDib)                           \
    X(META_EXTTEXTOUT, 0x0A32, readExtTextOut, wmfTextOut)                         \
    X(META_STRETCHBLT, 0x0B23, readBitmap16Blt, wmfStretchDib)                     \
    X(META_DIBSTRETCHBLT, 0x0B41, readDibBlt, wmfStretchDib)                       \
    X(META_SETDIBTODEV, 0x0D33, readSetDibToDev, wmfSetDibToDev)                   \
    X(META_STRETCHDIB, 0x0F43, readDibBlt, wmfStretchDib)

enum WmfRecordType : uint16_t {
#define LUMIVU_WMF_ENUM(name, value, reader, player) name = value,
    LUMIVU_WMF_RECORDS(LUMIVU_WMF_ENUM)
#undef LUMIVU_WMF_ENUM
};

// "META_POLYGON" for 0x0324; null for a value outside the table.
const char* WmfRecordName(uint16_t function);
