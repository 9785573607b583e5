// The bitmap transfers beyond plain copies: alpha blending, colour keys,
// masks, parallelograms and gradients.
#include "platform/gdi/CDC.h"

#include "platform/gdi/BltRenderer.h"
#include "platform/gdi/Rop3.h"

#include <cmath>

BOOL CDC::AlphaBlend(int x, int y, int w, int h, const DibImage& src, int xSrc, int ySrc, int wSrc, int hSrc,
                     BLENDFUNCTION blend)
{
    // The platform refuses negative sizes and sources outside the bitmap.
    if (w < 0 || h < 0 || wSrc < 0 || hSrc < 0 || blend.BlendOp != AC_SRC_OVER || xSrc < 0 || ySrc < 0 ||
        int64_t(xSrc) + wSrc > src.image.width() || int64_t(ySrc) + hSrc > src.image.height())
        return FALSE;
    BltOp op;
    op.kind = BltOp::Alpha;
    op.blend = blend;
    if (!(blend.AlphaFormat & AC_SRC_ALPHA) || !src.hasAlpha)
        op.blend.AlphaFormat = 0;
    return blt(x, y, w, h, &src, QRectF(xSrc, ySrc, wSrc, hSrc), op);
}

BOOL CDC::TransparentBlt(int x, int y, int w, int h, const DibImage& src, int xSrc, int ySrc, int wSrc, int hSrc,
                         UINT colorKey)
{
    if (w < 0 || h < 0 || wSrc <= 0 || hSrc <= 0)
        return FALSE;
    BltOp op;
    op.kind = BltOp::ColorKey;
    op.key = qRgb(GetRValue(colorKey), GetGValue(colorKey), GetBValue(colorKey)) & 0xffffff;
    return blt(x, y, w, h, &src, QRectF(xSrc, ySrc, wSrc, hSrc), op);
}

BOOL CDC::MaskBlt(int x, int y, int w, int h, const DibImage* src, int xSrc, int ySrc, const DibImage* mask,
                  int xMask, int yMask, DWORD rop4)
{
    BltOp op;
    op.table = Rop3::Index(rop4);
    op.backTable = uint8_t(rop4 >> 24);
    if (!mask || mask->image.isNull()) {
        // Without a mask only the foreground operation applies.
        op.backTable = op.table;
        mask = nullptr;
    }
    const bool usesSrc = Rop3::UsesSource(op.table) || Rop3::UsesSource(op.backTable);
    if (usesSrc && !src)
        return FALSE;
    if (!src || !usesSrc) {
        // The mask still selects between the operations: sample it as the source.
        if (!mask)
            return blt(x, y, w, h, nullptr, QRectF(), op);
        return blt(x, y, w, h, mask, QRectF(xMask, yMask, w, h), op, mask, QPoint(0, 0));
    }
    return blt(x, y, w, h, src, QRectF(xSrc, ySrc, w, h), op, mask, QPoint(xMask - xSrc, yMask - ySrc));
}

BOOL CDC::PlgBlt(const POINT* points, const DibImage& src, int xSrc, int ySrc, int w, int h, const DibImage* mask,
                 int xMask, int yMask)
{
    if (!points || !canDraw())
        return FALSE;
    if (!m_backend || w == 0 || h == 0)
        return TRUE;
    const QRect part = QRectF(xSrc, ySrc, w, h).normalized().intersected(QRectF(src.image.rect())).toAlignedRect();
    if (part.isEmpty())
        return TRUE;
    QImage img = src.image.copy(part).convertToFormat(QImage::Format_ARGB32);
    for (int yy = 0; yy < img.height(); ++yy) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(yy));
        for (int xx = 0; xx < img.width(); ++xx) {
            bool on = true;
            if (mask && !mask->image.isNull()) {
                const int mx = xMask + (part.left() - xSrc) + xx, my = yMask + (part.top() - ySrc) + yy;
                on = mx >= 0 && my >= 0 && mx < mask->image.width() && my < mask->image.height() &&
                     (mask->image.pixel(mx, my) & 0xffffff);
            }
            line[xx] = on ? (line[xx] | 0xff000000u) : 0;
        }
    }
    // The parallelogram: the source's top-left corner to points[0], top-right
    // to points[1], bottom-left to points[2].
    const double ux = double(points[1].x - points[0].x) / w, uy = double(points[1].y - points[0].y) / w;
    const double vx = double(points[2].x - points[0].x) / h, vy = double(points[2].y - points[0].y) / h;
    const double ox = part.left() - xSrc, oy = part.top() - ySrc;
    const QTransform toLogical(ux, uy, vx, vy, points[0].x + ox * ux + oy * vx, points[0].y + ox * uy + oy * vy);
    syncClip();
    m_backend->DrawImageTransformed(toLogical * m_state.mapping.ToDevice(), img, false);
    return TRUE;
}

namespace {

// The first device pixel whose centre is at or after v, within the range
// whole-pixel rectangles can hold.
int edge(double v) { return int(std::clamp(std::ceil(v - 0.5), -1e9, 1e9)); }

} // namespace

BOOL CDC::GradientFill(const TRIVERTEX* vertices, ULONG nVertices, const void* mesh, ULONG nMesh, ULONG mode)
{
    if (!vertices || !mesh || mode > GRADIENT_FILL_TRIANGLE || !canDraw())
        return FALSE;
    if (!m_backend)
        return TRUE;
    const QTransform& t = m_state.mapping.ToDevice();
    const QRect bounds = [&] {
        const auto eff = EffectiveClip();
        return eff ? eff->boundingRect().intersected(deviceBounds()) : deviceBounds();
    }();
    syncClip();
    for (ULONG m = 0; m < nMesh; ++m) {
        if (!canDraw())
            return FALSE;
        if (mode != GRADIENT_FILL_TRIANGLE) {
            const auto& r = static_cast<const GRADIENT_RECT*>(mesh)[m];
            if (r.UpperLeft >= nVertices || r.LowerRight >= nVertices)
                continue;
            const TRIVERTEX& a = vertices[r.UpperLeft];
            const TRIVERTEX& b = vertices[r.LowerRight];
            const QRectF dev = t.mapRect(QRectF(QPointF(a.x, a.y), QPointF(b.x, b.y)));
            const QRect px = QRect(QPoint(edge(dev.left()), edge(dev.top())), QPoint(edge(dev.right()) - 1, edge(dev.bottom()) - 1))
                                 .intersected(bounds);
            if (px.isEmpty())
                continue;
            // The colours run from the smaller coordinate of the logical rectangle.
            const bool horizontal = mode == GRADIENT_FILL_RECT_H;
            const QPointF pa = t.map(QPointF(a.x, a.y)), pb = t.map(QPointF(b.x, b.y));
            const double from = horizontal ? pa.x() : pa.y(), to = horizontal ? pb.x() : pb.y();
            QImage img(px.size(), QImage::Format_ARGB32);
            for (int yy = 0; yy < px.height(); ++yy) {
                auto* line = reinterpret_cast<QRgb*>(img.scanLine(yy));
                for (int xx = 0; xx < px.width(); ++xx) {
                    const double pos = (horizontal ? px.left() + xx : px.top() + yy) + 0.5;
                    const double f = to == from ? 0 : std::clamp((pos - from) / (to - from), 0.0, 1.0);
                    auto mix = [&](int c0, int c1) { return int(c0 + (c1 - c0) * f + 0.5) >> 8; };
                    line[xx] = qRgb(mix(a.Red, b.Red), mix(a.Green, b.Green), mix(a.Blue, b.Blue));
                }
            }
            m_backend->DrawImage(QRectF(px), img, QRectF(img.rect()), false);
        } else {
            const auto& tri = static_cast<const GRADIENT_TRIANGLE*>(mesh)[m];
            if (tri.Vertex1 >= nVertices || tri.Vertex2 >= nVertices || tri.Vertex3 >= nVertices)
                continue;
            const TRIVERTEX* v[3] = {&vertices[tri.Vertex1], &vertices[tri.Vertex2], &vertices[tri.Vertex3]};
            QPointF p[3];
            for (int i = 0; i < 3; ++i)
                p[i] = t.map(QPointF(v[i]->x, v[i]->y));
            const double det = (p[1].x() - p[0].x()) * (p[2].y() - p[0].y()) - (p[2].x() - p[0].x()) * (p[1].y() - p[0].y());
            if (std::fabs(det) < 1e-12)
                continue;
            const QRectF box = QPolygonF({p[0], p[1], p[2]}).boundingRect();
            const QRect px = QRect(QPoint(edge(box.left()), edge(box.top())), QPoint(edge(box.right()), edge(box.bottom())))
                                 .intersected(bounds);
            if (px.isEmpty())
                continue;
            QImage img(px.size(), QImage::Format_ARGB32);
            for (int yy = 0; yy < px.height(); ++yy) {
                auto* line = reinterpret_cast<QRgb*>(img.scanLine(yy));
                for (int xx = 0; xx < px.width(); ++xx) {
                    const double cx = px.left() + xx + 0.5, cy = px.top() + yy + 0.5;
                    const double l1 = ((p[1].x() - cx) * (p[2].y() - cy) - (p[2].x() - cx) * (p[1].y() - cy)) / det;
                    const double l2 = ((p[2].x() - cx) * (p[0].y() - cy) - (p[0].x() - cx) * (p[2].y() - cy)) / det;
                    const double l3 = 1 - l1 - l2;
                    if (l1 < 0 || l2 < 0 || l3 < 0) {
                        line[xx] = 0;
                        continue;
                    }
                    auto mix = [&](int c0, int c1, int c2) {
                        return std::clamp(int(c0 * l1 + c1 * l2 + c2 * l3 + 0.5) >> 8, 0, 255);
                    };
                    line[xx] = qRgb(mix(v[0]->Red, v[1]->Red, v[2]->Red), mix(v[0]->Green, v[1]->Green, v[2]->Green),
                                    mix(v[0]->Blue, v[1]->Blue, v[2]->Blue));
                }
            }
            m_backend->DrawImage(QRectF(px), img, QRectF(img.rect()), false);
        }
    }
    return TRUE;
}
