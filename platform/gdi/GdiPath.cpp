#include "platform/gdi/GdiPath.h"

#include <QLineF>

#include <cmath>

#include <algorithm>

void GdiPath::MoveTo(QPointF p)
{
    // Consecutive moves collapse into the last one, as the platform's paths do.
    if (!m_types.empty() && m_types.back() == PT_MOVETO) {
        m_points.back() = p;
        return;
    }
    m_points.push_back(p);
    m_types.push_back(PT_MOVETO);
    m_newFigure = false;
}

void GdiPath::LineTo(QPointF p)
{
    if (m_newFigure || m_points.empty()) {
        MoveTo(m_points.empty() ? p : m_points.back());
    }
    m_points.push_back(p);
    m_types.push_back(PT_LINETO);
}

void GdiPath::BezierTo(QPointF c1, QPointF c2, QPointF end)
{
    if (m_newFigure || m_points.empty())
        MoveTo(m_points.empty() ? c1 : m_points.back());
    m_points.push_back(c1);
    m_points.push_back(c2);
    m_points.push_back(end);
    m_types.insert(m_types.end(), 3, PT_BEZIERTO);
}

void GdiPath::CloseFigure()
{
    if (m_types.empty())
        return;
    m_types.back() |= PT_CLOSEFIGURE;
    m_newFigure = true;
}

void GdiPath::Append(const GdiPath& other)
{
    m_points.insert(m_points.end(), other.m_points.begin(), other.m_points.end());
    m_types.insert(m_types.end(), other.m_types.begin(), other.m_types.end());
    if (!other.IsEmpty())
        m_newFigure = other.m_newFigure;
}

namespace {

// Device coordinates beyond this are clamped, as the device context clamps
// every point it transforms.
QPointF clamped(const QPointF& p)
{
    static constexpr double limit = double(1 << 24);
    auto c = [](double v) { return std::isfinite(v) ? std::clamp(v, -limit, limit) : 0.0; };
    return QPointF(c(p.x()), c(p.y()));
}

} // namespace

void GdiPath::AppendPainterPath(const QPainterPath& source)
{
    QPainterPath path = source;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element& el = path.elementAt(i);
        const QPointF p = clamped(QPointF(el.x, el.y));
        if (p != QPointF(el.x, el.y))
            path.setElementPositionAt(i, p.x(), p.y());
    }
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            m_newFigure = true;
            MoveTo(e);
            break;
        case QPainterPath::LineToElement:
            LineTo(e);
            break;
        case QPainterPath::CurveToElement:
            if (i + 2 < path.elementCount()) {
                BezierTo(e, path.elementAt(i + 1), path.elementAt(i + 2));
                i += 2;
            }
            break;
        default:
            break;
        }
    }
}

QPainterPath GdiPath::ToPainterPath(Qt::FillRule rule) const
{
    QPainterPath path;
    path.setFillRule(rule);
    const size_t n = m_points.size();
    size_t i = 0;
    while (i < n) {
        const BYTE t = m_types[i] & ~PT_CLOSEFIGURE;
        if (t == PT_MOVETO) {
            path.moveTo(m_points[i]);
        } else if (t == PT_BEZIERTO && i + 2 < n) {
            path.cubicTo(m_points[i], m_points[i + 1], m_points[i + 2]);
            i += 2;
        } else {
            path.lineTo(m_points[i]);
        }
        if (m_types[i] & PT_CLOSEFIGURE)
            path.closeSubpath();
        ++i;
    }
    return path;
}

void GdiPath::Flatten()
{
    bool curves = false;
    for (BYTE t : m_types)
        curves |= (t & ~PT_CLOSEFIGURE) == PT_BEZIERTO;
    if (!curves)
        return;
    std::vector<QPointF> points;
    std::vector<BYTE> types;
    points.reserve(m_points.size() * 4);
    types.reserve(m_points.size() * 4);
    const size_t n = m_points.size();
    for (size_t i = 0; i < n; ++i) {
        const BYTE t = m_types[i] & ~PT_CLOSEFIGURE;
        if (t == PT_BEZIERTO && i + 2 < n && !points.empty()) {
            const QPointF p0 = points.back(), p1 = m_points[i], p2 = m_points[i + 1], p3 = m_points[i + 2];
            // Enough segments that each is at most about two device pixels long.
            const double len = QLineF(p0, p1).length() + QLineF(p1, p2).length() + QLineF(p2, p3).length();
            const int steps = std::clamp(int(len / 2), 2, 256);
            for (int s = 1; s <= steps; ++s) {
                const double u = double(s) / steps, v = 1 - u;
                points.push_back(v * v * v * p0 + 3 * v * v * u * p1 + 3 * v * u * u * p2 + u * u * u * p3);
                types.push_back(PT_LINETO);
            }
            types.back() |= m_types[i + 2] & PT_CLOSEFIGURE;
            i += 2;
        } else {
            points.push_back(m_points[i]);
            types.push_back(t == PT_BEZIERTO ? BYTE(PT_LINETO | (m_types[i] & PT_CLOSEFIGURE)) : m_types[i]);
        }
    }
    m_points = std::move(points);
    m_types = std::move(types);
}

void GdiPath::Transform(const QTransform& t)
{
    for (auto& p : m_points)
        p = t.map(p);
}
