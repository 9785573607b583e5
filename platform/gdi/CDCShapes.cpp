// CDC: rectangles, ellipses, arcs and region fills.
#include "platform/gdi/CDC.h"
#include "platform/gdi/DcRecording.h"

#include "platform/gdi/BltRenderer.h"
#include "platform/gdi/Rop3.h"

#include "platform/gdi/CBrush.h"
#include "platform/gdi/DeviceBrush.h"
#include "platform/gdi/DevicePen.h"
#include "platform/gdi/GdiColor.h"

#include <cmath>

namespace {


constexpr double Pi = 3.14159265358979323846;

double angleOf(QPointF v, double rx, double ry)
{
    if (v.x() == 0 && v.y() == 0)
        return 0;
    return std::atan2(-v.y() / ry, v.x() / rx) * 180.0 / Pi;
}

} // namespace

QRect CDC::deviceBounds() const { return QRect(0, 0, GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES)); }

bool CDC::rectShape(int l, int t, int r, int b, QRectF* device) const
{
    QPointF a = toDevice(POINT(l, t)), c = toDevice(POINT(r, b));
    double left = std::min(a.x(), c.x()), right = std::max(a.x(), c.x());
    double top = std::min(a.y(), c.y()), bottom = std::max(a.y(), c.y());
    if (left == right || top == bottom)
        return false;
    if (GetGraphicsMode() == GM_COMPATIBLE) {
        // The right and bottom edges are outside the shape.
        right -= 1;
        bottom -= 1;
    }
    if (m_state.pen && m_state.pen->Style() == PS_INSIDEFRAME) {
        const int w = DevicePen::DeviceWidth(*m_state.pen, m_state.mapping);
        left += w / 2;
        top += w / 2;
        right -= (w - 1) / 2;
        bottom -= (w - 1) / 2;
    }
    *device = QRectF(QPointF(left, top), QPointF(right, bottom));
    return true;
}

bool CDC::recordedShapeBox(int l, int t, int r, int b)
{
    // The platform's recorder (as Wine's enhanced-metafile driver) counts
    // these shapes by their logical rectangle, the right and bottom edges
    // one logical unit in under GM_COMPATIBLE, mapped to the device with
    // rounding and regardless of the pen: at a scale above one the right
    // and bottom bounds lie whole device pixels inside the outline.
    if (m_state.pathOpen || !m_backend || !m_state.mapping.IsAxisAligned())
        return false;
    if (!canDraw())
        return false;
    syncClip();
    if (l == r || t == b)
        return m_backend->ShapeBox(QRectF()); // nothing drawn, nothing counted
    // Not empty: the larger edge can step in without overflowing.
    int left = std::min(l, r), right = std::max(l, r), top = std::min(t, b), bottom = std::max(t, b);
    if (GetGraphicsMode() == GM_COMPATIBLE) {
        right -= 1;
        bottom -= 1;
    }
    const QPointF a = toDevice(POINT(left, top)), c = toDevice(POINT(right, bottom));
    const double x0 = std::floor(a.x() + 0.5), y0 = std::floor(a.y() + 0.5);
    const double x1 = std::floor(c.x() + 0.5), y1 = std::floor(c.y() + 0.5);
    // Inclusive device corners as a half-open box.
    const QRectF box(QPointF(std::min(x0, x1), std::min(y0, y1)), QPointF(std::max(x0, x1) + 1, std::max(y0, y1) + 1));
    return m_backend->ShapeBox(box);
}

void CDC::appendShape(GdiPath& figure, const QPainterPath& shape, bool logical) const
{
    if (!logical) {
        figure.AppendPainterPath(shape);
        return;
    }
    figure.AppendPainterPath(m_state.mapping.ToDevice().map(shape));
}

BOOL CDC::Rectangle(int l, int t, int r, int b)
{
    recordCall(*this, EMR_RECTANGLE, MetaRecorder::Ints({l, t, r, b}));
    if (recordedShapeBox(l, t, r, b))
        return TRUE;
    GdiPath figure;
    if (GetGraphicsMode() == GM_ADVANCED) {
        // Advanced mode draws the four corners as a polygon, edges included.
        const POINT pts[4] = {POINT(l, t), POINT(r, t), POINT(r, b), POINT(l, b)};
        figureFromPoints(figure, pts, 4, true);
        figure.CloseFigure();
        return output(figure, true, true);
    }
    QRectF rc;
    if (!rectShape(l, t, r, b, &rc))
        return TRUE;
    figure.MoveTo(rc.topRight());
    figure.LineTo(rc.topLeft());
    figure.LineTo(rc.bottomLeft());
    figure.LineTo(rc.bottomRight());
    figure.CloseFigure();
    return output(figure, true, true);
}

BOOL CDC::Ellipse(int l, int t, int r, int b)
{
    recordCall(*this, EMR_ELLIPSE, MetaRecorder::Ints({l, t, r, b}));
    if (recordedShapeBox(l, t, r, b))
        return TRUE;
    GdiPath figure;
    QPainterPath shape;
    if (m_state.mapping.IsAxisAligned()) {
        QRectF rc;
        if (!rectShape(l, t, r, b, &rc))
            return TRUE;
        shape.addEllipse(rc);
        appendShape(figure, shape, false);
    } else {
        shape.addEllipse(QRectF(QPointF(l, t), QPointF(r, b)).normalized());
        appendShape(figure, shape, true);
    }
    figure.CloseFigure();
    return output(figure, true, true);
}

BOOL CDC::RoundRect(int l, int t, int r, int b, int w, int h)
{
    recordCall(*this, EMR_ROUNDRECT, MetaRecorder::Ints({l, t, r, b, w, h}));
    if (recordedShapeBox(l, t, r, b))
        return TRUE;
    GdiPath figure;
    QPainterPath shape;
    if (m_state.mapping.IsAxisAligned()) {
        QRectF rc;
        if (!rectShape(l, t, r, b, &rc))
            return TRUE;
        const QTransform& m = m_state.mapping.ToDevice();
        const double rx = std::min(std::fabs(w * m.m11()) / 2, rc.width() / 2);
        const double ry = std::min(std::fabs(h * m.m22()) / 2, rc.height() / 2);
        shape.addRoundedRect(rc, rx, ry);
        appendShape(figure, shape, false);
    } else {
        const QRectF rc = QRectF(QPointF(l, t), QPointF(r, b)).normalized();
        shape.addRoundedRect(rc, std::min(std::fabs(double(w)) / 2.0, rc.width() / 2),
                             std::min(std::fabs(double(h)) / 2.0, rc.height() / 2));
        appendShape(figure, shape, true);
    }
    figure.CloseFigure();
    return output(figure, true, true);
}

bool CDC::buildArc(GdiPath& figure, int l, int t, int r, int b, int x1, int y1, int x2, int y2, int kind,
                   QPointF* logicalEnd)
{
    const bool axis = m_state.mapping.IsAxisAligned();
    QRectF rc;
    QPointF s, e;
    if (axis) {
        if (!rectShape(l, t, r, b, &rc))
            return false;
        s = toDevice(POINT(x1, y1));
        e = toDevice(POINT(x2, y2));
    } else {
        rc = QRectF(QPointF(l, t), QPointF(r, b)).normalized();
        if (rc.isEmpty())
            return false;
        s = QPointF(x1, y1);
        e = QPointF(x2, y2);
    }
    const double rx = rc.width() / 2, ry = rc.height() / 2;
    if (rx <= 0 || ry <= 0)
        return false;
    const QPointF c = rc.center();
    const double a0 = angleOf(s - c, rx, ry);
    const double a1 = angleOf(e - c, rx, ry);
    bool ccw = m_state.arcDirection == AD_COUNTERCLOCKWISE;
    if (!axis && m_state.mapping.ToDevice().determinant() < 0)
        ccw = !ccw; // the direction is the device's
    double sweep = a1 - a0;
    if (ccw) {
        while (sweep <= 0)
            sweep += 360;
    } else {
        while (sweep >= 0)
            sweep -= 360;
    }
    QPainterPath shape;
    if (kind == -1) {
        const QPointF cur = axis ? toDevice(m_state.curPos) : QPointF(m_state.curPos.x, m_state.curPos.y);
        shape.moveTo(cur);
        QPainterPath probe;
        probe.arcMoveTo(rc, a0);
        shape.lineTo(probe.currentPosition());
    } else {
        shape.arcMoveTo(rc, a0);
    }
    shape.arcTo(rc, a0, sweep);
    const QPointF end = shape.currentPosition();
    if (kind == 2)
        shape.lineTo(c);
    if (kind >= 1)
        shape.closeSubpath();
    appendShape(figure, shape, !axis);
    if (logicalEnd)
        *logicalEnd = axis ? m_state.mapping.ToLogical().map(end) : end;
    return true;
}

BOOL CDC::Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    recordCall(*this, EMR_ARC, MetaRecorder::Ints({l, t, r, b, x1, y1, x2, y2}));
    GdiPath figure;
    if (!buildArc(figure, l, t, r, b, x1, y1, x2, y2, 0, nullptr))
        return TRUE;
    return output(figure, false, true);
}

BOOL CDC::ArcTo(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    recordCall(*this, EMR_ARCTO, MetaRecorder::Ints({l, t, r, b, x1, y1, x2, y2}));
    GdiPath figure;
    QPointF end;
    if (!buildArc(figure, l, t, r, b, x1, y1, x2, y2, -1, &end))
        return TRUE;
    m_state.curPos = POINT(LONG(std::lround(std::clamp(end.x(), -2e9, 2e9))),
                           LONG(std::lround(std::clamp(end.y(), -2e9, 2e9))));
    return output(figure, false, true, true);
}

BOOL CDC::Chord(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    recordCall(*this, EMR_CHORD, MetaRecorder::Ints({l, t, r, b, x1, y1, x2, y2}));
    GdiPath figure;
    if (!buildArc(figure, l, t, r, b, x1, y1, x2, y2, 1, nullptr))
        return TRUE;
    return output(figure, true, true);
}

BOOL CDC::Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    recordCall(*this, EMR_PIE, MetaRecorder::Ints({l, t, r, b, x1, y1, x2, y2}));
    GdiPath figure;
    if (!buildArc(figure, l, t, r, b, x1, y1, x2, y2, 2, nullptr))
        return TRUE;
    return output(figure, true, true);
}

BOOL CDC::AngleArc(int x, int y, int radius, float startAngle, float sweepAngle)
{
    recordCall(*this, EMR_ANGLEARC, EmrAngleArc{POINT(x, y), DWORD(radius), startAngle, sweepAngle});
    if (radius < 0 || !std::isfinite(startAngle) || !std::isfinite(sweepAngle))
        return FALSE;
    const double sweep = std::clamp(double(sweepAngle), -720.0, 720.0);
    const QRectF rc(x - double(radius), y - double(radius), 2.0 * radius, 2.0 * radius);
    QPainterPath shape;
    shape.moveTo(m_state.curPos.x, m_state.curPos.y);
    QPainterPath probe;
    probe.arcMoveTo(rc, startAngle);
    shape.lineTo(probe.currentPosition());
    shape.arcTo(rc, startAngle, sweep);
    const QPointF end = shape.currentPosition();
    GdiPath figure;
    appendShape(figure, shape, true);
    m_state.curPos = POINT(LONG(std::lround(end.x())), LONG(std::lround(end.y())));
    return output(figure, false, true, true);
}

// --- pixel fills ---------------------------------------------------------------

namespace {

QRegion logicalRectRegion(const CDC& dc, const QTransform& t, int l, int tp, int r, int b, bool* axis)
{
    (void)dc;
    *axis = t.m12() == 0 && t.m21() == 0;
    const QPointF a = t.map(QPointF(l, tp)), c = t.map(QPointF(r, b));
    auto rnd = [](double v) { return int(std::clamp(std::floor(v + 0.5), -double(1 << 24), double(1 << 24))); };
    const int x0 = rnd(std::min(a.x(), c.x())), x1 = rnd(std::max(a.x(), c.x()));
    const int y0 = rnd(std::min(a.y(), c.y())), y1 = rnd(std::max(a.y(), c.y()));
    if (x0 == x1 || y0 == y1)
        return {};
    return QRegion(x0, y0, x1 - x0, y1 - y0);
}

} // namespace

QRegion CDC::logicalRectToRegion(int l, int t, int r, int b) const
{
    bool axis = true;
    QRegion region = logicalRectRegion(*this, m_state.mapping.ToDevice(), l, t, r, b, &axis);
    if (axis)
        return region;
    QPolygonF poly = m_state.mapping.ToDevice().map(QPolygonF(QRectF(QPointF(l, t), QPointF(r, b))));
    QPolygon device;
    for (const QPointF& p : poly)
        device << QPoint(int(std::clamp(p.x(), -double(1 << 24), double(1 << 24))),
                         int(std::clamp(p.y(), -double(1 << 24), double(1 << 24))));
    return QRegion(device);
}

void CDC::FillRect(const RECT* rect, HBRUSH brush)
{
    if (MetaRecorder* r = Recorder(); r && rect && brush) {
        // The platform records a fill with a given brush as a pattern blit
        // with the brush selected for it.
        r->Select(*this, brush);
        r->Call(*this, EMR_BITBLT, MetaRecorder::Ints({rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, int32_t(PATCOPY)}));
        r->Select(*this, m_state.brush.get());
    }
    if (!rect || !brush || !canDraw() || !m_backend)
        return;
    QBrush qb;
    if (!DeviceBrush::Make(*brush, m_state.bkMode == OPAQUE, m_state.bkColor, &qb, m_state.textColor))
        return;
    const QRegion region = logicalRectToRegion(rect->left, rect->top, rect->right, rect->bottom);
    if (m_clipDirty) {
        const auto clip = EffectiveClip();
        m_backend->SetClip(clip ? &*clip : nullptr);
        m_clipDirty = false;
    }
    DrawAttrs a = attrs();
    a.rop2 = R2_COPYPEN;
    m_backend->FillRegion(region, qb, a);
}

void CDC::FillRect(const RECT* rect, CBrush* brush) { FillRect(rect, brush ? HBRUSH(*brush) : nullptr); }

void CDC::FillSolidRect(const RECT* rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(rect, brush);
    DeleteObject(brush);
}

void CDC::FrameRect(const RECT* rect, HBRUSH brush)
{
    if (!rect || !brush)
        return;
    HRGN outer = CreateRectRgn(0, 0, 0, 0);
    const QRegion r = logicalRectToRegion(rect->left, rect->top, rect->right, rect->bottom);
    const QRect box = r.boundingRect();
    outer->SetRegion(r.subtracted(QRegion(box.adjusted(1, 1, -1, -1))));
    if (!outer->Region().isEmpty() && canDraw() && m_backend) {
        QBrush qb;
        if (DeviceBrush::Make(*brush, m_state.bkMode == OPAQUE, m_state.bkColor, &qb, m_state.textColor)) {
            if (m_clipDirty) {
                const auto clip = EffectiveClip();
                m_backend->SetClip(clip ? &*clip : nullptr);
                m_clipDirty = false;
            }
            DrawAttrs a = attrs();
            a.rop2 = R2_COPYPEN;
            m_backend->FillRegion(outer->Region(), qb, a);
        }
    }
    DeleteObject(outer);
}

void CDC::FrameRect(const RECT* rect, CBrush* brush) { FrameRect(rect, brush ? HBRUSH(*brush) : nullptr); }

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    recordCall(*this, EMR_BITBLT, MetaRecorder::Ints({x, y, width, height, int32_t(rop)}));
    if (!canDraw())
        return FALSE;
    if (!m_backend)
        return TRUE;
    int rop2;
    QBrush brush;
    switch (rop) {
    case PATCOPY:
        rop2 = R2_COPYPEN;
        break;
    case PATINVERT:
        rop2 = R2_XORPEN;
        break;
    case DSTINVERT:
        rop2 = R2_NOT;
        brush = QBrush(Qt::black);
        break;
    case BLACKNESS:
        rop2 = R2_BLACK;
        brush = QBrush(Qt::black);
        break;
    case WHITENESS:
        rop2 = R2_WHITE;
        brush = QBrush(Qt::white);
        break;
    default: {
        // Any other operation of pattern and destination, on pixels.
        BltOp op;
        op.table = op.backTable = Rop3::Index(rop);
        if (Rop3::UsesSource(op.table))
            return FALSE; // a pattern transfer has no source
        return blt(x, y, width, height, nullptr, QRectF(), op);
    }
    }
    if (brush.style() == Qt::NoBrush) {
        if (!m_state.brush || !DeviceBrush::Make(*m_state.brush, m_state.bkMode == OPAQUE, m_state.bkColor, &brush, m_state.textColor))
            return TRUE;
    }
    const QRegion region = logicalRectToRegion(x, y, x + width, y + height);
    if (m_clipDirty) {
        const auto clip = EffectiveClip();
        m_backend->SetClip(clip ? &*clip : nullptr);
        m_clipDirty = false;
    }
    DrawAttrs a = attrs();
    a.rop2 = rop2;
    m_backend->FillRegion(region, brush, a);
    return TRUE;
}

BOOL CDC::FillRgn(HRGN region, HBRUSH brush)
{
    if (MetaRecorder* r = Recorder(); r && region && brush) {
        std::vector<RECT> rects;
        for (const QRect& q : region->Region())
            rects.push_back(RECT(q.left(), q.top(), q.left() + q.width(), q.top() + q.height()));
        r->FillRegion(*this, rects, brush);
    }
    if (!region || !brush || !canDraw())
        return FALSE;
    if (!m_backend)
        return TRUE;
    QBrush qb;
    if (!DeviceBrush::Make(*brush, m_state.bkMode == OPAQUE, m_state.bkColor, &qb, m_state.textColor))
        return TRUE;
    if (m_clipDirty) {
        const auto clip = EffectiveClip();
        m_backend->SetClip(clip ? &*clip : nullptr);
        m_clipDirty = false;
    }
    m_backend->FillRegion(ToRealDevice(region->Region()), qb, attrs());
    return TRUE;
}

BOOL CDC::PaintRgn(HRGN region) { return FillRgn(region, m_state.brush.get()); }

BOOL CDC::InvertRgn(HRGN region)
{
    if (MetaRecorder* r = Recorder(); r && region) {
        EmrRegion rgn;
        rgn.hasData = true;
        for (const QRect& q : region->Region())
            rgn.rects.push_back(RECT(q.left(), q.top(), q.left() + q.width(), q.top() + q.height()));
        r->Call(*this, EMR_INVERTRGN, rgn);
    }
    if (!region || !canDraw())
        return FALSE;
    if (!m_backend)
        return TRUE;
    if (m_clipDirty) {
        const auto clip = EffectiveClip();
        m_backend->SetClip(clip ? &*clip : nullptr);
        m_clipDirty = false;
    }
    DrawAttrs a = attrs();
    a.rop2 = R2_NOT;
    m_backend->FillRegion(ToRealDevice(region->Region()), QBrush(Qt::black), a);
    return TRUE;
}

BOOL CDC::FrameRgn(HRGN region, HBRUSH brush, int width, int height)
{
    if (!region || !brush || width <= 0 || height <= 0)
        return FALSE;
    const QRegion& r = region->Region();
    // The frame's width and height are logical; the region is in device
    // units (before a player's outer transform).
    const QTransform t = m_state.mapping.ToDevice() * m_state.mapping.PlaybackTransform().inverted();
    auto scaled = [](double v) { return int(std::clamp(std::floor(std::fabs(v) + 0.5), 1.0, double(1 << 16))); };
    const int w = scaled(t.m11() * width), h = scaled(t.m22() * height);
    const QRegion inner = r.intersected(r.translated(w, 0))
                              .intersected(r.translated(-w, 0))
                              .intersected(r.translated(0, h))
                              .intersected(r.translated(0, -h));
    GdiRegion frame(r.subtracted(inner));
    return FillRgn(&frame, brush);
}
