#pragma once
// The one table of enhanced-metafile record types (MS-EMF 2.1.1): name,
// value, the reader that parses the record into its plain struct, and the
// player entry that plays it on a device context. The enum, the names and
// the dispatch are all generated from it.
#include <cstdint>

#define LUMIVU_EMF_RECORDS(X)                                              \
    X(EMR_HEADER, 1, readNone, playNothing)                                \
    X(EMR_POLYBEZIER, 2, readPoly32, playPolyBezier)                       \
    X(EMR_POLYGON, 3, readPoly32, playPolygon)                             \
    X(EMR_POLYLINE, 4, readPoly32, playPolyline)                           \
    X(EMR_POLYBEZIERTO, 5, readPoly32, playPolyBezierTo)                   \
    X(EMR_POLYLINETO, 6, readPoly32, playPolylineTo)                       \
    X(EMR_POLYPOLYLINE, 7, readPolyPoly32, playPolyPolyline)               \
    X(EMR_POLYPOLYGON, 8, readPolyPoly32, playPolyPolygon)                 \
    X(EMR_SETWINDOWEXTEX, 9, readInts2, playSetWindowExt)                  \
    X(EMR_SETWINDOWORGEX, 10, readInts2, playSetWindowOrg)                 \
    X(EMR_SETVIEWPORTEXTEX, 11, readInts2, playSetViewportExt)             \
    X(EMR_SETVIEWPORTORGEX, 12, readInts2, playSetViewportOrg)             \
    X(EMR_SETBRUSHORGEX, 13, readInts2, playSetBrushOrg)                   \
    X(EMR_EOF, 14, readNone, playNothing)                                  \
    X(EMR_SETPIXELV, 15, readInts3, playSetPixel)                          \
    X(EMR_SETMAPPERFLAGS, 16, readInts1, playSetMapperFlags)               \
    X(EMR_SETMAPMODE, 17, readInts1, playSetMapMode)                       \
    X(EMR_SETBKMODE, 18, readInts1, playSetBkMode)                         \
    X(EMR_SETPOLYFILLMODE, 19, readInts1, playSetPolyFillMode)             \
    X(EMR_SETROP2, 20, readInts1, playSetRop2)                             \
    X(EMR_SETSTRETCHBLTMODE, 21, readInts1, playSetStretchBltMode)         \
    X(EMR_SETTEXTALIGN, 22, readInts1, playSetTextAlign)                   \
    X(EMR_SETCOLORADJUSTMENT, 23, readNone, playNothing)                   \
    X(EMR_SETTEXTCOLOR, 24, readInts1, playSetTextColor)                   \
    X(EMR_SETBKCOLOR, 25, readInts1, playSetBkColor)                       \
    X(EMR_OFFSETCLIPRGN, 26, readInts2, playOffsetClipRgn)                 \
    X(EMR_MOVETOEX, 27, readInts2, playMoveTo)                             \
    X(EMR_SETMETARGN, 28, readNone, playSetMetaRgn)                        \
    X(EMR_EXCLUDECLIPRECT, 29, readInts4, playExcludeClipRect)             \
    X(EMR_INTERSECTCLIPRECT, 30, readInts4, playIntersectClipRect)         \
    X(EMR_SCALEVIEWPORTEXTEX, 31, readInts4, playScaleViewportExt)         \
    X(EMR_SCALEWINDOWEXTEX, 32, readInts4, playScaleWindowExt)             \
    X(EMR_SAVEDC, 33, readNone, playSaveDC)                                \
    X(EMR_RESTOREDC, 34, readInts1, playRestoreDC)                         \
    X(EMR_SETWORLDTRANSFORM, 35, readXform, playSetWorldTransform)         \
    X(EMR_MODIFYWORLDTRANSFORM, 36, readXformMode, playModifyWorldTransform) \
    X(EMR_SELECTOBJECT, 37, readInts1, playSelectObject)                   \
    X(EMR_CREATEPEN, 38, readCreatePen, playCreatePen)                     \
    X(EMR_CREATEBRUSHINDIRECT, 39, readCreateBrush, playCreateBrush)       \
    X(EMR_DELETEOBJECT, 40, readInts1, playDeleteObject)                   \
    X(EMR_ANGLEARC, 41, readAngleArc, playAngleArc)                        \
    X(EMR_ELLIPSE, 42, readInts4, playEllipse)                             \
    X(EMR_RECTANGLE, 43, readInts4, playRectangle)                         \
    X(EMR_ROUNDRECT, 44, readInts6, playRoundRect)                         \
    X(EMR_ARC, 45, readInts8, playArc)                                     \
    X(EMR_CHORD, 46, readInts8, playChord)                                 \
    X(EMR_PIE, 47, readInts8, playPie)                                     \
    X(EMR_SELECTPALETTE, 48, readInts1, playSelectPalette)                 \
    X(EMR_CREATEPALETTE, 49, readCreatePalette, playCreatePalette)         \
    X(EMR_SETPALETTEENTRIES, 50, readPaletteEntries, playSetPaletteEntries) \
    X(EMR_RESIZEPALETTE, 51, readInts2, playResizePalette)                 \
    X(EMR_REALIZEPALETTE, 52, readNone, playRealizePalette)                \
    X(EMR_EXTFLOODFILL, 53, readInts4, playExtFloodFill)                   \
    X(EMR_LINETO, 54, readInts2, playLineTo)                               \
    X(EMR_ARCTO, 55, readInts8, playArcTo)                                 \
    X(EMR_POLYDRAW, 56, readPolyDraw32, playPolyDraw)                      \
    X(EMR_SETARCDIRECTION, 57, readInts1, playSetArcDirection)             \
    X(EMR_SETMITERLIMIT, 58, readMiterLimit, playSetMiterLimit)            \
    X(EMR_BEGINPATH, 59, readNone, playBeginPath)                          \
    X(EMR_ENDPATH, 60, readNone, playEndPath)                              \
    X(EMR_CLOSEFIGURE, 61, readNone, playCloseFigure)                      \
    X(EMR_FILLPATH, 62, readNone, playFillPath)                            \
    X(EMR_STROKEANDFILLPATH, 63, readNone, playStrokeAndFillPath)          \
    X(EMR_STROKEPATH, 64, readNone, playStrokePath)                        \
    X(EMR_FLATTENPATH, 65, readNone, playFlattenPath)                      \
    X(EMR_WIDENPATH, 66, readNone, playWidenPath)                          \
    X(EMR_SELECTCLIPPATH, 67, readInts1, playSelectClipPath)               \
    X(EMR_ABORTPATH, 68, readNone, playAbortPath)                          \
    X(EMR_RESERVED_69, 69, readNone, playUnsupported)                      \
    X(EMR_GDICOMMENT, 70, readNone, playNothing)                           \
    X(EMR_FILLRGN, 71, readFillRgn, playFillRgn)                           \
    X(EMR_FRAMERGN, 72, readFrameRgn, playFrameRgn)                        \
    X(EMR_INVERTRGN, 73, readRgn, playInvertRgn)                           \
    X(EMR_PAINTRGN, 74, readRgn, playPaintRgn)                             \
    X(EMR_EXTSELECTCLIPRGN, 75, readClipRgn, playExtSelectClipRgn)         \
    X(EMR_BITBLT, 76, readBitBlt, playBitBlt)                              \
    X(EMR_STRETCHBLT, 77, readStretchBlt, playBitBlt)                      \
    X(EMR_MASKBLT, 78, readMaskBlt, playMaskBlt)                           \
    X(EMR_PLGBLT, 79, readPlgBlt, playPlgBlt)                              \
    X(EMR_SETDIBITSTODEVICE, 80, readSetDIBitsToDevice, playSetDIBitsToDevice) \
    X(EMR_STRETCHDIBITS, 81, readStretchDIBits, playStretchDIBits)         \
    X(EMR_EXTCREATEFONTINDIRECTW, 82, readCreateFont, playCreateFont)      \
    X(EMR_EXTTEXTOUTA, 83, readExtTextOutA, playTextOut)                   \
    X(EMR_EXTTEXTOUTW, 84, readExtTextOutW, playTextOut)                   \
    X(EMR_POLYBEZIER16, 85, readPoly16, playPolyBezier)                    \
    X(EMR_POLYGON16, 86, readPoly16, playPolygon)                          \
    X(EMR_POLYLINE16, 87, readPoly16, playPolyline)                        \
    X(EMR_POLYBEZIERTO16, 88, readPoly16, playPolyBezierTo)                \
    X(EMR_POLYLINETO16, 89, readPoly16, playPolylineTo)                    \
    X(EMR_POLYPOLYLINE16, 90, readPolyPoly16, playPolyPolyline)            \
    X(EMR_POLYPOLYGON16, 91, readPolyPoly16, playPolyPolygon)              \
    X(EMR_POLYDRAW16, 92, readPolyDraw16, playPolyDraw)                    \
    X(EMR_CREATEMONOBRUSH, 93, readDibBrush, playCreateMonoBrush)          \
    X(EMR_CREATEDIBPATTERNBRUSHPT, 94, readDibBrush, playCreateDibPatternBrush) \
    X(EMR_EXTCREATEPEN, 95, readExtCreatePen, playExtCreatePen)            \
    X(EMR_POLYTEXTOUTA, 96, readPolyTextOutA, playTextOut)                 \
    X(EMR_POLYTEXTOUTW, 97, readPolyTextOutW, playTextOut)                 \
    X(EMR_SETICMMODE, 98, readNone, playNothing)                           \
    X(EMR_CREATECOLORSPACE, 99, readNone, playNothing)                     \
    X(EMR_SETCOLORSPACE, 100, readNone, playNothing)                       \
    X(EMR_DELETECOLORSPACE, 101, readNone, playNothing)                    \
    X(EMR_GLSRECORD, 102, readNone, playUnsupported)                       \
    X(EMR_GLSBOUNDEDRECORD, 103, readNone, playUnsupported)                \
    X(EMR_PIXELFORMAT, 104, readNone, playNothing)                         \
    X(EMR_DRAWESCAPE, 105, readNone, playNothing)                          \
    X(EMR_EXTESCAPE, 106, readNone, playNothing)                           \
    X(EMR_RESERVED_107, 107, readNone, playUnsupported)                    \
    X(EMR_SMALLTEXTOUT, 108, readSmallTextOut, playTextOut)                \
    X(EMR_FORCEUFIMAPPING, 109, readNone, playNothing)                     \
    X(EMR_NAMEDESCAPE, 110, readNone, playNothing)                         \
    X(EMR_COLORCORRECTPALETTE, 111, readNone, playNothing)                 \
    X(EMR_SETICMPROFILEA, 112, readNone, playNothing)                      \
    X(EMR_SETICMPROFILEW, 113, readNone, playNothing)                      \
    X(EMR_ALPHABLEND, 114, readStretchBlt, playAlphaBlend)                 \
    X(EMR_SETLAYOUT, 115, readInts1, playSetLayout)                        \
    X(EMR_TRANSPARENTBLT, 116, readStretchBlt, playTransparentBlt)         \
    X(EMR_RESERVED_117, 117, readNone, playUnsupported)                    \
    X(EMR_GRADIENTFILL, 118, readGradientFill, playGradientFill)           \
    X(EMR_SETLINKEDUFIS, 119, readNone, playUnsupported)                   \
    X(EMR_SETTEXTJUSTIFICATION, 120, readInts2, playSetTextJustification)  \
    X(EMR_COLORMATCHTOTARGETW, 121, readNone, playNothing)                 \
    X(EMR_CREATECOLORSPACEW, 122, readNone, playNothing)

enum EmfRecordType : uint32_t {
#define LUMIVU_EMF_ENUM(name, value, reader, player) name = value,
    LUMIVU_EMF_RECORDS(LUMIVU_EMF_ENUM)
#undef LUMIVU_EMF_ENUM
};

constexpr uint32_t EmfLastRecordType = 122;

// An object index with this bit names a stock object (MS-EMF 2.1.31).
constexpr uint32_t ENHMETA_STOCK_OBJECT = 0x80000000u;

// "EMR_POLYGON" for 3; null for a value outside the table.
const char* EmfRecordName(uint32_t type);
