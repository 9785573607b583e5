#include "platform/metafile/EmfRecordReaders.h"

namespace emfread {
namespace {

bool readInts(EmfByteReader& in, EmrPayload& out, int n)
{
    EmrInts ints;
    ints.count = n;
    for (int i = 0; i < n; ++i)
        ints.v[size_t(i)] = in.I32();
    if (!in.Ok())
        return false;
    out = ints;
    return true;
}

// Reads count points of 32-bit (wide) or 16-bit coordinates after checking
// that they fit what is left of the record.
bool readPoints(EmfByteReader& in, uint32_t count, bool wide, std::vector<POINT>& points)
{
    const size_t each = wide ? 8 : 4;
    if (!in.Ok() || count > in.Remaining() / each)
        return false;
    // The whole array fits (checked above): decode it in one pass.
    const uint8_t* p = in.Data() + in.Pos();
    points.resize(count);
    auto i32 = [](const uint8_t* b) {
        return int32_t(uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24));
    };
    auto i16 = [](const uint8_t* b) { return int16_t(uint16_t(b[0] | (b[1] << 8))); };
    for (uint32_t i = 0; i < count; ++i, p += each) {
        if (wide)
            points[i] = POINT(i32(p), i32(p + 4));
        else
            points[i] = POINT(i16(p), i16(p + 2));
    }
    return in.Skip(size_t(count) * each);
}

bool readPoly(EmfByteReader& in, EmrPayload& out, bool wide)
{
    EmrPoly poly;
    poly.bounds = in.Rect();
    const uint32_t count = in.U32();
    if (!in.Ok() || !readPoints(in, count, wide, poly.points))
        return false;
    out = std::move(poly);
    return true;
}

bool readPolyPoly(EmfByteReader& in, EmrPayload& out, bool wide)
{
    EmrPolyPoly pp;
    pp.bounds = in.Rect();
    const uint32_t polys = in.U32();
    const uint32_t total = in.U32();
    if (!in.Ok() || polys > in.Remaining() / 4)
        return false;
    pp.counts.resize(polys);
    uint64_t sum = 0;
    for (auto& c : pp.counts) {
        c = in.U32();
        sum += c;
    }
    // The counts must add up to no more than the points the record holds.
    if (!in.Ok() || sum > total || !readPoints(in, total, wide, pp.points))
        return false;
    out = std::move(pp);
    return true;
}

bool readPolyDraw(EmfByteReader& in, EmrPayload& out, bool wide)
{
    EmrPolyDraw pd;
    pd.bounds = in.Rect();
    const uint32_t count = in.U32();
    const size_t each = wide ? 9 : 5;
    if (!in.Ok() || count > in.Remaining() / each)
        return false;
    if (!readPoints(in, count, wide, pd.points))
        return false;
    pd.types.resize(count);
    for (auto& t : pd.types)
        t = in.U8();
    if (!in.Ok())
        return false;
    out = std::move(pd);
    return true;
}

XFORM readXformValue(EmfByteReader& in)
{
    XFORM x;
    x.eM11 = in.F32();
    x.eM12 = in.F32();
    x.eM21 = in.F32();
    x.eM22 = in.F32();
    x.eDx = in.F32();
    x.eDy = in.F32();
    return x;
}

bool readPaletteEntriesInto(EmfByteReader& in, uint32_t count, std::vector<PALETTEENTRY>& entries)
{
    if (count > in.Remaining() / 4)
        return false;
    entries.resize(count);
    for (auto& e : entries) {
        e.peRed = in.U8();
        e.peGreen = in.U8();
        e.peBlue = in.U8();
        e.peFlags = in.U8();
    }
    return in.Ok();
}

} // namespace

bool readNone(EmfByteReader&, EmrPayload& out)
{
    out = EmrNone{};
    return true;
}

bool readInts1(EmfByteReader& in, EmrPayload& out) { return readInts(in, out, 1); }
bool readInts2(EmfByteReader& in, EmrPayload& out) { return readInts(in, out, 2); }
bool readInts3(EmfByteReader& in, EmrPayload& out) { return readInts(in, out, 3); }
bool readInts4(EmfByteReader& in, EmrPayload& out) { return readInts(in, out, 4); }
bool readInts6(EmfByteReader& in, EmrPayload& out) { return readInts(in, out, 6); }
bool readInts8(EmfByteReader& in, EmrPayload& out) { return readInts(in, out, 8); }
bool readPoly32(EmfByteReader& in, EmrPayload& out) { return readPoly(in, out, true); }
bool readPoly16(EmfByteReader& in, EmrPayload& out) { return readPoly(in, out, false); }
bool readPolyPoly32(EmfByteReader& in, EmrPayload& out) { return readPolyPoly(in, out, true); }
bool readPolyPoly16(EmfByteReader& in, EmrPayload& out) { return readPolyPoly(in, out, false); }
bool readPolyDraw32(EmfByteReader& in, EmrPayload& out) { return readPolyDraw(in, out, true); }
bool readPolyDraw16(EmfByteReader& in, EmrPayload& out) { return readPolyDraw(in, out, false); }

bool readAngleArc(EmfByteReader& in, EmrPayload& out)
{
    EmrAngleArc a;
    a.center.x = in.I32();
    a.center.y = in.I32();
    a.radius = in.U32();
    a.start = in.F32();
    a.sweep = in.F32();
    if (!in.Ok())
        return false;
    out = a;
    return true;
}

bool readXform(EmfByteReader& in, EmrPayload& out)
{
    EmrXform x;
    x.xform = readXformValue(in);
    if (!in.Ok())
        return false;
    out = x;
    return true;
}

bool readXformMode(EmfByteReader& in, EmrPayload& out)
{
    EmrXform x;
    x.xform = readXformValue(in);
    x.mode = in.U32();
    if (!in.Ok())
        return false;
    out = x;
    return true;
}

bool readMiterLimit(EmfByteReader& in, EmrPayload& out)
{
    // Written as a float by the platform; some writers store an integer.
    const size_t at = in.Pos();
    EmrMiterLimit m;
    m.limit = in.F32();
    if (!in.Ok())
        return false;
    if (!(m.limit >= 1.0f && m.limit < 1e6f)) {
        in.Seek(at);
        m.limit = float(in.U32());
    }
    out = m;
    return true;
}

bool readCreatePen(EmfByteReader& in, EmrPayload& out)
{
    EmrCreatePen p;
    p.index = in.U32();
    p.pen.lopnStyle = in.U32();
    p.pen.lopnWidth.x = in.I32();
    p.pen.lopnWidth.y = in.I32();
    p.pen.lopnColor = in.U32();
    if (!in.Ok())
        return false;
    out = p;
    return true;
}

bool readExtCreatePen(EmfByteReader& in, EmrPayload& out)
{
    EmrExtCreatePen p;
    p.index = in.U32();
    in.Skip(16); // offBmi, cbBmi, offBits, cbBits: the pattern of a DIB pen
    p.style = in.U32();
    p.width = in.U32();
    p.brush.lbStyle = in.U32();
    p.brush.lbColor = in.U32();
    p.brush.lbHatch = in.U32();
    const uint32_t entries = in.U32();
    if (!in.Ok() || entries > in.Remaining() / 4)
        return false;
    p.entries.resize(entries);
    for (auto& e : p.entries)
        e = in.U32();
    if (!in.Ok())
        return false;
    out = std::move(p);
    return true;
}

bool readCreateBrush(EmfByteReader& in, EmrPayload& out)
{
    EmrCreateBrush b;
    b.index = in.U32();
    b.brush.lbStyle = in.U32();
    b.brush.lbColor = in.U32();
    b.brush.lbHatch = in.U32();
    if (!in.Ok())
        return false;
    out = b;
    return true;
}

bool readCreatePalette(EmfByteReader& in, EmrPayload& out)
{
    EmrPalette p;
    p.index = in.U32();
    in.U16(); // version 0x300
    const uint32_t count = in.U16();
    if (!in.Ok() || !readPaletteEntriesInto(in, count, p.entries))
        return false;
    out = std::move(p);
    return true;
}

bool readPaletteEntries(EmfByteReader& in, EmrPayload& out)
{
    EmrPalette p;
    p.index = in.U32();
    p.start = in.U32();
    const uint32_t count = in.U32();
    if (!in.Ok() || !readPaletteEntriesInto(in, count, p.entries))
        return false;
    out = std::move(p);
    return true;
}

bool readRegionData(EmfByteReader& in, uint32_t cb, EmrRegion& out)
{
    // RGNDATAHEADER: dwSize, iType, nCount, nRgnSize, rcBound; then nCount
    // rectangles. The header must fit cb, and cb what is left.
    if (cb > in.Remaining() || cb < 32)
        return false;
    in.U32(); // dwSize
    in.U32(); // iType
    const uint32_t count = in.U32();
    in.U32(); // nRgnSize
    in.Rect();
    if (!in.Ok() || count > (cb - 32) / 16)
        return false;
    out.rects.resize(count);
    for (auto& r : out.rects)
        r = in.Rect();
    out.hasData = true;
    return in.Ok();
}

bool readClipRgn(EmfByteReader& in, EmrPayload& out)
{
    EmrRegion r;
    const uint32_t cb = in.U32();
    r.mode = in.U32();
    if (!in.Ok())
        return false;
    // RGN_COPY without data resets the clip region.
    if (cb != 0 && !readRegionData(in, cb, r))
        return false;
    out = std::move(r);
    return true;
}

bool readFillRgn(EmfByteReader& in, EmrPayload& out)
{
    EmrRegion r;
    in.Rect();
    const uint32_t cb = in.U32();
    r.brush = in.U32();
    if (!in.Ok() || !readRegionData(in, cb, r))
        return false;
    out = std::move(r);
    return true;
}

bool readFrameRgn(EmfByteReader& in, EmrPayload& out)
{
    EmrRegion r;
    in.Rect();
    const uint32_t cb = in.U32();
    r.brush = in.U32();
    r.stroke.cx = in.I32();
    r.stroke.cy = in.I32();
    if (!in.Ok() || !readRegionData(in, cb, r))
        return false;
    out = std::move(r);
    return true;
}

bool readRgn(EmfByteReader& in, EmrPayload& out)
{
    EmrRegion r;
    in.Rect();
    const uint32_t cb = in.U32();
    if (!in.Ok() || !readRegionData(in, cb, r))
        return false;
    out = std::move(r);
    return true;
}

} // namespace emfread
