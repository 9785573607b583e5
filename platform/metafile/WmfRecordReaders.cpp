#include "platform/metafile/WmfRecordReaders.h"

#include "platform/metafile/WmfRecordTypes.h"

#include <algorithm>

namespace wmfread {
namespace {

// The largest region this engine builds from a metafile: beyond it a
// record is treated as malformed rather than allocated.
constexpr size_t MaxRegionRects = size_t(1) << 16;

QByteArray rest(EmfByteReader& in)
{
    const size_t n = in.Remaining();
    QByteArray b(reinterpret_cast<const char*>(in.Data() + in.Pos()), qsizetype(n));
    in.Skip(n);
    return b;
}

} // namespace

bool readWords(EmfByteReader& in, uint16_t, WmrPayload& out)
{
    WmrWords w;
    w.w.resize(in.Remaining() / 2);
    for (auto& v : w.w)
        v = in.I16();
    out = std::move(w);
    return in.Ok();
}

bool readPoly(EmfByteReader& in, uint16_t, WmrPayload& out)
{
    WmrPoly p;
    const uint16_t n = in.U16();
    if (!in.Ok() || size_t(n) * 4 > in.Remaining())
        return false;
    p.points.resize(n);
    for (auto& pt : p.points) {
        pt.x = in.I16();
        pt.y = in.I16();
    }
    out = std::move(p);
    return in.Ok();
}

bool readPolyPoly(EmfByteReader& in, uint16_t, WmrPayload& out)
{
    WmrPolyPoly p;
    const uint16_t polys = in.U16();
    if (!in.Ok() || size_t(polys) * 2 > in.Remaining())
        return false;
    size_t total = 0;
    p.counts.resize(polys);
    for (auto& c : p.counts) {
        c = in.U16();
        total += size_t(c);
    }
    if (!in.Ok() || total * 4 > in.Remaining())
        return false;
    p.points.resize(total);
    for (auto& pt : p.points) {
        pt.x = in.I16();
        pt.y = in.I16();
    }
    out = std::move(p);
    return in.Ok();
}

bool readRegion(EmfByteReader& in, uint16_t, WmrPayload& out)
{
    // Region object (MS-WMF 2.2.1.5): a header, the bounding rectangle, then
    // scans of (count, top, bottom, count/2 left-right pairs, count).
    WmrRegion r;
    in.U16(); // nextInChain
    in.U16(); // objectType
    in.U32(); // objectCount
    in.U16(); // regionSize
    const uint16_t scans = in.U16();
    in.U16(); // maxScan
    in.Skip(8); // bounding rectangle
    if (!in.Ok() || size_t(scans) * 8 > in.Remaining())
        return false;
    for (uint16_t s = 0; s < scans; ++s) {
        const uint16_t count = in.U16();
        const int top = in.I16(), bottom = in.I16();
        if (!in.Ok() || count % 2 != 0 || size_t(count) * 2 + 2 > in.Remaining())
            return false;
        for (uint16_t i = 0; i < count / 2; ++i) {
            const int left = in.I16(), right = in.I16();
            if (r.rects.size() >= MaxRegionRects)
                return false;
            if (left < right && top < bottom)
                r.rects.push_back(RECT(left, top, right, bottom));
        }
        in.U16(); // count again
    }
    out = std::move(r);
    return in.Ok();
}

bool readTextOut(EmfByteReader& in, uint16_t, WmrPayload& out)
{
    WmrText t;
    const uint16_t len = in.U16();
    const size_t padded = (size_t(len) + 1) & ~size_t(1);
    if (!in.Ok() || padded + 4 > in.Remaining())
        return false;
    t.text = QByteArray(reinterpret_cast<const char*>(in.Data() + in.Pos()), len);
    in.Skip(padded);
    t.ref.y = in.I16();
    t.ref.x = in.I16();
    out = std::move(t);
    return in.Ok();
}

bool readExtTextOut(EmfByteReader& in, uint16_t, WmrPayload& out)
{
    WmrText t;
    t.ref.y = in.I16();
    t.ref.x = in.I16();
    const uint16_t len = in.U16();
    t.options = in.U16();
    // The rectangle is there for ETO_OPAQUE or ETO_CLIPPED; some writers
    // leave it out, which the size tells.
    const size_t padded = (size_t(len) + 1) & ~size_t(1);
    if ((t.options & 0x6) && in.Remaining() >= 8 + size_t(len)) {
        t.hasRect = true;
        t.rect.left = in.I16();
        t.rect.top = in.I16();
        t.rect.right = in.I16();
        t.rect.bottom = in.I16();
    }
    if (!in.Ok() || size_t(len) > in.Remaining())
        return false;
    t.text = QByteArray(reinterpret_cast<const char*>(in.Data() + in.Pos()), len);
    in.Skip(std::min(padded, in.Remaining()));
    if (in.Remaining() >= size_t(len) * 2 && len > 0) {
        t.dx.resize(len);
        for (auto& d : t.dx)
            d = in.I16();
    }
    out = std::move(t);
    return in.Ok();
}

bool readFont(EmfByteReader& in, uint16_t, WmrPayload& out)
{
    WmrFont f;
    f.height = in.I16();
    f.width = in.I16();
    f.escapement = in.I16();
    f.orientation = in.I16();
    f.weight = in.I16();
    f.italic = in.U8();
    f.underline = in.U8();
    f.strikeOut = in.U8();
    f.charSet = in.U8();
    f.outPrecision = in.U8();
    f.clipPrecision = in.U8();
    f.quality = in.U8();
    f.pitchAndFamily = in.U8();
    if (!in.Ok())
        return false;
    const size_t n = std::min<size_t>(32, in.Remaining());
    const char* face = reinterpret_cast<const char*>(in.Data() + in.Pos());
    f.faceName = QByteArray(face, qsizetype(std::find(face, face + n, '\0') - face));
    in.Skip(n);
    out = std::move(f);
    return true;
}

bool readPalette(EmfByteReader& in, uint16_t function, WmrPayload& out)
{
    WmrPalette p;
    const uint16_t first = in.U16();
    const uint16_t count = in.U16();
    // META_CREATEPALETTE stores the version (0x0300) where the others store
    // the first entry.
    p.start = function == META_CREATEPALETTE ? 0 : first;
    if (!in.Ok() || size_t(count) * 4 > in.Remaining())
        return false;
    p.entries.resize(count);
    for (auto& e : p.entries) {
        e.peRed = in.U8();
        e.peGreen = in.U8();
        e.peBlue = in.U8();
        e.peFlags = in.U8();
    }
    out = std::move(p);
    return in.Ok();
}

bool readEscape(EmfByteReader& in, uint16_t, WmrPayload& out)
{
    WmrEscape e;
    e.function = in.U16();
    const uint16_t count = in.U16();
    if (!in.Ok() || count > in.Remaining())
        return false;
    e.data = QByteArray(reinterpret_cast<const char*>(in.Data() + in.Pos()), count);
    in.Skip(count);
    out = std::move(e);
    return true;
}

bool readDibBrush(EmfByteReader& in, uint16_t, WmrPayload& out)
{
    WmrDib d;
    d.brushStyle = in.U16();
    d.usage = in.U16();
    if (!in.Ok())
        return false;
    if (d.brushStyle == 3 /* BS_PATTERN */) {
        // The pattern is a Bitmap16; its colours come from the DC.
        d.dib = Bitmap16ToDib(in);
        d.usage = 0;
    } else {
        d.dib = rest(in);
    }
    if (d.dib.isEmpty())
        return false;
    out = std::move(d);
    return true;
}

bool readPatternBrush(EmfByteReader& in, uint16_t, WmrPayload& out)
{
    WmrDib d;
    d.brushStyle = 3;
    d.dib = Bitmap16ToDib(in);
    if (d.dib.isEmpty())
        return false;
    out = std::move(d);
    return true;
}

namespace {

// The source and destination of a blit record, stored last field first: a
// stretch gives the source size, a plain blit copies the destination's; a
// record without a bitmap has one reserved word before the destination.
bool readBltPlace(EmfByteReader& in, bool stretch, bool noBitmap, WmrDib& d)
{
    if (stretch) {
        d.cySrc = in.I16();
        d.cxSrc = in.I16();
    }
    d.ySrc = in.I16();
    d.xSrc = in.I16();
    if (noBitmap)
        in.U16();
    d.cyDest = in.I16();
    d.cxDest = in.I16();
    d.yDest = in.I16();
    d.xDest = in.I16();
    if (!stretch) {
        d.cxSrc = d.cxDest;
        d.cySrc = d.cyDest;
    }
    return in.Ok();
}

} // namespace

bool readDibBlt(EmfByteReader& in, uint16_t function, WmrPayload& out)
{
    WmrDib d;
    // A record no longer than its parameters has no bitmap and one reserved
    // word more (MS-WMF 2.3.1.2, 2.3.1.3).
    const size_t words = (in.Size() + 6) / 2;
    const bool noBitmap = function != META_STRETCHDIB && words == size_t(function >> 8) + 3;
    d.rop = in.U32();
    if (function == META_STRETCHDIB)
        d.usage = in.U16();
    if (!readBltPlace(in, function != META_DIBBITBLT, noBitmap, d))
        return false;
    if (!noBitmap)
        d.dib = rest(in);
    out = std::move(d);
    return true;
}

bool readBitmap16Blt(EmfByteReader& in, uint16_t function, WmrPayload& out)
{
    WmrDib d;
    const size_t words = (in.Size() + 6) / 2;
    const bool noBitmap = words == size_t(function >> 8) + 3;
    d.rop = in.U32();
    if (!readBltPlace(in, function == META_STRETCHBLT, noBitmap, d))
        return false;
    if (!noBitmap) {
        d.dib = Bitmap16ToDib(in);
        if (d.dib.isEmpty())
            return false;
    }
    out = std::move(d);
    return true;
}

bool readSetDibToDev(EmfByteReader& in, uint16_t, WmrPayload& out)
{
    WmrDib d;
    d.usage = in.U16();
    d.scans = in.U16();
    d.startScan = in.U16();
    d.ySrc = in.I16();
    d.xSrc = in.I16();
    d.cySrc = d.cyDest = in.I16();
    d.cxSrc = d.cxDest = in.I16();
    d.yDest = in.I16();
    d.xDest = in.I16();
    if (!in.Ok())
        return false;
    d.dib = rest(in);
    out = std::move(d);
    return true;
}

QByteArray Bitmap16ToDib(EmfByteReader& in)
{
    in.I16(); // type
    const int width = in.I16(), height = in.I16();
    const int widthBytes = in.I16();
    const int planes = in.U8(), bpp = in.U8();
    in.U32(); // bits pointer
    if (!in.Ok() || width <= 0 || height <= 0 || widthBytes <= 0 || planes != 1 ||
        (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24))
        return {};
    const size_t rowIn = size_t(widthBytes);
    if (rowIn * size_t(height) > in.Remaining() || size_t(width) * size_t(bpp) > rowIn * 8)
        return {};
    const size_t rowOut = (size_t(width) * size_t(bpp) + 31) / 32 * 4;
    const int colors = bpp <= 8 ? 1 << bpp : 0;
    QByteArray dib(qsizetype(40 + 4 * colors + rowOut * size_t(height)), '\0');
    auto* p = reinterpret_cast<uint8_t*>(dib.data());
    auto put32 = [](uint8_t* at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            at[i] = uint8_t(v >> (8 * i));
    };
    put32(p, 40);
    put32(p + 4, uint32_t(width));
    put32(p + 8, uint32_t(height));
    p[12] = 1;
    p[14] = uint8_t(bpp);
    put32(p + 20, uint32_t(rowOut * size_t(height)));
    put32(p + 32, uint32_t(colors));
    for (int i = 0; i < colors; ++i) {
        const uint8_t g = uint8_t(colors == 2 ? i * 255 : i * 255 / (colors - 1));
        p[40 + 4 * i] = p[41 + 4 * i] = p[42 + 4 * i] = g;
    }
    // Device-dependent bitmaps are top-down; DIBs are bottom-up.
    const uint8_t* src = in.Data() + in.Pos();
    uint8_t* bits = p + 40 + 4 * colors;
    for (int y = 0; y < height; ++y)
        std::copy_n(src + size_t(y) * rowIn, std::min(rowIn, rowOut), bits + size_t(height - 1 - y) * rowOut);
    in.Skip(rowIn * size_t(height));
    return dib;
}

} // namespace wmfread
