// CDC: the path from figures to the backend: device coordinates, fills
// and strokes, in pieces that a cancel stops.
#include "platform/gdi/CDC.h"
#include "platform/gdi/DcRecording.h"

#include "platform/gdi/DeviceBrush.h"
#include "platform/gdi/DevicePen.h"
#include "platform/gdi/GdiColor.h"
#include "platform/gdi/ScanlineFiller.h"

#include <cmath>

namespace {

// Device coordinates beyond this are clamped: far outside any device, and
// safe for the rasterizer's fixed-point arithmetic.
constexpr double CoordLimit = double(1 << 24);
// Long operations poll the cancel flag after this many points.
constexpr int CancelStride = 4096;
// Strokes with more points than this are drawn in pieces so that a cancel
// stops them.
constexpr size_t StrokeChunk = 8192;
// Fills of more points than this are scan-converted band by band.
constexpr size_t HugeFill = 32768;

double clampRound(double v)
{
    if (!std::isfinite(v))
        return 0;
    return std::clamp(std::floor(v + 0.5), -CoordLimit, CoordLimit);
}

} // namespace

QPointF CDC::toDevice(double x, double y) const
{
    const QPointF p = m_state.mapping.ToDevice().map(QPointF(x, y));
    return QPointF(clampRound(p.x()), clampRound(p.y()));
}

QPointF CDC::toDevice(POINT p) const { return toDevice(double(p.x), double(p.y)); }

bool CDC::figureFromPoints(GdiPath& figure, const POINT* points, int count, bool moveFirst)
{
    figure.Reserve(size_t(std::max(count, 0)) + 1);
    for (int i = 0; i < count; ++i) {
        if ((i % CancelStride) == CancelStride - 1 && IsCancelled())
            return false;
        const QPointF d = toDevice(points[i]);
        if (i == 0 && moveFirst)
            figure.MoveTo(d);
        else
            figure.LineTo(d);
    }
    return true;
}

DrawAttrs CDC::attrs() const
{
    DrawAttrs a;
    a.rop2 = m_state.rop2;
    a.opaqueBackground = m_state.bkMode == OPAQUE;
    a.background = toQColor(m_state.bkColor);
    const QPointF org = m_state.mapping.PlaybackTransform().map(QPointF(m_state.brushOrg.x, m_state.brushOrg.y));
    a.brushOrigin = QPoint(int(clampRound(org.x())), int(clampRound(org.y())));
    return a;
}

BOOL CDC::output(GdiPath& figure, bool fill, bool stroke, bool continues)
{
    if (!canDraw())
        return FALSE;
    if (m_state.pathOpen) {
        if (continues && !m_state.path.IsEmpty() && !(m_state.path.Types().back() & PT_CLOSEFIGURE) &&
            !figure.IsEmpty()) {
            // The figure goes on from the path's last point: drop its move.
            GdiPath rest;
            const auto& pts = figure.Points();
            const auto& types = figure.Types();
            for (size_t i = 1; i < pts.size(); ++i) {
                const BYTE t = types[i] & ~PT_CLOSEFIGURE;
                if (t == PT_BEZIERTO && i + 2 < pts.size()) {
                    m_state.path.BezierTo(pts[i], pts[i + 1], pts[i + 2]);
                    i += 2;
                } else if (t == PT_MOVETO) {
                    m_state.path.MoveTo(pts[i]);
                } else {
                    m_state.path.LineTo(pts[i]);
                }
                if (types[i] & PT_CLOSEFIGURE)
                    m_state.path.CloseFigure();
            }
            return TRUE;
        }
        m_state.path.Append(figure);
        return TRUE;
    }
    drawPath(figure, fill, stroke);
    return IsCancelled() ? FALSE : TRUE;
}

void CDC::drawPath(const GdiPath& path, bool fill, bool stroke)
{
    if (!m_backend || path.IsEmpty())
        return;
    syncClip();
    const DrawAttrs a = attrs();
    if (fill && m_state.brush) {
        QBrush brush;
        if (DeviceBrush::Make(*m_state.brush, a.opaqueBackground, m_state.bkColor, &brush, m_state.textColor)) {
            const Qt::FillRule rule = m_state.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
            if (path.Size() > HugeFill && m_backend->IsRaster())
                fillHuge(path, brush, a);
            else
                m_backend->FillPath(path.ToPainterPath(rule), brush, a);
        }
    }
    if (IsCancelled())
        return;
    if (stroke && m_state.pen) {
        QPen pen;
        if (DevicePen::Make(*m_state.pen, m_state.mapping, m_state.miterLimit, &pen)) {
            QPainterPath dashes;
            const bool dashed = path.Size() <= StrokeChunk && !m_backend->KeepsBoundsOnly() &&
                                DevicePen::DashPath(*m_state.pen, m_state.mapping, path, &pen, &dashes);
            if (dashed)
                m_backend->StrokePath(dashes, pen, a);
            else if (path.Size() > StrokeChunk)
                strokeHuge(path);
            else
                m_backend->StrokePath(path.ToPainterPath(Qt::OddEvenFill), pen, a);
        }
    }
}

void CDC::fillHuge(const GdiPath& path, const QBrush& brush, const DrawAttrs& attrs)
{
    // Curves are flattened on a copy; straight figures are used as they are.
    bool curves = false;
    for (BYTE t : path.Types())
        curves |= (t & ~PT_CLOSEFIGURE) == PT_BEZIERTO;
    GdiPath flat;
    if (curves) {
        flat = path;
        flat.Flatten();
    }
    const auto& pts = curves ? flat.Points() : path.Points();
    const auto& types = curves ? flat.Types() : path.Types();
    // A figure ends where the next one moves to its start.
    std::vector<size_t> figureEnds;
    for (size_t i = 1; i < types.size(); ++i) {
        if ((i % CancelStride) == 0 && IsCancelled())
            return;
        if ((types[i] & ~PT_CLOSEFIGURE) == PT_MOVETO)
            figureEnds.push_back(i);
    }
    figureEnds.push_back(pts.size());
    const auto clip = EffectiveClip();
    const QRect bounds = clip ? clip->boundingRect().intersected(deviceBounds()) : deviceBounds();
    const Qt::FillRule rule = m_state.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    ScanlineFiller::Fill(pts, figureEnds, rule, bounds, m_cancel,
                         [&](const QRegion& band) { m_backend->FillRegion(band, brush, attrs); });
}

void CDC::strokeHuge(const GdiPath& path)
{
    // Pieces of the outline, each a polyline of its own that starts where
    // the last one ended, so that a cancel stops the stroke between pieces.
    QPen pen;
    DevicePen::Make(*m_state.pen, m_state.mapping, m_state.miterLimit, &pen);
    const DrawAttrs a = attrs();
    const auto& pts = path.Points();
    const auto& types = path.Types();
    size_t i = 0;
    QPointF figureStart;
    while (i < pts.size()) {
        if (IsCancelled())
            return;
        QPainterPath piece;
        const size_t end = std::min(pts.size(), i + StrokeChunk);
        for (; i < end; ++i) {
            const BYTE t = types[i] & ~PT_CLOSEFIGURE;
            if (t == PT_MOVETO || piece.elementCount() == 0) {
                if (t == PT_MOVETO)
                    figureStart = pts[i];
                piece.moveTo(t == PT_MOVETO || i == 0 ? pts[i] : pts[i - 1]);
                if (t == PT_MOVETO)
                    continue;
            }
            if (t == PT_BEZIERTO && i + 2 < pts.size()) {
                piece.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
                i += 2;
            } else {
                piece.lineTo(pts[i]);
            }
            if (types[i] & PT_CLOSEFIGURE)
                piece.lineTo(figureStart);
        }
        m_backend->StrokePath(piece, pen, a);
    }
}
