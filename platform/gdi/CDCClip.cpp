// CDC: clipping, paths and images.
#include "platform/gdi/CDC.h"
#include "platform/gdi/DcRecording.h"

#include "platform/gdi/CRgn.h"
#include "platform/gdi/DevicePen.h"

#include <QPainterPathStroker>
#include <cmath>

namespace {


std::vector<RECT> rectsOf(const QRegion& region)
{
    std::vector<RECT> rects;
    for (const QRect& r : region)
        rects.push_back(RECT(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()));
    return rects;
}

} // namespace

// The backend learns the clip lazily, before the next drawing.
void CDC::syncClip()
{
    if (m_backend && m_clipDirty) {
        const auto clip = EffectiveClip();
        m_backend->SetClip(clip ? &*clip : nullptr);
        m_clipDirty = false;
    }
}

QRegion CDC::ToRealDevice(const QRegion& r) const
{
    const QTransform& t = m_state.mapping.PlaybackTransform();
    if (t.isIdentity())
        return r;
    QRegion out;
    if (t.m12() == 0 && t.m21() == 0) {
        std::vector<RECT> rects;
        rects.reserve(size_t(r.rectCount()));
        auto rnd = [](double v) { return LONG(std::clamp(std::floor(v + 0.5), -double(1 << 24), double(1 << 24))); };
        for (const QRect& q : r) {
            const QPointF a = t.map(QPointF(q.x(), q.y()));
            const QPointF b = t.map(QPointF(q.x() + q.width(), q.y() + q.height()));
            CRect c(rnd(a.x()), rnd(a.y()), rnd(b.x()), rnd(b.y()));
            c.NormalizeRect();
            if (!c.IsRectEmpty())
                rects.push_back(c);
        }
        return RegionFromRects(rects);
    }
    for (const QRect& q : r)
        out += QRegion(t.map(QPolygonF(QRectF(q))).toPolygon());
    return out;
}

std::optional<QRegion> CDC::EffectiveClip() const
{
    if (m_state.clip && m_state.metaRgn)
        return m_state.clip->intersected(*m_state.metaRgn);
    if (m_state.clip)
        return m_state.clip;
    return m_state.metaRgn;
}

void CDC::clipChanged() { m_clipDirty = true; }

int CDC::applyClip(const QRegion& device, int mode)
{
    const QRegion current = m_state.clip ? *m_state.clip : QRegion(deviceBounds());
    switch (mode) {
    case RGN_COPY: m_state.clip = device; break;
    case RGN_AND: m_state.clip = m_state.clip ? current.intersected(device) : device; break;
    case RGN_OR:
        if (m_state.clip)
            m_state.clip = current.united(device);
        break;
    case RGN_XOR: m_state.clip = current.xored(device); break;
    case RGN_DIFF: m_state.clip = current.subtracted(device); break;
    default: return ERROR;
    }
    clipChanged();
    const auto eff = EffectiveClip();
    return eff ? GdiRegion::Complexity(*eff) : SIMPLEREGION;
}

int CDC::SelectClipRgn(HRGN region) { return ExtSelectClipRgn(region, RGN_COPY); }

int CDC::SelectClipRgn(CRgn* region) { return SelectClipRgn(region ? HRGN(*region) : nullptr); }

int CDC::ExtSelectClipRgn(HRGN region, int mode)
{
    if (MetaRecorder* r = Recorder()) {
        EmrRegion rgn;
        rgn.mode = DWORD(mode);
        rgn.hasData = region != nullptr;
        if (region)
            rgn.rects = rectsOf(region->Region());
        r->Call(*this, EMR_EXTSELECTCLIPRGN, rgn);
    }
    if (!region) {
        if (mode != RGN_COPY)
            return ERROR;
        m_state.clip.reset();
        clipChanged();
        return m_state.metaRgn ? GdiRegion::Complexity(*m_state.metaRgn) : SIMPLEREGION;
    }
    return applyClip(ToRealDevice(region->Region()), mode);
}

int CDC::IntersectClipRect(int l, int t, int r, int b)
{
    recordCall(*this, EMR_INTERSECTCLIPRECT, MetaRecorder::Ints({l, t, r, b}));
    return applyClip(logicalRectToRegion(l, t, r, b), RGN_AND);
}

int CDC::ExcludeClipRect(int l, int t, int r, int b)
{
    recordCall(*this, EMR_EXCLUDECLIPRECT, MetaRecorder::Ints({l, t, r, b}));
    return applyClip(logicalRectToRegion(l, t, r, b), RGN_DIFF);
}

int CDC::OffsetClipRgn(int dx, int dy)
{
    recordCall(*this, EMR_OFFSETCLIPRGN, MetaRecorder::Ints({dx, dy}));
    if (m_state.clip) {
        // Logical offsets, scaled to the device.
        const QTransform& t = m_state.mapping.ToDevice();
        const QPointF d = t.map(QPointF(dx, dy)) - t.map(QPointF(0, 0));
        m_state.clip = m_state.clip->translated(int(std::lround(std::clamp(d.x(), -1e7, 1e7))),
                                                int(std::lround(std::clamp(d.y(), -1e7, 1e7))));
        clipChanged();
    }
    const auto eff = EffectiveClip();
    return eff ? GdiRegion::Complexity(*eff) : SIMPLEREGION;
}

int CDC::SetMetaRgn()
{
    recordCall(*this, EMR_SETMETARGN);
    if (m_state.clip) {
        m_state.metaRgn = m_state.metaRgn ? m_state.metaRgn->intersected(*m_state.clip) : *m_state.clip;
        m_state.clip.reset();
        clipChanged();
    }
    return m_state.metaRgn ? GdiRegion::Complexity(*m_state.metaRgn) : SIMPLEREGION;
}

int CDC::GetClipBox(RECT* rect) const
{
    if (!rect)
        return ERROR;
    const auto eff = EffectiveClip();
    QRect box = eff ? eff->boundingRect() : deviceBounds();
    if (eff && eff->isEmpty())
        box = QRect();
    POINT pts[2] = {POINT(box.x(), box.y()), POINT(box.x() + box.width(), box.y() + box.height())};
    if (m_state.mapping.IsInvertible()) {
        const QTransform& t = m_state.mapping.ToLogical();
        for (POINT& p : pts) {
            const QPointF q = t.map(QPointF(p.x, p.y));
            p = POINT(LONG(std::lround(std::clamp(q.x(), -2e9, 2e9))), LONG(std::lround(std::clamp(q.y(), -2e9, 2e9))));
        }
    }
    CRect r(pts[0], pts[1]);
    r.NormalizeRect();
    *rect = r;
    return eff ? GdiRegion::Complexity(*eff) : SIMPLEREGION;
}

int CDC::GetClipRgn(HRGN region) const
{
    if (!region)
        return -1;
    if (!m_state.clip)
        return 0;
    region->SetRegion(*m_state.clip);
    return 1;
}

BOOL CDC::PtVisible(int x, int y) const
{
    POINT p(x, y);
    LPtoDP(&p, 1);
    const auto eff = EffectiveClip();
    return eff ? eff->contains(QPoint(p.x, p.y)) : deviceBounds().contains(QPoint(p.x, p.y));
}

// --- paths -------------------------------------------------------------------

BOOL CDC::BeginPath()
{
    recordCall(*this, EMR_BEGINPATH);
    m_state.path.Clear();
    m_state.pathOpen = true;
    return TRUE;
}

BOOL CDC::EndPath()
{
    recordCall(*this, EMR_ENDPATH);
    if (!m_state.pathOpen)
        return FALSE;
    m_state.pathOpen = false;
    return TRUE;
}

BOOL CDC::AbortPath()
{
    recordCall(*this, EMR_ABORTPATH);
    m_state.path.Clear();
    m_state.pathOpen = false;
    return TRUE;
}

BOOL CDC::CloseFigure()
{
    recordCall(*this, EMR_CLOSEFIGURE);
    if (!m_state.pathOpen)
        return FALSE;
    m_state.path.CloseFigure();
    return TRUE;
}

BOOL CDC::FillPath()
{
    recordCall(*this, EMR_FILLPATH);
    if (m_state.pathOpen || !canDraw())
        return FALSE;
    GdiPath path = std::move(m_state.path);
    m_state.path.Clear();
    drawPath(path, true, false);
    return TRUE;
}

BOOL CDC::StrokePath()
{
    recordCall(*this, EMR_STROKEPATH);
    if (m_state.pathOpen || !canDraw())
        return FALSE;
    GdiPath path = std::move(m_state.path);
    m_state.path.Clear();
    drawPath(path, false, true);
    return TRUE;
}

BOOL CDC::StrokeAndFillPath()
{
    recordCall(*this, EMR_STROKEANDFILLPATH);
    if (m_state.pathOpen || !canDraw())
        return FALSE;
    GdiPath path = std::move(m_state.path);
    m_state.path.Clear();
    drawPath(path, true, true);
    return TRUE;
}

BOOL CDC::SelectClipPath(int mode)
{
    recordCall(*this, EMR_SELECTCLIPPATH, MetaRecorder::Ints({mode}));
    if (m_state.pathOpen)
        return FALSE;
    GdiPath path = std::move(m_state.path);
    m_state.path.Clear();
    path.Flatten();
    const Qt::FillRule rule = m_state.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    // Each figure as a polygon, combined with the fill rule as one region.
    QPolygon all;
    QRegion region;
    const auto& pts = path.Points();
    const auto& types = path.Types();
    QPolygon poly;
    auto flush = [&] {
        if (poly.size() >= 3) {
            if (rule == Qt::OddEvenFill)
                region = region.xored(QRegion(poly, rule));
            else
                region = region.united(QRegion(poly, rule));
        }
        poly.clear();
    };
    for (size_t i = 0; i < pts.size(); ++i) {
        if ((types[i] & ~PT_CLOSEFIGURE) == PT_MOVETO)
            flush();
        poly << pts[i].toPoint();
    }
    flush();
    return applyClip(region, mode) != ERROR;
}

BOOL CDC::FlattenPath()
{
    recordCall(*this, EMR_FLATTENPATH);
    if (m_state.pathOpen)
        return FALSE;
    m_state.path.Flatten();
    return TRUE;
}

BOOL CDC::WidenPath()
{
    recordCall(*this, EMR_WIDENPATH);
    if (m_state.pathOpen || !m_state.pen)
        return FALSE;
    QPen pen;
    if (!DevicePen::Make(*m_state.pen, m_state.mapping, m_state.miterLimit, &pen))
        return FALSE;
    if (pen.widthF() < 1)
        pen.setWidthF(1);
    QPainterPathStroker stroker(pen);
    const QPainterPath outline = stroker.createStroke(m_state.path.ToPainterPath(Qt::OddEvenFill)).simplified();
    GdiPath widened;
    widened.AppendPainterPath(outline);
    m_state.path = std::move(widened);
    return TRUE;
}

int CDC::GetPath(std::vector<POINT>* points, std::vector<BYTE>* types) const
{
    if (m_state.pathOpen)
        return -1;
    const auto& pts = m_state.path.Points();
    if (points) {
        points->clear();
        const QTransform& t = m_state.mapping.ToLogical();
        for (const QPointF& p : pts) {
            const QPointF q = t.map(p);
            points->push_back(POINT(LONG(std::lround(std::clamp(q.x(), -2e9, 2e9))),
                                    LONG(std::lround(std::clamp(q.y(), -2e9, 2e9)))));
        }
    }
    if (types)
        *types = m_state.path.Types();
    return int(pts.size());
}

// --- images ------------------------------------------------------------------

BOOL CDC::DrawImage(const RECT& logicalDest, const QImage& image)
{
    if (!canDraw() || image.isNull())
        return FALSE;
    if (!m_backend)
        return TRUE;
    const QTransform& t = m_state.mapping.ToDevice();
    const QRectF target = t.mapRect(QRectF(QPointF(logicalDest.left, logicalDest.top),
                                           QPointF(logicalDest.right, logicalDest.bottom)));
    if (target.isEmpty() || !std::isfinite(target.width()) || !std::isfinite(target.height()))
        return TRUE;
    // Only the visible part: the target within the clip and the device.
    const auto eff = EffectiveClip();
    QRectF visible = target.intersected(QRectF(eff ? eff->boundingRect() : deviceBounds()));
    if (visible.isEmpty())
        return TRUE;
    visible = QRectF(QPointF(std::floor(visible.left()), std::floor(visible.top())),
                     QPointF(std::ceil(visible.right()), std::ceil(visible.bottom())));
    // The flips of the mapping mirror the image.
    const bool flipX = (logicalDest.right - logicalDest.left) * t.m11() < 0;
    const bool flipY = (logicalDest.bottom - logicalDest.top) * t.m22() < 0;
    // In the mirrored image, source and target run the same way.
    const double sx = image.width() / target.width(), sy = image.height() / target.height();
    const QRectF source(QPointF((visible.left() - target.left()) * sx, (visible.top() - target.top()) * sy),
                        QPointF((visible.right() - target.left()) * sx, (visible.bottom() - target.top()) * sy));
    const QImage img = (flipX || flipY) ? image.mirrored(flipX, flipY) : image;
    syncClip();
    const bool reducing = sx > 1.0 || sy > 1.0;
    m_backend->DrawImage(visible, img, source, reducing);
    return TRUE;
}
