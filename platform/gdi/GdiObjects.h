#pragma once
// The platform's functions that create, query and delete GDI objects.
#include "platform/gdi/GdiBrush.h"
#include "platform/gdi/GdiFont.h"
#include "platform/gdi/GdiPalette.h"
#include "platform/gdi/GdiPen.h"
#include "platform/gdi/GdiRegion.h"

#include <vector>

HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ object);
DWORD GetObjectType(HGDIOBJ object);

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pen);
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles);

HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);

HRGN CreateRectRgn(int l, int t, int r, int b);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreateEllipticRgn(int l, int t, int r, int b);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polys, int fillMode);
// ExtCreateRegion from already validated rectangles (the platform's RGNDATA
// after its header), optionally transformed.
HRGN ExtCreateRegion(const XFORM* xform, const std::vector<RECT>& rects);
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
int GetRgnBox(HRGN region, RECT* rect);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL SetRectRgn(HRGN region, int l, int t, int r, int b);

HPALETTE CreatePalette(const std::vector<PALETTEENTRY>& entries);
UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries);
BOOL ResizePalette(HPALETTE palette, UINT count);

// A region made of many rectangles in any order (a union that stays fast
// for large counts).
QRegion RegionFromRects(const std::vector<RECT>& rects);
