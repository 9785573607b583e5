// CDC: rectangles, ellipses and arcs.
#include "platform/gdi/CDC.h"
#include "platform/gdi/DcRecording.h"

#include "platform/gdi/DevicePen.h"
#include "platform/gdi/RecordedBounds.h"

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
    // The platform's recorder counts these shapes by their logical
    // rectangle, the right and bottom edges one logical unit in under
    // GM_COMPATIBLE, regardless of the pen: at a scale above one the right
    // and bottom bounds lie whole device pixels inside the outline.
    if (!canDraw())
        return false;
    if (l == r || t == b)
        return RecordedBounds::CountNothing(*this); // nothing drawn, nothing counted
    RecordedBounds::Box box{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
    if (GetGraphicsMode() == GM_COMPATIBLE) {
        box.right -= 1;
        box.bottom -= 1;
    }
    return RecordedBounds::Count(*this, box);
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
    if (RecordedBounds::Count(*this, RecordedBounds::OfArc(l, t, r, b, x1, y1, x2, y2, RecordedBounds::ArcKind::Arc,
                                                           GetGraphicsMode() == GM_COMPATIBLE, m_state.curPos)))
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
    const bool counted = RecordedBounds::Count(
        *this, RecordedBounds::OfArc(l, t, r, b, x1, y1, x2, y2, RecordedBounds::ArcKind::ArcTo,
                                     GetGraphicsMode() == GM_COMPATIBLE, m_state.curPos));
    m_state.curPos = POINT(LONG(std::lround(std::clamp(end.x(), -2e9, 2e9))),
                           LONG(std::lround(std::clamp(end.y(), -2e9, 2e9))));
    if (counted)
        return TRUE;
    return output(figure, false, true, true);
}

BOOL CDC::Chord(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    recordCall(*this, EMR_CHORD, MetaRecorder::Ints({l, t, r, b, x1, y1, x2, y2}));
    GdiPath figure;
    if (!buildArc(figure, l, t, r, b, x1, y1, x2, y2, 1, nullptr))
        return TRUE;
    if (RecordedBounds::Count(*this, RecordedBounds::OfArc(l, t, r, b, x1, y1, x2, y2, RecordedBounds::ArcKind::Chord,
                                                           GetGraphicsMode() == GM_COMPATIBLE, m_state.curPos)))
        return TRUE;
    return output(figure, true, true);
}

BOOL CDC::Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    recordCall(*this, EMR_PIE, MetaRecorder::Ints({l, t, r, b, x1, y1, x2, y2}));
    GdiPath figure;
    if (!buildArc(figure, l, t, r, b, x1, y1, x2, y2, 2, nullptr))
        return TRUE;
    if (RecordedBounds::Count(*this, RecordedBounds::OfArc(l, t, r, b, x1, y1, x2, y2, RecordedBounds::ArcKind::Pie,
                                                           GetGraphicsMode() == GM_COMPATIBLE, m_state.curPos)))
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
