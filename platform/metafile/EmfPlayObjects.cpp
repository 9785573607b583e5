// Player entries: state, mapping, objects, clipping and paths.
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/metafile/EmfPlayOps.h"
#include "platform/metafile/EmfPlayback.h"
#include "platform/metafile/EmfPlayer.h"

namespace emfplay {
namespace {

const EmrInts& ints(const EmrPayload& r) { return std::get<EmrInts>(r); }

// A valid index of an object the metafile creates: not 0 (the metafile
// itself), inside both the header's count and the table.
bool validIndex(const EmfPlayContext& ctx, DWORD index)
{
    return index != 0 && index < ctx.nHandles && index < ctx.table->objectHandle.size();
}

// The object a record names: a stock object through the high bit, or the
// table's entry.
HGDIOBJ objectFor(const EmfPlayContext& ctx, DWORD index)
{
    if (index & ENHMETA_STOCK_OBJECT)
        return GetStockObject(int(index & ~ENHMETA_STOCK_OBJECT));
    return validIndex(ctx, index) ? ctx.table->objectHandle[index] : nullptr;
}

void store(EmfPlayContext& ctx, DWORD index, HGDIOBJ object)
{
    if (!object)
        return;
    if (!validIndex(ctx, index)) {
        DeleteObject(object);
        return;
    }
    HGDIOBJ& slot = ctx.table->objectHandle[index];
    if (slot)
        DeleteObject(slot); // a writer that reuses an index without deleting
    slot = object;
}

} // namespace

bool playNothing(EmfPlayContext&, const EmrPayload&) { return true; }

bool playUnsupported(EmfPlayContext& ctx, const EmrPayload&)
{
    if (ctx.playback)
        ctx.playback->Skipped(ctx.type);
    return true;
}

bool playSetWindowExt(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetWindowExt(ints(r).v[0], ints(r).v[1]);
    return true;
}

bool playSetWindowOrg(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetWindowOrg(ints(r).v[0], ints(r).v[1]);
    return true;
}

bool playSetViewportExt(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetViewportExt(ints(r).v[0], ints(r).v[1]);
    return true;
}

bool playSetViewportOrg(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetViewportOrg(ints(r).v[0], ints(r).v[1]);
    return true;
}

bool playSetBrushOrg(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetBrushOrg(ints(r).v[0], ints(r).v[1]);
    return true;
}

bool playSetMapperFlags(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetMapperFlags(ints(r).u(0));
    return true;
}

bool playSetMapMode(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetMapMode(ints(r).v[0]);
    return true;
}

bool playSetBkMode(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetBkMode(ints(r).v[0]);
    return true;
}

bool playSetPolyFillMode(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetPolyFillMode(ints(r).v[0]);
    return true;
}

bool playSetRop2(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetROP2(ints(r).v[0]);
    return true;
}

bool playSetStretchBltMode(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetStretchBltMode(ints(r).v[0]);
    return true;
}

bool playSetTextAlign(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetTextAlign(ints(r).u(0));
    return true;
}

bool playSetTextColor(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetTextColor(ints(r).u(0));
    return true;
}

bool playSetBkColor(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetBkColor(ints(r).u(0));
    return true;
}

bool playSetArcDirection(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetArcDirection(ints(r).v[0]);
    return true;
}

bool playSetMiterLimit(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetMiterLimit(std::get<EmrMiterLimit>(r).limit);
    return true;
}

bool playSetLayout(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetLayout(ints(r).u(0));
    return true;
}

bool playSetTextJustification(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetTextJustification(ints(r).v[0], ints(r).v[1]);
    return true;
}

bool playScaleViewportExt(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = ints(r);
    ctx.dc->ScaleViewportExt(i.v[0], i.v[1], i.v[2], i.v[3]);
    return true;
}

bool playScaleWindowExt(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = ints(r);
    ctx.dc->ScaleWindowExt(i.v[0], i.v[1], i.v[2], i.v[3]);
    return true;
}

bool playSaveDC(EmfPlayContext& ctx, const EmrPayload&)
{
    ctx.dc->SaveDC();
    return true;
}

bool playRestoreDC(EmfPlayContext& ctx, const EmrPayload& r)
{
    // Levels count from the start of the playback: a metafile never
    // restores a state saved before it.
    const int n = ints(r).v[0];
    const int level = ctx.dc->SaveLevel();
    const int base = ctx.playback ? ctx.playback->BaseSaveLevel() : 0;
    const long long target = n < 0 ? (long long)level + n + 1 : (long long)base + n;
    if (n == 0 || target <= base || target > level)
        return true;
    ctx.dc->RestoreDC(int(target));
    return true;
}

bool playSetWorldTransform(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SetWorldTransform(&std::get<EmrXform>(r).xform);
    return true;
}

bool playModifyWorldTransform(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& x = std::get<EmrXform>(r);
    ctx.dc->ModifyWorldTransform(&x.xform, x.mode);
    return true;
}

bool playSelectObject(EmfPlayContext& ctx, const EmrPayload& r)
{
    if (HGDIOBJ object = objectFor(ctx, ints(r).u(0)))
        ctx.dc->SelectObject(object);
    return true;
}

bool playDeleteObject(EmfPlayContext& ctx, const EmrPayload& r)
{
    const DWORD index = ints(r).u(0);
    if (!validIndex(ctx, index))
        return true;
    HGDIOBJ& slot = ctx.table->objectHandle[index];
    if (slot)
        DeleteObject(slot);
    slot = nullptr;
    return true;
}

bool playCreatePen(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& p = std::get<EmrCreatePen>(r);
    store(ctx, p.index, CreatePenIndirect(&p.pen));
    return true;
}

bool playExtCreatePen(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& p = std::get<EmrExtCreatePen>(r);
    LOGBRUSH brush = p.brush;
    // Pattern pens draw in their brush colour until the bitmap layer.
    if (brush.lbStyle != BS_SOLID && brush.lbStyle != BS_NULL && brush.lbStyle != BS_HATCHED)
        brush.lbStyle = BS_SOLID;
    HPEN pen = ExtCreatePen(p.style, p.width, &brush, DWORD(p.entries.size()),
                            p.entries.empty() ? nullptr : p.entries.data());
    if (!pen) {
        // The platform falls back to a solid pen for styles it rejects.
        pen = ExtCreatePen((p.style & ~PS_STYLE_MASK) | PS_SOLID, (p.style & PS_TYPE_MASK) == PS_COSMETIC ? 1 : p.width,
                           &brush, 0, nullptr);
    }
    store(ctx, p.index, pen);
    return true;
}

bool playCreateBrush(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& b = std::get<EmrCreateBrush>(r);
    store(ctx, b.index, CreateBrushIndirect(&b.brush));
    return true;
}

bool playSelectPalette(EmfPlayContext& ctx, const EmrPayload& r)
{
    HGDIOBJ object = objectFor(ctx, ints(r).u(0));
    if (object && object->Type() == OBJ_PAL)
        ctx.dc->SelectPalette(static_cast<HPALETTE>(object), FALSE);
    return true;
}

bool playCreatePalette(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& p = std::get<EmrPalette>(r);
    store(ctx, p.index, CreatePalette(p.entries));
    return true;
}

bool playSetPaletteEntries(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& p = std::get<EmrPalette>(r);
    HGDIOBJ object = objectFor(ctx, p.index);
    if (object && object->Type() == OBJ_PAL && !p.entries.empty())
        SetPaletteEntries(static_cast<HPALETTE>(object), p.start, UINT(p.entries.size()), p.entries.data());
    return true;
}

bool playResizePalette(EmfPlayContext& ctx, const EmrPayload& r)
{
    HGDIOBJ object = objectFor(ctx, ints(r).u(0));
    if (object && object->Type() == OBJ_PAL)
        ResizePalette(static_cast<HPALETTE>(object), ints(r).u(1));
    return true;
}

bool playRealizePalette(EmfPlayContext& ctx, const EmrPayload&)
{
    ctx.dc->RealizePalette();
    return true;
}

// --- clipping ----------------------------------------------------------------

bool playOffsetClipRgn(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->OffsetClipRgn(ints(r).v[0], ints(r).v[1]);
    return true;
}

bool playSetMetaRgn(EmfPlayContext& ctx, const EmrPayload&)
{
    ctx.dc->SetMetaRgn();
    return true;
}

bool playExcludeClipRect(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = ints(r);
    ctx.dc->ExcludeClipRect(i.v[0], i.v[1], i.v[2], i.v[3]);
    return true;
}

bool playIntersectClipRect(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = ints(r);
    ctx.dc->IntersectClipRect(i.v[0], i.v[1], i.v[2], i.v[3]);
    return true;
}

bool playExtSelectClipRgn(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& rgn = std::get<EmrRegion>(r);
    if (!rgn.hasData) {
        if (rgn.mode == RGN_COPY)
            ctx.dc->ExtSelectClipRgn(nullptr, RGN_COPY);
        return true;
    }
    GdiRegion region(RegionFromRects(rgn.rects));
    ctx.dc->ExtSelectClipRgn(&region, int(rgn.mode));
    return true;
}

bool playSelectClipPath(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->SelectClipPath(ints(r).v[0]);
    return true;
}

// --- paths -------------------------------------------------------------------

bool playBeginPath(EmfPlayContext& ctx, const EmrPayload&) { return ctx.dc->BeginPath(), true; }
bool playEndPath(EmfPlayContext& ctx, const EmrPayload&) { return ctx.dc->EndPath(), true; }
bool playCloseFigure(EmfPlayContext& ctx, const EmrPayload&) { return ctx.dc->CloseFigure(), true; }
bool playFillPath(EmfPlayContext& ctx, const EmrPayload&) { return ctx.dc->FillPath(), true; }
bool playStrokeAndFillPath(EmfPlayContext& ctx, const EmrPayload&) { return ctx.dc->StrokeAndFillPath(), true; }
bool playStrokePath(EmfPlayContext& ctx, const EmrPayload&) { return ctx.dc->StrokePath(), true; }
bool playFlattenPath(EmfPlayContext& ctx, const EmrPayload&) { return ctx.dc->FlattenPath(), true; }
bool playWidenPath(EmfPlayContext& ctx, const EmrPayload&) { return ctx.dc->WidenPath(), true; }
bool playAbortPath(EmfPlayContext& ctx, const EmrPayload&) { return ctx.dc->AbortPath(), true; }

// --- regions -----------------------------------------------------------------

bool playFillRgn(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& rgn = std::get<EmrRegion>(r);
    HGDIOBJ brush = objectFor(ctx, rgn.brush);
    if (!brush || brush->Type() != OBJ_BRUSH)
        return true;
    GdiRegion region(RegionFromRects(rgn.rects));
    ctx.dc->FillRgn(&region, static_cast<HBRUSH>(brush));
    return true;
}

bool playFrameRgn(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& rgn = std::get<EmrRegion>(r);
    HGDIOBJ brush = objectFor(ctx, rgn.brush);
    if (!brush || brush->Type() != OBJ_BRUSH)
        return true;
    GdiRegion region(RegionFromRects(rgn.rects));
    ctx.dc->FrameRgn(&region, static_cast<HBRUSH>(brush), rgn.stroke.cx, rgn.stroke.cy);
    return true;
}

bool playInvertRgn(EmfPlayContext& ctx, const EmrPayload& r)
{
    GdiRegion region(RegionFromRects(std::get<EmrRegion>(r).rects));
    ctx.dc->InvertRgn(&region);
    return true;
}

bool playPaintRgn(EmfPlayContext& ctx, const EmrPayload& r)
{
    GdiRegion region(RegionFromRects(std::get<EmrRegion>(r).rects));
    ctx.dc->PaintRgn(&region);
    return true;
}

} // namespace emfplay
