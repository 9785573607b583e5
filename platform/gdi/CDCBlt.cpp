// Bitmap transfers of the device context: the geometry (logical destination
// to device pixels, mirrored sources, the clip) and the GDI rules for
// sources; the pixel work is BltRenderer's.
#include "platform/gdi/CDC.h"

#include "platform/gdi/BltRenderer.h"
#include "platform/gdi/DeviceBrush.h"
#include "platform/gdi/GdiColor.h"
#include "platform/gdi/RecordedBounds.h"
#include "platform/gdi/Rop3.h"

#include <cmath>

namespace {

bool axisAligned(const QTransform& t) { return std::fabs(t.m12()) < 1e-9 && std::fabs(t.m21()) < 1e-9; }

// A monochrome bitmap takes the destination's colours: 0 bits the text
// colour, 1 bits the background colour.
QImage monoMapped(const QImage& src, COLORREF text, COLORREF background)
{
    QImage img = src.copy();
    const QRgb fg = toQColor(text).rgb(), bg = toQColor(background).rgb();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = (line[x] & 0xffffff) ? bg : fg;
    }
    return img;
}

int pixelEdge(double v) { return int(std::clamp(std::ceil(v - 0.5), -1e9, 1e9)); }

} // namespace

bool CDC::DecodeDib(const DibSource& source, DibImage* out) const
{
    const QRect dev = deviceBounds();
    const uint64_t outputPixels = uint64_t(std::max(1, dev.width())) * uint64_t(std::max(1, dev.height()));
    const std::vector<PALETTEENTRY> palette =
        source.usage == DIB_PAL_COLORS && m_state.palette ? m_state.palette->Entries() : std::vector<PALETTEENTRY>();
    return Dib::Decode(source.bmi, source.bmiSize, source.bits, source.bitsSize, source.usage, palette,
                       Dib::PixelBound(outputPixels), out, &m_cancel);
}

BOOL CDC::blt(int x, int y, int w, int h, const DibImage* src, QRectF source, const BltOp& op, const DibImage* mask,
              QPoint maskOffset, const QRectF* deviceTarget)
{
    if (!canDraw())
        return FALSE;
    if (!m_backend || w == 0 || h == 0)
        return TRUE;
    if (!deviceTarget && RecordedBounds::Count(*this, RecordedBounds::OfTransfer(x, y, w, h)))
        return TRUE;
    const QTransform& t = m_state.mapping.ToDevice();
    QImage srcImage;
    bool gaps = false;
    if (src) {
        if (src->image.isNull())
            return FALSE;
        srcImage = src->monochrome && op.kind == BltOp::Rop ? monoMapped(src->image, m_state.textColor, m_state.bkColor)
                                                            : src->image;
        gaps = src->header.compression == BI_RLE8 || src->header.compression == BI_RLE4;
    }
    bool flipSrcX = false, flipSrcY = false;
    if (source.width() < 0) {
        source = QRectF(source.right(), source.top(), -source.width(), source.height());
        flipSrcX = true;
    }
    if (source.height() < 0) {
        source = QRectF(source.left(), source.bottom(), source.width(), -source.height());
        flipSrcY = true;
    }
    syncClip();
    if (!deviceTarget && !axisAligned(t)) {
        // Rotated or sheared: the source drawn through the transform (the
        // operation's meaning kept for copies only).
        if (!src)
            return TRUE;
        const QRect part = source.intersected(QRectF(srcImage.rect())).toAlignedRect();
        if (part.isEmpty())
            return TRUE;
        QImage img = srcImage.copy(part).mirrored(flipSrcX, flipSrcY).convertToFormat(QImage::Format_RGB32);
        if (op.kind == BltOp::ColorKey || gaps) {
            img = img.convertToFormat(QImage::Format_ARGB32);
            for (int yy = 0; yy < img.height(); ++yy) {
                auto* line = reinterpret_cast<QRgb*>(img.scanLine(yy));
                for (int xx = 0; xx < img.width(); ++xx)
                    if ((op.kind == BltOp::ColorKey && (line[xx] & 0xffffff) == op.key))
                        line[xx] = 0;
            }
        }
        QTransform toLogical;
        toLogical.translate(x, y);
        toLogical.scale(double(w) / source.width(), double(h) / source.height());
        toLogical.translate(part.left() - source.left(), part.top() - source.top());
        m_backend->DrawImageTransformed(toLogical * t, img, m_state.stretchBltMode == HALFTONE);
        return TRUE;
    }
    BltSetup setup;
    setup.backend = m_backend.get();
    setup.target = deviceTarget ? *deviceTarget
                                : t.mapRect(QRectF(QPointF(x, y), QPointF(double(x) + w, double(y) + h))).normalized();
    if (!std::isfinite(setup.target.width()) || !std::isfinite(setup.target.height()))
        return TRUE;
    setup.flipX = (!deviceTarget && double(w) * t.m11() < 0) != flipSrcX;
    setup.flipY = (!deviceTarget && double(h) * t.m22() < 0) != flipSrcY;
    setup.source = source;
    setup.stretchMode = op.kind == BltOp::Rop ? m_state.stretchBltMode : COLORONCOLOR;
    // A BitBlt of a colour bitmap that the mapping reduces drops pixels
    // without combining them (BLACKONWHITE, WHITEONBLACK), as the reference
    // renders it; stretches combine them as documented.
    if (op.sameSize && src && src->header.bitCount != 1 && setup.stretchMode < COLORONCOLOR)
        setup.stretchMode = COLORONCOLOR;
    if (m_state.stretchBltMode == HALFTONE && op.kind != BltOp::Rop)
        setup.stretchMode = HALFTONE;
    setup.cancel = &m_cancel;
    setup.xorMask = &m_xorMask;
    setup.xorMaskRect = &m_xorMaskRect;
    setup.brushOrigin = attrs().brushOrigin;
    if (op.kind == BltOp::Rop && (Rop3::UsesPattern(op.table) || Rop3::UsesPattern(op.backTable))) {
        if (!m_state.brush)
            return TRUE;
        setup.pattern = DeviceBrush::Tile(*m_state.brush, m_state.bkMode == OPAQUE, m_state.bkColor, m_state.textColor);
        if (setup.pattern.isNull())
            return TRUE; // a null brush draws nothing
    }
    if (!m_backend->IsRaster() && src && !mask && op.kind == BltOp::Rop && op.table == 0xCC && !gaps) {
        // A plain copy on a vector device keeps the bitmap's own resolution.
        const QRectF part = setup.source.intersected(QRectF(srcImage.rect()));
        if (part.isEmpty())
            return TRUE;
        const double kx = setup.target.width() / setup.source.width(), ky = setup.target.height() / setup.source.height();
        double left = setup.target.left() + (part.left() - setup.source.left()) * kx;
        double top = setup.target.top() + (part.top() - setup.source.top()) * ky;
        if (setup.flipX)
            left = setup.target.right() - (part.right() - setup.source.left()) * kx;
        if (setup.flipY)
            top = setup.target.bottom() - (part.bottom() - setup.source.top()) * ky;
        const QImage piece = srcImage.copy(part.toAlignedRect()).mirrored(setup.flipX, setup.flipY)
                                 .convertToFormat(QImage::Format_RGB32);
        m_backend->DrawImage(QRectF(left, top, part.width() * kx, part.height() * ky), piece, QRectF(piece.rect()),
                             m_state.stretchBltMode == HALFTONE);
        return TRUE;
    }
    const QRect covered(QPoint(pixelEdge(setup.target.left()), pixelEdge(setup.target.top())),
                        QPoint(pixelEdge(setup.target.right()) - 1, pixelEdge(setup.target.bottom()) - 1));
    const auto eff = EffectiveClip();
    setup.visible = covered.intersected(eff ? eff->boundingRect() : deviceBounds()).intersected(deviceBounds());
    if (setup.visible.isEmpty())
        return TRUE;
    BltRenderer::Run(setup, src ? &srcImage : nullptr, gaps, op, mask ? &mask->image : nullptr, maskOffset);
    return canDraw() ? TRUE : FALSE;
}

BOOL CDC::BitBlt(int x, int y, int w, int h, const DibImage* src, int xSrc, int ySrc, DWORD rop)
{
    BltOp op;
    op.table = op.backTable = Rop3::Index(rop);
    op.sameSize = true;
    if (!Rop3::UsesSource(op.table))
        src = nullptr;
    else if (!src)
        return FALSE;
    return blt(x, y, w, h, src, QRectF(xSrc, ySrc, w, h), op);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, const DibImage* src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop)
{
    BltOp op;
    op.table = op.backTable = Rop3::Index(rop);
    if (!Rop3::UsesSource(op.table))
        src = nullptr;
    else if (!src)
        return FALSE;
    return blt(x, y, w, h, src, QRectF(xSrc, ySrc, wSrc, hSrc), op);
}

int CDC::StretchDIBits(int x, int y, int w, int h, int xSrc, int ySrc, int wSrc, int hSrc, const DibSource& dib,
                       DWORD rop)
{
    BltOp op;
    op.table = op.backTable = Rop3::Index(rop);
    if (!Rop3::UsesSource(op.table))
        return blt(x, y, w, h, nullptr, QRectF(), op) ? 1 : 0;
    DibImage img;
    if (!DecodeDib(dib, &img))
        return 0;
    // StretchDIBits draws the colour table as it is, monochrome or not.
    img.monochrome = false;
    // The source rectangle of a bottom-up DIB counts rows from the bottom.
    const int height = img.image.height();
    const double top = img.header.TopDown() || img.header.compression == BI_JPEG || img.header.compression == BI_PNG
                           ? ySrc
                           : double(height) - ySrc - hSrc;
    if (!blt(x, y, w, h, &img, QRectF(xSrc, top, wSrc, hSrc), op))
        return 0;
    return height;
}

int CDC::SetDIBitsToDevice(int x, int y, DWORD w, DWORD h, int xSrc, int ySrc, UINT startScan, UINT lines,
                           const DibSource& dib)
{
    DibHeader header;
    if (!Dib::ParseHeader(dib.bmi, dib.bmiSize, &header) || w == 0 || h == 0 || w > DWORD(INT32_MAX) ||
        h > DWORD(INT32_MAX))
        return 0;
    const int64_t height = header.AbsHeight();
    // The bits hold lines scan lines from startScan (scan lines count from
    // the bottom of a bottom-up bitmap, from the top of a top-down one):
    // decode them as a bitmap of their own.
    const int64_t first = std::max<int64_t>(0, std::min<int64_t>(startScan, height));
    const int64_t count = std::min<int64_t>(lines, height - first);
    if (count <= 0 || header.compression == BI_JPEG || header.compression == BI_PNG)
        return 0;
    // The recorder counts w x h logical units, though the bits land on as
    // many device pixels.
    if (RecordedBounds::Count(*this, RecordedBounds::OfTransfer(x, y, w, h)))
        return int(count);
    std::vector<uint8_t> bmi(dib.bmi, dib.bmi + dib.bmiSize);
    if (header.core) {
        const uint16_t c = uint16_t(count);
        bmi[6] = uint8_t(c), bmi[7] = uint8_t(c >> 8);
    } else {
        const uint32_t c = uint32_t(header.TopDown() ? -count : count);
        for (int i = 0; i < 4; ++i)
            bmi[size_t(8 + i)] = uint8_t(c >> (8 * i));
    }
    DibSource part = dib;
    part.bmi = bmi.data();
    DibImage img;
    if (!DecodeDib(part, &img))
        return 0;
    img.monochrome = false;
    // Rows of the whole bitmap, top-down: where the part sits, and the source rectangle.
    const int64_t partTop = header.TopDown() ? first : height - first - count;
    const int64_t srcTop = header.TopDown() ? ySrc : height - int64_t(ySrc) - int64_t(h);
    const int64_t from = std::max(partTop, srcTop), to = std::min(partTop + count, srcTop + int64_t(h));
    if (to <= from)
        return 0;
    // The platform copies device pixels one to one from the mapped origin:
    // the mapping moves the bitmap but does not scale it.
    POINT origin(x, y);
    LPtoDP(&origin);
    const QRectF target(double(origin.x), double(origin.y) + double(from - srcTop), double(w), double(to - from));
    BltOp op;
    if (!blt(0, 0, 1, 1, &img, QRectF(xSrc, double(from - partTop), double(w), double(to - from)), op, nullptr,
             QPoint(), &target))
        return 0;
    return int(count);
}
