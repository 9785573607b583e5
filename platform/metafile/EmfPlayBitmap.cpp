// Players of the bitmap records. A bitmap that does not decode (it does not
// fit its record, is absurdly large or malformed) skips its record and the
// rest of the metafile plays.
#include "platform/metafile/EmfPlayOps.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/metafile/EmfPlayback.h"
#include "platform/metafile/EmfPlayer.h"

#include <algorithm>
#include <cmath>

namespace emfplay {
namespace {

bool skip(EmfPlayContext& ctx)
{
    if (ctx.playback)
        ctx.playback->Skipped(ctx.type);
    return true;
}

// The source rectangle through the source DC's transform the record keeps
// (scales and offsets; anything else is taken as the identity).
QRectF sourceRect(const EmrBitmapBlt& b)
{
    const XFORM& x = b.xformSrc;
    const bool usable = std::isfinite(x.eM11) && std::isfinite(x.eM22) && std::isfinite(x.eDx) &&
                        std::isfinite(x.eDy) && x.eM12 == 0 && x.eM21 == 0 && x.eM11 != 0 && x.eM22 != 0;
    // Far beyond any bitmap, and small enough for whole-pixel rectangles.
    auto bound = [](double v) { return std::clamp(v, -double(1 << 28), double(1 << 28)); };
    if (!usable)
        return QRectF(bound(b.xSrc), bound(b.ySrc), bound(b.cxSrc), bound(b.cySrc));
    return QRectF(bound(b.xSrc * double(x.eM11) + x.eDx), bound(b.ySrc * double(x.eM22) + x.eDy),
                  bound(b.cxSrc * double(x.eM11)), bound(b.cySrc * double(x.eM22)));
}

// The iUsage of EMR_CREATEMONOBRUSH for a 1-bit bitmap without colour table.
constexpr UINT DibPalMono = 2;

void store(EmfPlayContext& ctx, DWORD index, HGDIOBJ object)
{
    if (!object)
        return;
    if (index == 0 || index >= ctx.nHandles || index >= ctx.table->objectHandle.size()) {
        DeleteObject(object);
        return;
    }
    HGDIOBJ& slot = ctx.table->objectHandle[index];
    if (slot)
        DeleteObject(slot);
    slot = object;
}

} // namespace

bool playBitBlt(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& b = std::get<EmrBitmapBlt>(r);
    if (b.badSrc)
        return skip(ctx);
    if (!b.hasSrc) {
        // Without a source bitmap a block transfer is a pattern operation.
        ctx.dc->PatBlt(b.xDest, b.yDest, b.cxDest, b.cyDest, b.rop);
        return true;
    }
    DibImage img;
    if (!ctx.dc->DecodeDib(b.src, &img))
        return skip(ctx);
    const QRect s = sourceRect(b).toRect();
    if (s.width() == b.cxDest && s.height() == b.cyDest)
        ctx.dc->BitBlt(b.xDest, b.yDest, b.cxDest, b.cyDest, &img, s.x(), s.y(), b.rop);
    else
        ctx.dc->StretchBlt(b.xDest, b.yDest, b.cxDest, b.cyDest, &img, s.x(), s.y(), s.width(), s.height(), b.rop);
    return true;
}

bool playStretchDIBits(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& b = std::get<EmrBitmapBlt>(r);
    if (b.badSrc)
        return skip(ctx);
    ctx.dc->StretchDIBits(b.xDest, b.yDest, b.cxDest, b.cyDest, b.xSrc, b.ySrc, b.cxSrc, b.cySrc, b.src, b.rop);
    return true;
}

bool playSetDIBitsToDevice(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& b = std::get<EmrBitmapBlt>(r);
    if (b.badSrc || b.cxSrc <= 0 || b.cySrc <= 0)
        return skip(ctx);
    ctx.dc->SetDIBitsToDevice(b.xDest, b.yDest, DWORD(b.cxSrc), DWORD(b.cySrc), b.xSrc, b.ySrc, b.startScan, b.scans,
                              b.src);
    return true;
}

bool playAlphaBlend(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& b = std::get<EmrBitmapBlt>(r);
    DibImage img;
    if (b.badSrc || !b.hasSrc || !ctx.dc->DecodeDib(b.src, &img))
        return skip(ctx);
    BLENDFUNCTION f;
    f.BlendOp = BYTE(b.rop), f.BlendFlags = BYTE(b.rop >> 8), f.SourceConstantAlpha = BYTE(b.rop >> 16),
    f.AlphaFormat = BYTE(b.rop >> 24);
    const QRect s = sourceRect(b).toRect();
    ctx.dc->AlphaBlend(b.xDest, b.yDest, b.cxDest, b.cyDest, img, s.x(), s.y(), s.width(), s.height(), f);
    return true;
}

bool playTransparentBlt(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& b = std::get<EmrBitmapBlt>(r);
    DibImage img;
    if (b.badSrc || !b.hasSrc || !ctx.dc->DecodeDib(b.src, &img))
        return skip(ctx);
    const QRect s = sourceRect(b).toRect();
    ctx.dc->TransparentBlt(b.xDest, b.yDest, b.cxDest, b.cyDest, img, s.x(), s.y(), s.width(), s.height(), b.rop);
    return true;
}

bool playMaskBlt(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& b = std::get<EmrBitmapBlt>(r);
    if (b.badSrc)
        return skip(ctx);
    DibImage img, mask;
    if (b.hasSrc && !ctx.dc->DecodeDib(b.src, &img))
        return skip(ctx);
    const bool hasMask = b.hasMask && ctx.dc->DecodeDib(b.mask, &mask);
    const QRect s = sourceRect(b).toRect();
    ctx.dc->MaskBlt(b.xDest, b.yDest, b.cxDest, b.cyDest, b.hasSrc ? &img : nullptr, s.x(), s.y(),
                    hasMask ? &mask : nullptr, b.xMask, b.yMask, b.rop);
    return true;
}

bool playPlgBlt(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& b = std::get<EmrBitmapBlt>(r);
    DibImage img, mask;
    if (b.badSrc || !b.hasSrc || !ctx.dc->DecodeDib(b.src, &img))
        return skip(ctx);
    const bool hasMask = b.hasMask && ctx.dc->DecodeDib(b.mask, &mask);
    const QRect s = sourceRect(b).toRect();
    ctx.dc->PlgBlt(b.points, img, s.x(), s.y(), s.width(), s.height(), hasMask ? &mask : nullptr, b.xMask, b.yMask);
    return true;
}

bool playCreateMonoBrush(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& b = std::get<EmrDibBrush>(r);
    DibHeader h;
    if (!b.valid || !Dib::ParseHeader(b.dib.bmi, b.dib.bmiSize, &h))
        return skip(ctx);
    DibSource src = b.dib;
    std::vector<uint8_t> bmi;
    if (src.usage == DibPalMono && h.bitCount == 1) {
        // A monochrome bitmap without a colour table: give it black and white.
        bmi.assign(b.dib.bmi, b.dib.bmi + h.headerSize);
        bmi.insert(bmi.end(), {0, 0, 0, 0, 0xff, 0xff, 0xff, 0});
        src.bmi = bmi.data();
        src.bmiSize = bmi.size();
        src.usage = DIB_RGB_COLORS;
    }
    DibImage img;
    if (!ctx.dc->DecodeDib(src, &img))
        return skip(ctx);
    // Only a black-and-white bitmap makes a monochrome pattern, drawn in the
    // text and background colours; any other is a pattern of its own colours.
    store(ctx, b.index, new GdiBrush(BS_PATTERN, img.image.convertToFormat(QImage::Format_RGB32), img.monochrome));
    return true;
}

bool playCreateDibPatternBrush(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& b = std::get<EmrDibBrush>(r);
    DibImage img;
    if (!b.valid || !ctx.dc->DecodeDib(b.dib, &img))
        return skip(ctx);
    store(ctx, b.index, new GdiBrush(BS_DIBPATTERNPT, img.image.convertToFormat(QImage::Format_RGB32), false));
    return true;
}

bool playGradientFill(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& g = std::get<EmrGradient>(r);
    if (g.mode == GRADIENT_FILL_TRIANGLE)
        ctx.dc->GradientFill(g.vertices.data(), ULONG(g.vertices.size()), g.triangles.data(),
                             ULONG(g.triangles.size()), g.mode);
    else
        ctx.dc->GradientFill(g.vertices.data(), ULONG(g.vertices.size()), g.rects.data(), ULONG(g.rects.size()),
                             g.mode);
    return true;
}

} // namespace emfplay

namespace emfplay {

bool playExtFloodFill(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = std::get<EmrInts>(r);
    ctx.dc->ExtFloodFill(i.v[0], i.v[1], i.u(2), i.u(3));
    return true;
}

} // namespace emfplay
