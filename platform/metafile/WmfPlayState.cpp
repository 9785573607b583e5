// WMF player entries: modes, colours, mapping, clipping rectangles, lines
// and shapes. WMF parameters come last-first (WmrWords::w[0] is the last).
#include "platform/gdi/CDC.h"
#include "platform/metafile/EmfRecordTypes.h"
#include "platform/metafile/WmfPlayOps.h"

#include <algorithm>
#include <climits>

namespace wmfplay {
namespace {

const WmrWords& words(const WmrPayload& r) { return std::get<WmrWords>(r); }

// A record of 32-bit values made of the words read last-first.
bool emitInts(WmfPlayContext& ctx, uint32_t type, std::initializer_list<int32_t> values)
{
    EmfRecordBuilder b(type);
    for (int32_t v : values)
        b.I32(v);
    return ctx.Emit(b);
}

// A mode record: the mode is the first word (some writers add a reserved
// second word).
bool emitMode(WmfPlayContext& ctx, uint32_t type, const WmrPayload& r)
{
    return emitInts(ctx, type, {int32_t(words(r).u(0))});
}

RECT boundsOf(const std::vector<POINT>& points)
{
    if (points.empty())
        return RECT(0, 0, -1, -1);
    RECT b(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (const POINT& p : points) {
        b.left = std::min(b.left, p.x);
        b.top = std::min(b.top, p.y);
        b.right = std::max(b.right, p.x);
        b.bottom = std::max(b.bottom, p.y);
    }
    return b;
}

bool emitPoly(WmfPlayContext& ctx, uint32_t type, const WmrPayload& r)
{
    const auto& pts = std::get<WmrPoly>(r).points;
    EmfRecordBuilder b(type);
    b.Rect(boundsOf(pts)).U32(uint32_t(pts.size()));
    for (const POINT& p : pts)
        b.U16(uint16_t(p.x)).U16(uint16_t(p.y));
    return ctx.Emit(b);
}

// Arc, chord and pie: bounding box then start and end points.
bool emitArc(WmfPlayContext& ctx, uint32_t type, const WmrPayload& r)
{
    const WmrWords& w = words(r);
    return emitInts(ctx, type, {w.at(7), w.at(6), w.at(5), w.at(4), w.at(3), w.at(2), w.at(1), w.at(0)});
}

} // namespace

bool wmfNothing(WmfPlayContext&, const WmrPayload&) { return true; }
bool wmfUnsupported(WmfPlayContext&, const WmrPayload&) { return true; }

bool wmfSaveDC(WmfPlayContext& ctx, const WmrPayload&) { return emitInts(ctx, EMR_SAVEDC, {}); }
bool wmfRestoreDC(WmfPlayContext& ctx, const WmrPayload& r) { return emitInts(ctx, EMR_RESTOREDC, {words(r).at(0)}); }
bool wmfSetBkMode(WmfPlayContext& ctx, const WmrPayload& r) { return emitMode(ctx, EMR_SETBKMODE, r); }
bool wmfSetMapMode(WmfPlayContext& ctx, const WmrPayload& r) { return emitMode(ctx, EMR_SETMAPMODE, r); }
bool wmfSetRop2(WmfPlayContext& ctx, const WmrPayload& r) { return emitMode(ctx, EMR_SETROP2, r); }
bool wmfSetPolyFillMode(WmfPlayContext& ctx, const WmrPayload& r) { return emitMode(ctx, EMR_SETPOLYFILLMODE, r); }
bool wmfSetStretchBltMode(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitMode(ctx, EMR_SETSTRETCHBLTMODE, r);
}
bool wmfSetTextAlign(WmfPlayContext& ctx, const WmrPayload& r) { return emitMode(ctx, EMR_SETTEXTALIGN, r); }
bool wmfSetTextCharExtra(WmfPlayContext& ctx, const WmrPayload& r)
{
    // No EMF record carries it: the text records that follow carry the
    // advances it makes (wmfTextOut).
    ctx.dc->SetTextCharacterExtra(words(r).at(0));
    return true;
}
bool wmfFloodFill(WmfPlayContext& ctx, const WmrPayload& r)
{
    // META_FLOODFILL: colour, y, x; fills up to the border colour.
    const WmrWords& w = words(r);
    return emitInts(ctx, EMR_EXTFLOODFILL, {w.at(3), w.at(2), int32_t(w.u32(0)), FLOODFILLBORDER});
}
bool wmfExtFloodFill(WmfPlayContext& ctx, const WmrPayload& r)
{
    // META_EXTFLOODFILL: mode, colour, y, x.
    const WmrWords& w = words(r);
    return emitInts(ctx, EMR_EXTFLOODFILL, {w.at(4), w.at(3), int32_t(w.u32(1)), w.u(0)});
}
bool wmfSetLayout(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitInts(ctx, EMR_SETLAYOUT, {int32_t(words(r).u32(0))});
}
bool wmfSetMapperFlags(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitInts(ctx, EMR_SETMAPPERFLAGS, {int32_t(words(r).u32(0))});
}
bool wmfSetBkColor(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitInts(ctx, EMR_SETBKCOLOR, {int32_t(words(r).u32(0))});
}
bool wmfSetTextColor(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitInts(ctx, EMR_SETTEXTCOLOR, {int32_t(words(r).u32(0))});
}
bool wmfSetTextJustification(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitInts(ctx, EMR_SETTEXTJUSTIFICATION, {words(r).at(1), words(r).at(0)});
}

bool wmfSetWindowOrg(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitInts(ctx, EMR_SETWINDOWORGEX, {words(r).at(1), words(r).at(0)});
}
bool wmfSetWindowExt(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitInts(ctx, EMR_SETWINDOWEXTEX, {words(r).at(1), words(r).at(0)});
}
bool wmfSetViewportOrg(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitInts(ctx, EMR_SETVIEWPORTORGEX, {words(r).at(1), words(r).at(0)});
}
bool wmfSetViewportExt(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitInts(ctx, EMR_SETVIEWPORTEXTEX, {words(r).at(1), words(r).at(0)});
}
// The offsets have no EMF record: they become the origins they produce.
bool wmfOffsetWindowOrg(WmfPlayContext& ctx, const WmrPayload& r)
{
    const CPoint o = ctx.dc->GetWindowOrg();
    return emitInts(ctx, EMR_SETWINDOWORGEX, {int32_t(o.x + words(r).at(1)), int32_t(o.y + words(r).at(0))});
}
bool wmfOffsetViewportOrg(WmfPlayContext& ctx, const WmrPayload& r)
{
    const CPoint o = ctx.dc->GetViewportOrg();
    return emitInts(ctx, EMR_SETVIEWPORTORGEX, {int32_t(o.x + words(r).at(1)), int32_t(o.y + words(r).at(0))});
}
bool wmfScaleWindowExt(WmfPlayContext& ctx, const WmrPayload& r)
{
    const WmrWords& w = words(r);
    return emitInts(ctx, EMR_SCALEWINDOWEXTEX, {w.at(3), w.at(2), w.at(1), w.at(0)});
}
bool wmfScaleViewportExt(WmfPlayContext& ctx, const WmrPayload& r)
{
    const WmrWords& w = words(r);
    return emitInts(ctx, EMR_SCALEVIEWPORTEXTEX, {w.at(3), w.at(2), w.at(1), w.at(0)});
}

bool wmfExcludeClipRect(WmfPlayContext& ctx, const WmrPayload& r)
{
    const WmrWords& w = words(r);
    return emitInts(ctx, EMR_EXCLUDECLIPRECT, {w.at(3), w.at(2), w.at(1), w.at(0)});
}
bool wmfIntersectClipRect(WmfPlayContext& ctx, const WmrPayload& r)
{
    const WmrWords& w = words(r);
    return emitInts(ctx, EMR_INTERSECTCLIPRECT, {w.at(3), w.at(2), w.at(1), w.at(0)});
}
bool wmfOffsetClipRgn(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitInts(ctx, EMR_OFFSETCLIPRGN, {words(r).at(1), words(r).at(0)});
}

bool wmfMoveTo(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitInts(ctx, EMR_MOVETOEX, {words(r).at(1), words(r).at(0)});
}
bool wmfLineTo(WmfPlayContext& ctx, const WmrPayload& r)
{
    return emitInts(ctx, EMR_LINETO, {words(r).at(1), words(r).at(0)});
}
bool wmfRectangle(WmfPlayContext& ctx, const WmrPayload& r)
{
    const WmrWords& w = words(r);
    return emitInts(ctx, EMR_RECTANGLE, {w.at(3), w.at(2), w.at(1), w.at(0)});
}
bool wmfEllipse(WmfPlayContext& ctx, const WmrPayload& r)
{
    const WmrWords& w = words(r);
    return emitInts(ctx, EMR_ELLIPSE, {w.at(3), w.at(2), w.at(1), w.at(0)});
}
bool wmfRoundRect(WmfPlayContext& ctx, const WmrPayload& r)
{
    const WmrWords& w = words(r);
    return emitInts(ctx, EMR_ROUNDRECT, {w.at(5), w.at(4), w.at(3), w.at(2), w.at(1), w.at(0)});
}
bool wmfArc(WmfPlayContext& ctx, const WmrPayload& r) { return emitArc(ctx, EMR_ARC, r); }
bool wmfChord(WmfPlayContext& ctx, const WmrPayload& r) { return emitArc(ctx, EMR_CHORD, r); }
bool wmfPie(WmfPlayContext& ctx, const WmrPayload& r) { return emitArc(ctx, EMR_PIE, r); }
bool wmfSetPixel(WmfPlayContext& ctx, const WmrPayload& r)
{
    const WmrWords& w = words(r);
    return emitInts(ctx, EMR_SETPIXELV, {w.at(3), w.at(2), int32_t(w.u32(0))});
}
bool wmfPolygon(WmfPlayContext& ctx, const WmrPayload& r) { return emitPoly(ctx, EMR_POLYGON16, r); }
bool wmfPolyline(WmfPlayContext& ctx, const WmrPayload& r) { return emitPoly(ctx, EMR_POLYLINE16, r); }

bool wmfPolyPolygon(WmfPlayContext& ctx, const WmrPayload& r)
{
    const auto& p = std::get<WmrPolyPoly>(r);
    EmfRecordBuilder b(EMR_POLYPOLYGON16);
    b.Rect(boundsOf(p.points)).U32(uint32_t(p.counts.size())).U32(uint32_t(p.points.size()));
    for (INT c : p.counts)
        b.U32(uint32_t(c));
    for (const POINT& pt : p.points)
        b.U16(uint16_t(pt.x)).U16(uint16_t(pt.y));
    return ctx.Emit(b);
}

bool wmfPatBlt(WmfPlayContext& ctx, const WmrPayload& r)
{
    // EMR_BITBLT without a source bitmap (MS-EMF 2.3.1.2).
    const WmrWords& w = words(r);
    EmfRecordBuilder b(EMR_BITBLT);
    b.Rect(RECT(0, 0, -1, -1));
    b.I32(w.at(5)).I32(w.at(4)).I32(w.at(3)).I32(w.at(2)).U32(w.u32(0));
    b.I32(0).I32(0);                                // xSrc, ySrc
    b.F32(1).F32(0).F32(0).F32(1).F32(0).F32(0);    // xformSrc
    b.U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);    // colour, usage, bitmap offsets and sizes
    return ctx.Emit(b);
}

} // namespace wmfplay
