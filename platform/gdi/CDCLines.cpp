// CDC: lines, curves, polygons and pixels.
#include "platform/gdi/CDC.h"
#include "platform/gdi/DcRecording.h"

#include "platform/gdi/GdiColor.h"
#include "platform/gdi/RecordedBounds.h"

#include <algorithm>

namespace {

// Long point lists poll the cancel flag after this many points.
constexpr int CancelStride = 4096;

void recordPoly(CDC& dc, uint32_t type, const POINT* points, int count)
{
    if (MetaRecorder* r = dc.Recorder(); r && points && count > 0) {
        EmrPoly p;
        p.bounds = RECT(0, 0, -1, -1);
        p.points.assign(points, points + count);
        r->Call(dc, type, p);
    }
}

template <class Count>
void recordPolyPoly(CDC& dc, uint32_t type, const POINT* points, const Count* counts, int polys)
{
    MetaRecorder* r = dc.Recorder();
    if (!r || !points || !counts || polys <= 0)
        return;
    EmrPolyPoly p;
    p.bounds = RECT(0, 0, -1, -1);
    size_t total = 0;
    for (int i = 0; i < polys; ++i) {
        if (counts[i] < 2)
            return;
        p.counts.push_back(DWORD(counts[i]));
        total += size_t(counts[i]);
    }
    p.points.assign(points, points + total);
    r->Call(dc, type, p);
}

// The recorder counts a poly-polygon or poly-polyline by all its points,
// and nothing when one of its figures has fewer than two.
template <class Count>
bool countPolyPoly(CDC& dc, const POINT* points, const Count* counts, int polys)
{
    if (!RecordedBounds::BoundsOnly(dc))
        return false;
    size_t total = 0;
    bool whole = true;
    for (int i = 0; i < polys; ++i) {
        whole = whole && counts[i] >= 2;
        total += size_t(std::max<Count>(counts[i], 0));
    }
    if (!whole || total == 0)
        return RecordedBounds::CountNothing(dc);
    return RecordedBounds::Count(dc, RecordedBounds::OfPoints(points, total, nullptr));
}

} // namespace

CPoint CDC::MoveTo(int x, int y)
{
    recordCall(*this, EMR_MOVETOEX, MetaRecorder::Ints({x, y}));
    const CPoint prev = m_state.curPos;
    m_state.curPos = POINT(x, y);
    if (m_state.pathOpen)
        m_state.path.MoveTo(toDevice(m_state.curPos));
    return prev;
}

BOOL CDC::LineTo(int x, int y)
{
    recordCall(*this, EMR_LINETO, MetaRecorder::Ints({x, y}));
    const POINT to(x, y);
    if (RecordedBounds::Count(*this, RecordedBounds::OfPoints(&to, 1, &m_state.curPos))) {
        m_state.curPos = to;
        return TRUE;
    }
    GdiPath figure;
    figure.MoveTo(toDevice(m_state.curPos));
    figure.LineTo(toDevice(POINT(x, y)));
    m_state.curPos = POINT(x, y);
    return output(figure, false, true, true);
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    recordPoly(*this, EMR_POLYLINE, points, count);
    if (!points || count < 2)
        return FALSE;
    if (RecordedBounds::BoundsOnly(*this) &&
        RecordedBounds::Count(*this, RecordedBounds::OfPoints(points, size_t(count), nullptr)))
        return TRUE;
    GdiPath figure;
    if (!figureFromPoints(figure, points, count, true))
        return FALSE;
    return output(figure, false, true);
}

BOOL CDC::PolylineTo(const POINT* points, int count)
{
    recordPoly(*this, EMR_POLYLINETO, points, count);
    if (!points || count < 1)
        return FALSE;
    if (RecordedBounds::BoundsOnly(*this) &&
        RecordedBounds::Count(*this, RecordedBounds::OfPoints(points, size_t(count), &m_state.curPos))) {
        m_state.curPos = points[count - 1];
        return TRUE;
    }
    GdiPath figure;
    figure.MoveTo(toDevice(m_state.curPos));
    if (!figureFromPoints(figure, points, count, false))
        return FALSE;
    m_state.curPos = points[count - 1];
    return output(figure, false, true, true);
}

BOOL CDC::PolyPolyline(const POINT* points, const DWORD* counts, int polys)
{
    recordPolyPoly(*this, EMR_POLYPOLYLINE, points, counts, polys);
    if (!points || !counts || polys <= 0)
        return FALSE;
    if (countPolyPoly(*this, points, counts, polys))
        return TRUE;
    GdiPath figure;
    size_t at = 0;
    for (int i = 0; i < polys; ++i) {
        if (counts[i] < 2)
            return FALSE;
        if (!figureFromPoints(figure, points + at, int(counts[i]), true))
            return FALSE;
        at += counts[i];
    }
    return output(figure, false, true);
}

BOOL CDC::PolyBezier(const POINT* points, int count)
{
    recordPoly(*this, EMR_POLYBEZIER, points, count);
    if (!points || count < 1 || (count - 1) % 3 != 0)
        return FALSE;
    if (RecordedBounds::BoundsOnly(*this) &&
        RecordedBounds::Count(*this, RecordedBounds::OfPoints(points, size_t(count), nullptr)))
        return TRUE;
    GdiPath figure;
    figure.MoveTo(toDevice(points[0]));
    for (int i = 1; i + 2 < count; i += 3) {
        if ((i % CancelStride) < 3 && IsCancelled())
            return FALSE;
        figure.BezierTo(toDevice(points[i]), toDevice(points[i + 1]), toDevice(points[i + 2]));
    }
    return output(figure, false, true);
}

BOOL CDC::PolyBezierTo(const POINT* points, int count)
{
    recordPoly(*this, EMR_POLYBEZIERTO, points, count);
    if (!points || count < 3 || count % 3 != 0)
        return FALSE;
    if (RecordedBounds::BoundsOnly(*this) &&
        RecordedBounds::Count(*this, RecordedBounds::OfPoints(points, size_t(count), &m_state.curPos))) {
        m_state.curPos = points[count - 1];
        return TRUE;
    }
    GdiPath figure;
    figure.MoveTo(toDevice(m_state.curPos));
    for (int i = 0; i + 2 < count; i += 3) {
        if ((i % CancelStride) < 3 && IsCancelled())
            return FALSE;
        figure.BezierTo(toDevice(points[i]), toDevice(points[i + 1]), toDevice(points[i + 2]));
    }
    m_state.curPos = points[count - 1];
    return output(figure, false, true, true);
}

BOOL CDC::PolyDraw(const POINT* points, const BYTE* types, int count)
{
    if (MetaRecorder* r = Recorder(); r && points && types && count > 0) {
        EmrPolyDraw p;
        p.bounds = RECT(0, 0, -1, -1);
        p.points.assign(points, points + count);
        p.types.assign(types, types + count);
        r->Call(*this, EMR_POLYDRAW, p);
    }
    if (!points || !types || count <= 0)
        return FALSE;
    // The whole record is checked first: a bad type draws nothing.
    for (int i = 0; i < count; ++i) {
        const BYTE t = types[i] & ~PT_CLOSEFIGURE;
        if (t == PT_BEZIERTO) {
            if (i + 2 >= count || (types[i + 1] & ~PT_CLOSEFIGURE) != PT_BEZIERTO ||
                (types[i + 2] & ~PT_CLOSEFIGURE) != PT_BEZIERTO)
                return FALSE;
            i += 2;
        } else if (t != PT_MOVETO && t != PT_LINETO) {
            return FALSE;
        }
    }
    GdiPath figure;
    POINT start = m_state.curPos;
    figure.MoveTo(toDevice(m_state.curPos));
    for (int i = 0; i < count; ++i) {
        const BYTE t = types[i] & ~PT_CLOSEFIGURE;
        if (t == PT_MOVETO) {
            figure.MoveTo(toDevice(points[i]));
            start = points[i];
        } else if (t == PT_LINETO) {
            figure.LineTo(toDevice(points[i]));
        } else {
            figure.BezierTo(toDevice(points[i]), toDevice(points[i + 1]), toDevice(points[i + 2]));
            i += 2;
        }
        m_state.curPos = points[i];
        if (types[i] & PT_CLOSEFIGURE) {
            figure.CloseFigure();
            m_state.curPos = start;
        }
    }
    return output(figure, false, true, true);
}

BOOL CDC::Polygon(const POINT* points, int count)
{
    recordPoly(*this, EMR_POLYGON, points, count);
    if (!points || count < 2)
        return FALSE;
    if (RecordedBounds::BoundsOnly(*this) &&
        RecordedBounds::Count(*this, RecordedBounds::OfPoints(points, size_t(count), nullptr)))
        return TRUE;
    GdiPath figure;
    if (!figureFromPoints(figure, points, count, true))
        return FALSE;
    figure.CloseFigure();
    return output(figure, true, true);
}

BOOL CDC::PolyPolygon(const POINT* points, const INT* counts, int polys)
{
    recordPolyPoly(*this, EMR_POLYPOLYGON, points, counts, polys);
    if (!points || !counts || polys <= 0)
        return FALSE;
    if (countPolyPoly(*this, points, counts, polys))
        return TRUE;
    GdiPath figure;
    size_t at = 0;
    for (int i = 0; i < polys; ++i) {
        if (counts[i] < 2)
            return FALSE;
        if (!figureFromPoints(figure, points + at, counts[i], true))
            return FALSE;
        figure.CloseFigure();
        at += size_t(counts[i]);
    }
    return output(figure, true, true);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    if (!SetPixelV(x, y, color))
        return CLR_NONE;
    return color & 0x00FFFFFF;
}

BOOL CDC::SetPixelV(int x, int y, COLORREF color)
{
    recordCall(*this, EMR_SETPIXELV, MetaRecorder::Ints({x, y, int32_t(color)}));
    if (!canDraw())
        return FALSE;
    if (!m_backend)
        return TRUE;
    const POINT at(x, y);
    if (RecordedBounds::Count(*this, RecordedBounds::OfPoints(&at, 1, nullptr)))
        return TRUE;
    const QPointF d = toDevice(POINT(x, y));
    syncClip();
    DrawAttrs a = attrs();
    a.rop2 = R2_COPYPEN;
    m_backend->FillRegion(QRegion(int(d.x()), int(d.y()), 1, 1), QBrush(toQColor(color)), a);
    return TRUE;
}
