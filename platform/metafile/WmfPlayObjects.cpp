// WMF player entries: the object table, regions, palettes, fonts and text,
// and device-independent bitmaps.
#include "platform/gdi/CDC.h"
#include "platform/metafile/EmfRecordTypes.h"
#include "platform/metafile/WmfPlayOps.h"

#include <QString>
#include <algorithm>
#include <utility>

namespace wmfplay {
namespace {

const WmrWords& words(const WmrPayload& r) { return std::get<WmrWords>(r); }

constexpr uint32_t RgnCopy = 5;
constexpr BYTE SymbolCharset = 2;

// Claims the lowest free slot for an object; -1 when the table is full,
// and the object is then not created, as on the platform.
int claim(WmfPlayContext& ctx, WmfSlot::Kind kind)
{
    const int slot = ctx.FreeSlot();
    if (slot >= 0)
        ctx.objects[size_t(slot)].kind = kind;
    return slot;
}

uint32_t handleOf(int slot) { return uint32_t(slot + 1); }

// Takes rects from the playback's region budget; false when it is spent.
bool spend(WmfPlayContext& ctx, const std::vector<RECT>& rects)
{
    const size_t n = std::max<size_t>(1, rects.size());
    if (n > ctx.regionBudget)
        return false;
    ctx.regionBudget -= n;
    return true;
}

bool emitRegion(WmfPlayContext& ctx, uint32_t type, const std::vector<RECT>& rects, int brushSlot = -1,
                SIZE stroke = SIZE())
{
    if (!spend(ctx, rects))
        return false;
    EmfRecordBuilder b(type);
    b.Rect(RECT(0, 0, -1, -1)).U32(EmfRecordBuilder::RegionDataSize(rects));
    if (type == EMR_FILLRGN || type == EMR_FRAMERGN)
        b.U32(handleOf(brushSlot));
    if (type == EMR_FRAMERGN)
        b.I32(stroke.cx).I32(stroke.cy);
    b.RegionData(rects);
    return ctx.Emit(b);
}

// The platform's ANSI code page for a WMF string: Windows-1252, whose
// 0x80-0x9F differ from Latin-1; symbol fonts take their private-use
// characters as the platform's symbol code page does.
QString decode(const QByteArray& text, BYTE charSet)
{
    static const char16_t cp1252[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                        0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    QString s;
    s.reserve(text.size());
    for (char c : text) {
        const auto b = uint8_t(c);
        if (charSet == SymbolCharset)
            s += QChar(char16_t(0xF000 | b));
        else if (b >= 0x80 && b < 0xA0)
            s += QChar(cp1252[b - 0x80]);
        else
            s += QChar(char16_t(b));
    }
    return s;
}

// The BITMAPINFO's size: header, masks and colour table, from the DIB's
// own header; 0 when it does not fit.
uint32_t bmiSize(const QByteArray& dib, UINT usage)
{
    if (dib.size() < 12)
        return 0;
    const auto* p = reinterpret_cast<const uint8_t*>(dib.constData());
    auto u32 = [p](int at) { return uint32_t(p[at]) | (uint32_t(p[at + 1]) << 8) | (uint32_t(p[at + 2]) << 16) | (uint32_t(p[at + 3]) << 24); };
    const uint32_t headerSize = u32(0);
    uint64_t size = headerSize;
    if (headerSize == 12) { // BITMAPCOREHEADER
        const unsigned bpp = unsigned(p[10] | (p[11] << 8));
        size += bpp <= 8 ? (uint64_t(1) << bpp) * (usage ? 2 : 3) : 0;
    } else {
        if (headerSize < 40 || dib.size() < 40)
            return 0;
        const unsigned bpp = unsigned(p[14] | (p[15] << 8));
        const uint32_t compression = u32(16);
        uint64_t colors = u32(32);
        if (colors == 0 && bpp <= 8)
            colors = uint64_t(1) << bpp;
        if (headerSize == 40 && (compression == 3 || compression == 6))
            size += compression == 3 ? 12 : 16;
        size += colors * (usage ? 2 : 4);
    }
    return size <= uint64_t(dib.size()) ? uint32_t(size) : 0;
}

} // namespace

bool wmfSelectObject(WmfPlayContext& ctx, const WmrPayload& r)
{
    const int slot = words(r).u(0);
    if (ctx.ValidSlot(slot, WmfSlot::Region))
        return wmfSelectClipRegion(ctx, r);
    if (ctx.ValidSlot(slot, WmfSlot::Palette))
        return wmfSelectPalette(ctx, r);
    if (ctx.ValidSlot(slot, WmfSlot::Font))
        ctx.charSet = ctx.objects[size_t(slot)].charSet;
    else if (!ctx.ValidSlot(slot, WmfSlot::Object))
        return true; // the platform ignores an empty or absent slot
    EmfRecordBuilder b(EMR_SELECTOBJECT);
    b.U32(handleOf(slot));
    return ctx.Emit(b);
}

bool wmfDeleteObject(WmfPlayContext& ctx, const WmrPayload& r)
{
    const int slot = words(r).u(0);
    if (slot >= int(ctx.objects.size()) || ctx.objects[size_t(slot)].kind == WmfSlot::Free)
        return true;
    const bool emfObject = ctx.objects[size_t(slot)].kind != WmfSlot::Region;
    ctx.objects[size_t(slot)] = WmfSlot();
    if (ctx.selectedPalette == slot)
        ctx.selectedPalette = -1;
    if (!emfObject)
        return true;
    EmfRecordBuilder b(EMR_DELETEOBJECT);
    b.U32(handleOf(slot));
    return ctx.Emit(b);
}

bool wmfCreatePen(WmfPlayContext& ctx, const WmrPayload& r)
{
    const WmrWords& w = words(r);
    const int slot = claim(ctx, WmfSlot::Object);
    if (slot < 0)
        return true;
    EmfRecordBuilder b(EMR_CREATEPEN);
    b.U32(handleOf(slot)).U32(w.u(0)).I32(w.at(1)).I32(w.at(2)).U32(w.u32(3));
    return ctx.Emit(b);
}

bool wmfCreateBrush(WmfPlayContext& ctx, const WmrPayload& r)
{
    const WmrWords& w = words(r);
    const int slot = claim(ctx, WmfSlot::Object);
    if (slot < 0)
        return true;
    EmfRecordBuilder b(EMR_CREATEBRUSHINDIRECT);
    b.U32(handleOf(slot)).U32(w.u(0)).U32(w.u32(1)).U32(w.u(3));
    return ctx.Emit(b);
}

bool wmfCreateFont(WmfPlayContext& ctx, const WmrPayload& r)
{
    const auto& f = std::get<WmrFont>(r);
    const int slot = claim(ctx, WmfSlot::Font);
    if (slot < 0)
        return true;
    ctx.objects[size_t(slot)].charSet = f.charSet;
    // EMR_EXTCREATEFONTINDIRECTW with a plain LOGFONTW (MS-EMF 2.3.7.8).
    EmfRecordBuilder b(EMR_EXTCREATEFONTINDIRECTW);
    b.U32(handleOf(slot)).I32(f.height).I32(f.width).I32(f.escapement).I32(f.orientation).I32(f.weight);
    b.U8(f.italic).U8(f.underline).U8(f.strikeOut).U8(f.charSet);
    b.U8(f.outPrecision).U8(f.clipPrecision).U8(f.quality).U8(f.pitchAndFamily);
    const QString face = decode(f.faceName, 0).left(31);
    for (int i = 0; i < 32; ++i)
        b.U16(i < face.size() ? face[i].unicode() : 0);
    return ctx.Emit(b);
}

bool wmfCreatePalette(WmfPlayContext& ctx, const WmrPayload& r)
{
    const auto& p = std::get<WmrPalette>(r);
    const int slot = claim(ctx, WmfSlot::Palette);
    if (slot < 0)
        return true;
    EmfRecordBuilder b(EMR_CREATEPALETTE);
    b.U32(handleOf(slot)).U16(0x0300).U16(uint16_t(p.entries.size()));
    for (const PALETTEENTRY& e : p.entries)
        b.U8(e.peRed).U8(e.peGreen).U8(e.peBlue).U8(e.peFlags);
    return ctx.Emit(b);
}

bool wmfSelectPalette(WmfPlayContext& ctx, const WmrPayload& r)
{
    const int slot = words(r).u(0);
    if (!ctx.ValidSlot(slot, WmfSlot::Palette))
        return true;
    ctx.selectedPalette = slot;
    EmfRecordBuilder b(EMR_SELECTPALETTE);
    b.U32(handleOf(slot));
    return ctx.Emit(b);
}

bool wmfRealizePalette(WmfPlayContext& ctx, const WmrPayload&)
{
    EmfRecordBuilder b(EMR_REALIZEPALETTE);
    return ctx.Emit(b);
}

// META_SETPALENTRIES and META_RESIZEPALETTE act on the selected palette.
bool wmfSetPalEntries(WmfPlayContext& ctx, const WmrPayload& r)
{
    const auto& p = std::get<WmrPalette>(r);
    if (ctx.selectedPalette < 0)
        return true;
    EmfRecordBuilder b(EMR_SETPALETTEENTRIES);
    b.U32(handleOf(ctx.selectedPalette)).U32(p.start).U32(uint32_t(p.entries.size()));
    for (const PALETTEENTRY& e : p.entries)
        b.U8(e.peRed).U8(e.peGreen).U8(e.peBlue).U8(e.peFlags);
    return ctx.Emit(b);
}

bool wmfResizePalette(WmfPlayContext& ctx, const WmrPayload& r)
{
    if (ctx.selectedPalette < 0)
        return true;
    EmfRecordBuilder b(EMR_RESIZEPALETTE);
    b.U32(handleOf(ctx.selectedPalette)).U32(words(r).u(0));
    return ctx.Emit(b);
}

bool wmfCreateRegion(WmfPlayContext& ctx, const WmrPayload& r)
{
    const int slot = claim(ctx, WmfSlot::Region);
    if (slot >= 0)
        ctx.objects[size_t(slot)].rects = std::get<WmrRegion>(r).rects;
    return true;
}

bool wmfSelectClipRegion(WmfPlayContext& ctx, const WmrPayload& r)
{
    const int slot = words(r).u(0);
    if (!ctx.ValidSlot(slot, WmfSlot::Region))
        return true;
    // Region coordinates are device units of the playing DC, as the
    // platform plays them.
    const auto& rects = ctx.objects[size_t(slot)].rects;
    if (!spend(ctx, rects))
        return false;
    EmfRecordBuilder b(EMR_EXTSELECTCLIPRGN);
    b.U32(EmfRecordBuilder::RegionDataSize(rects)).U32(RgnCopy).RegionData(rects);
    return ctx.Emit(b);
}

bool wmfFillRegion(WmfPlayContext& ctx, const WmrPayload& r)
{
    // Writers disagree on the order of the two indices (MS-WMF puts the
    // region first, the platform's player reads it second): the table says
    // which is the region.
    int region = words(r).u(1), brush = words(r).u(0);
    if (!ctx.ValidSlot(region, WmfSlot::Region))
        std::swap(region, brush);
    if (!ctx.ValidSlot(region, WmfSlot::Region) || !ctx.ValidSlot(brush, WmfSlot::Object))
        return true;
    return emitRegion(ctx, EMR_FILLRGN, ctx.objects[size_t(region)].rects, brush);
}

bool wmfFrameRegion(WmfPlayContext& ctx, const WmrPayload& r)
{
    const WmrWords& w = words(r);
    const int region = w.u(3), brush = w.u(2);
    if (!ctx.ValidSlot(region, WmfSlot::Region) || !ctx.ValidSlot(brush, WmfSlot::Object))
        return true;
    return emitRegion(ctx, EMR_FRAMERGN, ctx.objects[size_t(region)].rects, brush, SIZE(w.at(1), w.at(0)));
}

bool wmfInvertRegion(WmfPlayContext& ctx, const WmrPayload& r)
{
    const int region = words(r).u(0);
    return !ctx.ValidSlot(region, WmfSlot::Region) ||
           emitRegion(ctx, EMR_INVERTRGN, ctx.objects[size_t(region)].rects);
}

bool wmfPaintRegion(WmfPlayContext& ctx, const WmrPayload& r)
{
    const int region = words(r).u(0);
    return !ctx.ValidSlot(region, WmfSlot::Region) ||
           emitRegion(ctx, EMR_PAINTRGN, ctx.objects[size_t(region)].rects);
}

bool wmfTextOut(WmfPlayContext& ctx, const WmrPayload& r)
{
    // EMR_EXTTEXTOUTW (MS-EMF 2.3.5.8) in the compatible graphics mode, as
    // the platform records WMF text.
    const auto& t = std::get<WmrText>(r);
    const QString s = decode(t.text, ctx.charSet);
    const uint32_t n = uint32_t(s.size());
    constexpr uint32_t fixed = 76;
    const uint32_t stringBytes = (2 * n + 3) & ~3u;
    // Character extra has no EMF record: text without advances gets the
    // advances of its characters with the extra, as the platform records
    // them (text with advances keeps its own).
    std::vector<INT> dx(t.dx.begin(), t.dx.end());
    if (dx.empty() && ctx.dc->GetTextCharacterExtra() != 0) {
        for (QChar c : s) {
            SIZE size{};
            const char16_t u = c.unicode();
            ctx.dc->GetTextExtentPoint32W(&u, 1, &size);
            dx.push_back(size.cx);
        }
    }
    EmfRecordBuilder b(EMR_EXTTEXTOUTW);
    b.Rect(RECT(0, 0, -1, -1)).U32(1 /* GM_COMPATIBLE */).F32(0).F32(0);
    b.I32(t.ref.x).I32(t.ref.y).U32(n).U32(fixed).U32(t.options);
    b.Rect(t.hasRect ? t.rect : RECT()).U32(dx.empty() ? 0 : fixed + stringBytes);
    for (QChar c : s)
        b.U16(c.unicode());
    b.Pad4();
    for (INT d : dx)
        b.I32(d);
    return ctx.Emit(b);
}

bool wmfDibCreatePatternBrush(WmfPlayContext& ctx, const WmrPayload& r)
{
    const auto& d = std::get<WmrDib>(r);
    const uint32_t cbBmi = bmiSize(d.dib, d.usage);
    const int slot = cbBmi ? claim(ctx, WmfSlot::Object) : -1;
    if (slot < 0)
        return true;
    // EMR_CREATEDIBPATTERNBRUSHPT (MS-EMF 2.3.7.4).
    constexpr uint32_t fixed = 32;
    EmfRecordBuilder b(EMR_CREATEDIBPATTERNBRUSHPT);
    b.U32(handleOf(slot)).U32(d.usage).U32(fixed).U32(cbBmi).U32(fixed + cbBmi).U32(uint32_t(d.dib.size()) - cbBmi);
    b.Bytes(d.dib);
    return ctx.Emit(b);
}

bool wmfStretchDib(WmfPlayContext& ctx, const WmrPayload& r)
{
    const auto& d = std::get<WmrDib>(r);
    if (d.dib.isEmpty()) {
        // A blit without a source: a pattern blit with the record's raster
        // operation (EMR_STRETCHBLT without a bitmap).
        EmfRecordBuilder b(EMR_STRETCHBLT);
        b.Rect(RECT(0, 0, -1, -1)).I32(d.xDest).I32(d.yDest).I32(d.cxDest).I32(d.cyDest).U32(d.rop);
        b.I32(d.xSrc).I32(d.ySrc).F32(1).F32(0).F32(0).F32(1).F32(0).F32(0);
        b.U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).I32(d.cxSrc).I32(d.cySrc);
        return ctx.Emit(b);
    }
    const uint32_t cbBmi = bmiSize(d.dib, d.usage);
    if (!cbBmi)
        return true;
    // EMR_STRETCHDIBITS (MS-EMF 2.3.1.7).
    constexpr uint32_t fixed = 80;
    EmfRecordBuilder b(EMR_STRETCHDIBITS);
    b.Rect(RECT(0, 0, -1, -1)).I32(d.xDest).I32(d.yDest).I32(d.xSrc).I32(d.ySrc).I32(d.cxSrc).I32(d.cySrc);
    b.U32(fixed).U32(cbBmi).U32(fixed + cbBmi).U32(uint32_t(d.dib.size()) - cbBmi).U32(d.usage).U32(d.rop);
    b.I32(d.cxDest).I32(d.cyDest).Bytes(d.dib);
    return ctx.Emit(b);
}

bool wmfSetDibToDev(WmfPlayContext& ctx, const WmrPayload& r)
{
    const auto& d = std::get<WmrDib>(r);
    const uint32_t cbBmi = bmiSize(d.dib, d.usage);
    if (!cbBmi)
        return true;
    // EMR_SETDIBITSTODEVICE (MS-EMF 2.3.1.5).
    constexpr uint32_t fixed = 76;
    EmfRecordBuilder b(EMR_SETDIBITSTODEVICE);
    b.Rect(RECT(0, 0, -1, -1)).I32(d.xDest).I32(d.yDest).I32(d.xSrc).I32(d.ySrc).I32(d.cxSrc).I32(d.cySrc);
    b.U32(fixed).U32(cbBmi).U32(fixed + cbBmi).U32(uint32_t(d.dib.size()) - cbBmi).U32(d.usage);
    b.U32(d.startScan).U32(d.scans).Bytes(d.dib);
    return ctx.Emit(b);
}

} // namespace wmfplay
