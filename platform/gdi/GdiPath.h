#pragma once
// A GDI path: figures of points in device space with the platform's point
// types (PT_MOVETO, PT_LINETO, PT_BEZIERTO, with PT_CLOSEFIGURE on the last
// point of a closed figure). Device space, as the platform keeps it: a
// transform changed after a point was added does not move that point.
#include "platform/gdi/GdiDefs.h"

#include <QPainterPath>
#include <QPointF>
#include <vector>

class GdiPath {
public:
    void Clear() { m_points.clear(); m_types.clear(); m_newFigure = true; }
    // Room for n more points (no reallocation while a long figure grows).
    void Reserve(size_t n)
    {
        m_points.reserve(m_points.size() + n);
        m_types.reserve(m_types.size() + n);
    }
    bool IsEmpty() const { return m_points.empty(); }
    size_t Size() const { return m_points.size(); }
    const std::vector<QPointF>& Points() const { return m_points; }
    const std::vector<BYTE>& Types() const { return m_types; }

    void MoveTo(QPointF p);
    void LineTo(QPointF p);
    // Three points: two control points and the end point.
    void BezierTo(QPointF c1, QPointF c2, QPointF end);
    void CloseFigure();
    // Starts a new figure at the next LineTo/BezierTo from the last point.
    bool HasCurrentFigure() const { return !m_points.empty(); }
    QPointF LastPoint() const { return m_points.empty() ? QPointF() : m_points.back(); }

    void Append(const GdiPath& other);
    void AppendPainterPath(const QPainterPath& path);
    QPainterPath ToPainterPath(Qt::FillRule rule) const;
    // Replaces every curve with line segments.
    void Flatten();
    void Transform(const QTransform& t);

private:
    std::vector<QPointF> m_points;
    std::vector<BYTE> m_types;
    bool m_newFigure = true;
};
