// Readers of the bitmap records (MS-EMF 2.3.1, 2.3.7.1, 2.3.7.5). Offsets
// in the records count from the record's start, eight bytes before the
// reader's range. A bitmap that does not fit its record leaves the record
// readable (it is skipped when played) so that the rest of the file plays.
#include "platform/metafile/EmfRecordReaders.h"

namespace emfread {
namespace {

constexpr size_t RecordHeader = 8;

// The DIB parts (header, bits) at offsets from the record start.
bool slice(const EmfByteReader& in, uint32_t off, uint32_t cb, const uint8_t** p, size_t* n)
{
    *p = nullptr;
    *n = 0;
    if (cb == 0)
        return true;
    if (off < RecordHeader || uint64_t(off) + cb > uint64_t(in.Size()) + RecordHeader)
        return false;
    *p = in.Data() + (off - RecordHeader);
    *n = cb;
    return true;
}

// offBmi, cbBmi, offBits, cbBits at the reader's position.
bool readDib(EmfByteReader& in, UINT usage, DibSource* dib, bool* present, bool* bad)
{
    const uint32_t offBmi = in.U32(), cbBmi = in.U32(), offBits = in.U32(), cbBits = in.U32();
    if (!in.Ok())
        return false;
    dib->usage = usage;
    *present = cbBmi != 0;
    const bool ok = slice(in, offBmi, cbBmi, &dib->bmi, &dib->bmiSize) &&
                    slice(in, offBits, cbBits, &dib->bits, &dib->bitsSize);
    if (!ok) {
        *dib = DibSource();
        *present = false;
        if (bad)
            *bad = true;
    }
    return true;
}

XFORM readXform(EmfByteReader& in)
{
    XFORM x;
    x.eM11 = in.F32(), x.eM12 = in.F32(), x.eM21 = in.F32(), x.eM22 = in.F32(), x.eDx = in.F32(), x.eDy = in.F32();
    return x;
}

// The common head of BITBLT, STRETCHBLT, MASKBLT, ALPHABLEND and TRANSPARENTBLT.
bool readBltHead(EmfByteReader& in, EmrBitmapBlt& b)
{
    in.Skip(16); // bounds
    b.xDest = in.I32(), b.yDest = in.I32(), b.cxDest = in.I32(), b.cyDest = in.I32();
    b.rop = in.U32();
    b.xSrc = in.I32(), b.ySrc = in.I32();
    b.xformSrc = readXform(in);
    b.bkColorSrc = in.U32();
    const UINT usage = in.U32();
    return in.Ok() && readDib(in, usage, &b.src, &b.hasSrc, &b.badSrc);
}

} // namespace

bool readBitBlt(EmfByteReader& in, EmrPayload& out)
{
    EmrBitmapBlt b;
    if (!readBltHead(in, b))
        return false;
    b.cxSrc = b.cxDest, b.cySrc = b.cyDest;
    out = b;
    return true;
}

bool readStretchBlt(EmfByteReader& in, EmrPayload& out)
{
    EmrBitmapBlt b;
    if (!readBltHead(in, b))
        return false;
    b.cxSrc = in.I32(), b.cySrc = in.I32();
    if (!in.Ok())
        return false;
    out = b;
    return true;
}

bool readMaskBlt(EmfByteReader& in, EmrPayload& out)
{
    EmrBitmapBlt b;
    if (!readBltHead(in, b))
        return false;
    b.cxSrc = b.cxDest, b.cySrc = b.cyDest;
    b.xMask = in.I32(), b.yMask = in.I32();
    const UINT usage = in.U32();
    if (!in.Ok() || !readDib(in, usage, &b.mask, &b.hasMask, nullptr))
        return false;
    out = b;
    return true;
}

bool readPlgBlt(EmfByteReader& in, EmrPayload& out)
{
    EmrBitmapBlt b;
    in.Skip(16); // bounds
    for (POINT& p : b.points)
        p.x = in.I32(), p.y = in.I32();
    b.xSrc = in.I32(), b.ySrc = in.I32(), b.cxSrc = in.I32(), b.cySrc = in.I32();
    b.xformSrc = readXform(in);
    b.bkColorSrc = in.U32();
    const UINT usage = in.U32();
    if (!in.Ok() || !readDib(in, usage, &b.src, &b.hasSrc, &b.badSrc))
        return false;
    b.xMask = in.I32(), b.yMask = in.I32();
    const UINT maskUsage = in.U32();
    if (!in.Ok() || !readDib(in, maskUsage, &b.mask, &b.hasMask, nullptr))
        return false;
    out = b;
    return true;
}

bool readSetDIBitsToDevice(EmfByteReader& in, EmrPayload& out)
{
    EmrBitmapBlt b;
    in.Skip(16); // bounds
    b.xDest = in.I32(), b.yDest = in.I32();
    b.xSrc = in.I32(), b.ySrc = in.I32(), b.cxSrc = in.I32(), b.cySrc = in.I32();
    const uint32_t offBmi = in.U32(), cbBmi = in.U32(), offBits = in.U32(), cbBits = in.U32();
    b.src.usage = in.U32();
    b.startScan = in.U32(), b.scans = in.U32();
    if (!in.Ok())
        return false;
    b.hasSrc = slice(in, offBmi, cbBmi, &b.src.bmi, &b.src.bmiSize) &&
               slice(in, offBits, cbBits, &b.src.bits, &b.src.bitsSize) && cbBmi != 0;
    b.badSrc = !b.hasSrc;
    b.cxDest = b.cxSrc, b.cyDest = b.cySrc;
    out = b;
    return true;
}

bool readStretchDIBits(EmfByteReader& in, EmrPayload& out)
{
    EmrBitmapBlt b;
    in.Skip(16); // bounds
    b.xDest = in.I32(), b.yDest = in.I32();
    b.xSrc = in.I32(), b.ySrc = in.I32(), b.cxSrc = in.I32(), b.cySrc = in.I32();
    const uint32_t offBmi = in.U32(), cbBmi = in.U32(), offBits = in.U32(), cbBits = in.U32();
    b.src.usage = in.U32();
    b.rop = in.U32();
    b.cxDest = in.I32(), b.cyDest = in.I32();
    if (!in.Ok())
        return false;
    b.hasSrc = slice(in, offBmi, cbBmi, &b.src.bmi, &b.src.bmiSize) &&
               slice(in, offBits, cbBits, &b.src.bits, &b.src.bitsSize) && cbBmi != 0;
    b.badSrc = cbBmi != 0 && !b.hasSrc;
    if (!b.hasSrc)
        b.src = DibSource();
    out = b;
    return true;
}

bool readDibBrush(EmfByteReader& in, EmrPayload& out)
{
    EmrDibBrush b;
    b.index = in.U32();
    const UINT usage = in.U32();
    bool present = false, bad = false;
    if (!in.Ok() || !readDib(in, usage, &b.dib, &present, &bad))
        return false;
    b.valid = present && !bad;
    out = b;
    return true;
}

bool readGradientFill(EmfByteReader& in, EmrPayload& out)
{
    EmrGradient g;
    in.Skip(16); // bounds
    const uint32_t nVer = in.U32(), nTri = in.U32();
    g.mode = in.U32();
    if (!in.Ok() || nVer > in.Remaining() / 16)
        return false;
    g.vertices.resize(nVer);
    for (TRIVERTEX& v : g.vertices) {
        v.x = in.I32(), v.y = in.I32();
        v.Red = in.U16(), v.Green = in.U16(), v.Blue = in.U16(), v.Alpha = in.U16();
    }
    if (g.mode == GRADIENT_FILL_TRIANGLE) {
        if (nTri > in.Remaining() / 12)
            return false;
        g.triangles.resize(nTri);
        for (GRADIENT_TRIANGLE& t : g.triangles)
            t.Vertex1 = in.U32(), t.Vertex2 = in.U32(), t.Vertex3 = in.U32();
    } else {
        // Some writers leave the rectangles out of the record's size: keep those that fit.
        const uint32_t n = std::min<uint32_t>(nTri, uint32_t(in.Remaining() / 8));
        g.rects.resize(n);
        for (GRADIENT_RECT& r : g.rects)
            r.UpperLeft = in.U32(), r.LowerRight = in.U32();
    }
    if (!in.Ok())
        return false;
    out = std::move(g);
    return true;
}

} // namespace emfread
