#include "platform/gdi/BltRenderer.h"

#include "platform/gdi/Rop3.h"

#include <algorithm>
#include <cmath>

namespace {

// Rows per band: small enough that a band of a wide destination takes well
// under a millisecond, large enough to keep the backend calls few.
constexpr int BandRows = 8;
// The most source pixels one device pixel combines per axis when a stretch
// reduces: beyond it the combination samples evenly.
constexpr int MaxCombine = 16;

constexpr QRgb Opaque = 0xff000000u;

uint32_t combine(int mode, uint32_t acc, uint32_t v)
{
    return mode == 1 ? (acc & v) : (acc | v); // BLACKONWHITE keeps dark pixels, WHITEONBLACK light ones
}

// One sampled source pixel for device pixel (cx, cy) through the stretch mode.
uint32_t sample(const QImage& src, const BltRenderer::Span& cx, const BltRenderer::Span& cy, int mode)
{
    const auto px = [&](int x, int y) { return reinterpret_cast<const QRgb*>(src.constScanLine(y))[x]; };
    const int nx = cx.last - cx.first + 1, ny = cy.last - cy.first + 1;
    if (mode == 3 || (nx <= 1 && ny <= 1) || nx <= 0 || ny <= 0)
        return px(cx.center, cy.center);
    const int sx = std::max(1, nx / MaxCombine), sy = std::max(1, ny / MaxCombine);
    if (mode == 4) { // HALFTONE: the average of the covered pixels
        uint32_t r = 0, g = 0, b = 0, a = 0, n = 0;
        for (int y = cy.first; y <= cy.last; y += sy)
            for (int x = cx.first; x <= cx.last; x += sx) {
                const QRgb p = px(x, y);
                r += qRed(p), g += qGreen(p), b += qBlue(p), a += qAlpha(p), ++n;
            }
        return qRgba(int(r / n), int(g / n), int(b / n), int(a / n));
    }
    uint32_t acc = mode == 1 ? ~0u : 0u;
    for (int y = cy.first; y <= cy.last; y += sy)
        for (int x = cx.first; x <= cx.last; x += sx)
            acc = combine(mode, acc, px(x, y));
    return acc;
}

uint8_t blendChannel(uint32_t s, uint32_t d, uint32_t sa) { return uint8_t(std::min<uint32_t>(255, s + (d * (255 - sa) + 127) / 255)); }

} // namespace

void BltRenderer::Spans(double targetStart, double targetSize, double sourceStart, double sourceSize, bool flip,
                        int first, int count, int limit, std::vector<Span>* out)
{
    out->assign(size_t(std::max(0, count)), Span());
    if (targetSize <= 0 || sourceSize <= 0)
        return;
    const double k = sourceSize / targetSize;
    for (int i = 0; i < count; ++i) {
        const double d0 = (first + i) - targetStart, d1 = d0 + 1, dc = d0 + 0.5;
        auto map = [&](double d) { return flip ? sourceStart + sourceSize - d * k : sourceStart + d * k; };
        const double c = map(dc);
        double u0 = map(d0), u1 = map(d1);
        if (u0 > u1)
            std::swap(u0, u1);
        Span& s = (*out)[size_t(i)];
        const double fc = std::floor(c);
        s.raw = int(std::clamp(fc, -1e9, 1e9));
        if (c < sourceStart || c >= sourceStart + sourceSize || fc < 0 || fc >= limit)
            continue;
        s.center = int(fc);
        if (k <= 1) {
            // Enlarging: each device pixel has one source pixel; nothing is dropped to combine.
            s.first = s.last = s.center;
            continue;
        }
        s.first = int(std::clamp(std::floor(u0), 0.0, double(limit - 1)));
        s.last = int(std::clamp(std::ceil(u1) - 1, double(s.first), double(limit - 1)));
    }
}

void BltRenderer::Run(const BltSetup& setup, const QImage* src, bool gaps, const BltOp& op, const QImage* mask,
                      QPoint maskOffset)
{
    const QRect vis = setup.visible;
    if (vis.isEmpty() || !setup.backend)
        return;
    // An operation that reads a source draws nothing without one (the
    // platform fails the call); pattern and source rows are always there,
    // zero when unused.
    if (!src && op.kind == BltOp::Rop && (Rop3::UsesSource(op.table) || Rop3::UsesSource(op.backTable)))
        return;
    if (!src && op.kind != BltOp::Rop)
        return;
    if (mask && (mask->isNull() || !src))
        mask = nullptr; // the mask is sampled where the source is
    const bool raster = setup.backend->IsRaster();
    const bool usesPat = op.kind == BltOp::Rop && !setup.pattern.isNull() &&
                         (Rop3::UsesPattern(op.table) || Rop3::UsesPattern(op.backTable));
    const bool usesDst = op.kind == BltOp::Alpha || (op.kind == BltOp::Rop && (Rop3::UsesDest(op.table) ||
                                                                                 Rop3::UsesDest(op.backTable)));
    std::vector<Span> cols, rows;
    if (src)
        Spans(setup.target.left(), setup.target.width(), setup.source.left(), setup.source.width(), setup.flipX,
              vis.left(), vis.width(), src->width(), &cols);
    const int w = vis.width();
    const size_t n = static_cast<size_t>(w);
    std::vector<uint32_t> s(n), p(n), d(n), fore(n);
    std::vector<uint8_t> covered(n);
    const QImage& tile = setup.pattern;
    // Vector devices: the invert-and-invert transparency (see the header).
    const bool vectorXor = !raster && op.kind == BltOp::Rop && !mask && op.table == 0x66 && setup.xorMask;
    const bool vectorAnd = !raster && op.kind == BltOp::Rop && !mask && op.table == 0x88 && setup.xorMask;
    if (vectorXor && (*setup.xorMaskRect != vis || setup.xorMask->isNull()))
        return;
    if (vectorAnd) {
        *setup.xorMask = QImage(vis.size(), QImage::Format_Grayscale8);
        setup.xorMask->fill(0);
        *setup.xorMaskRect = vis;
    }
    for (int y0 = vis.top(); y0 <= vis.bottom(); y0 += BandRows) {
        if (setup.cancel && setup.cancel->load(std::memory_order_relaxed))
            return;
        const int bandRows = std::min(BandRows, vis.bottom() + 1 - y0);
        const QRect band(vis.left(), y0, w, bandRows);
        if (src)
            Spans(setup.target.top(), setup.target.height(), setup.source.top(), setup.source.height(), setup.flipY,
                  y0, bandRows, src->height(), &rows);
        QImage out(w, bandRows, QImage::Format_ARGB32);
        QImage dest;
        const bool readBack = usesDst && raster && setup.backend->ReadPixels(band, &dest);
        for (int r = 0; r < bandRows; ++r) {
            // Reductions combine up to MaxCombine squared pixels for each
            // one drawn: a row can take long on its own.
            if (setup.cancel && setup.cancel->load(std::memory_order_relaxed))
                return;
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(r));
            for (int x = 0; x < w; ++x) {
                covered[size_t(x)] = 1;
                if (src) {
                    const Span& cx = cols[size_t(x)];
                    const Span& cy = rows[size_t(r)];
                    if (cx.center < 0 || cy.center < 0) {
                        // A masked transfer goes on where the source bitmap
                        // ends, over a white source, as the reference does.
                        covered[size_t(x)] = mask ? 1 : 0;
                        s[size_t(x)] = mask ? 0xffffffu : 0u;
                        continue;
                    }
                    s[size_t(x)] = sample(*src, cx, cy, setup.stretchMode);
                    if (gaps && qAlpha(reinterpret_cast<const QRgb*>(src->constScanLine(cy.center))[cx.center]) == 0)
                        covered[size_t(x)] = 0;
                }
            }
            if (usesPat) {
                const int ty = ((y0 + r - setup.brushOrigin.y()) % tile.height() + tile.height()) % tile.height();
                const auto* tl = reinterpret_cast<const QRgb*>(tile.constScanLine(ty));
                for (int x = 0; x < w; ++x) {
                    const int tx = ((vis.left() + x - setup.brushOrigin.x()) % tile.width() + tile.width()) % tile.width();
                    p[size_t(x)] = tl[tx];
                }
            }
            if (readBack) {
                const auto* dl = reinterpret_cast<const QRgb*>(dest.constScanLine(r));
                std::copy(dl, dl + w, d.begin());
            } else {
                std::fill(d.begin(), d.end(), 0xffffffffu);
            }
            switch (op.kind) {
            case BltOp::Rop: {
                if (!mask) {
                    Rop3::Row(op.table, p.data(), s.data(), d.data(), w);
                    if (usesDst && !readBack) {
                        // Vector device: the same over black paper decides what stays.
                        std::fill(fore.begin(), fore.end(), 0xff000000u);
                        Rop3::Row(op.table, p.data(), s.data(), fore.data(), w);
                        for (int x = 0; x < w; ++x) {
                            const uint32_t onWhite = d[size_t(x)] & 0xffffff, onBlack = fore[size_t(x)] & 0xffffff;
                            if (onWhite == onBlack)
                                continue;
                            if (onWhite == 0xffffff && onBlack == 0)
                                covered[size_t(x)] = 0;
                            else if (onWhite == 0xffffff)
                                d[size_t(x)] = onBlack;
                        }
                    }
                } else {
                    std::vector<uint32_t> back(d);
                    Rop3::Row(op.table, p.data(), s.data(), d.data(), w);
                    Rop3::Row(op.backTable, p.data(), s.data(), back.data(), w);
                    // The mask repeats beyond its size, as a pattern does:
                    // the platform applies it through a pattern brush.
                    auto wrap = [](int v, int n) { return ((v % n) + n) % n; };
                    const Span& ry = rows[size_t(r)];
                    const int my = wrap(ry.raw + maskOffset.y(), mask->height());
                    for (int x = 0; x < w; ++x) {
                        const Span& cx = cols[size_t(x)];
                        const int mx = wrap(cx.raw + maskOffset.x(), mask->width());
                        const bool on = reinterpret_cast<const QRgb*>(mask->constScanLine(my))[mx] & 0xffffff;
                        if (!on)
                            d[size_t(x)] = back[size_t(x)];
                    }
                }
                if (vectorXor) {
                    const uchar* silhouette = setup.xorMask->constScanLine(y0 + r - vis.top());
                    for (int x = 0; x < w; ++x)
                        line[x] = covered[size_t(x)] && silhouette[x] ? (s[size_t(x)] | Opaque) : 0;
                    break;
                }
                for (int x = 0; x < w; ++x)
                    line[x] = covered[size_t(x)] ? (d[size_t(x)] | Opaque) : 0;
                if (vectorAnd) {
                    uchar* silhouette = setup.xorMask->scanLine(y0 + r - vis.top());
                    for (int x = 0; x < w; ++x)
                        silhouette[x] = covered[size_t(x)] && (d[size_t(x)] & 0xffffff) == 0 ? 255 : 0;
                }
                break;
            }
            case BltOp::Alpha: {
                const BLENDFUNCTION& bf = op.blend;
                const uint32_t k = bf.SourceConstantAlpha;
                const bool perPixel = bf.AlphaFormat & AC_SRC_ALPHA;
                for (int x = 0; x < w; ++x) {
                    if (!covered[size_t(x)]) {
                        line[x] = 0;
                        continue;
                    }
                    const QRgb sp = s[size_t(x)];
                    uint32_t sr = qRed(sp), sg = qGreen(sp), sb = qBlue(sp);
                    uint32_t sa = perPixel ? qAlpha(sp) : 255;
                    // The source is premultiplied by its own alpha; the constant scales all four.
                    sr = sr * k / 255, sg = sg * k / 255, sb = sb * k / 255, sa = sa * k / 255;
                    if (!perPixel) {
                        // Without per-pixel alpha the source is not premultiplied.
                        sa = k;
                    }
                    if (!readBack) {
                        // Drawn over by the device: premultiplied colour within its alpha.
                        line[x] = qRgba(int(std::min(sr, sa)), int(std::min(sg, sa)), int(std::min(sb, sa)), int(sa));
                        continue;
                    }
                    const QRgb dp = d[size_t(x)];
                    line[x] = qRgb(blendChannel(sr, qRed(dp), sa), blendChannel(sg, qGreen(dp), sa),
                                   blendChannel(sb, qBlue(dp), sa));
                }
                break;
            }
            case BltOp::ColorKey:
                for (int x = 0; x < w; ++x)
                    line[x] = covered[size_t(x)] && (s[size_t(x)] & 0xffffff) != op.key ? (s[size_t(x)] | Opaque) : 0;
                break;
            }
        }
        if (op.kind == BltOp::Alpha && !readBack)
            out.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
        setup.backend->DrawImage(QRectF(band), out, QRectF(out.rect()), false);
    }
    if (vectorXor) {
        *setup.xorMask = QImage();
        *setup.xorMaskRect = QRect();
    }
}
