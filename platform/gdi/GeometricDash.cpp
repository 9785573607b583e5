#include "platform/gdi/GeometricDash.h"

#include "platform/gdi/GdiPath.h"

#include <QLineF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// The standard styles in pen widths, dash first.
const std::vector<int> styleWidths[4] = {{3, 1}, {1, 1}, {3, 1, 1, 1}, {3, 1, 1, 1, 1, 1}};

// No pattern length beyond the coordinate range of the device.
constexpr int64_t LengthLimit = int64_t(1) << 24;

QPoint toPoint(QPointF p)
{
    const double limit = double(LengthLimit) * 4;
    return QPoint(int(std::lround(std::clamp(p.x(), -limit, limit))), int(std::lround(std::clamp(p.y(), -limit, limit))));
}

QPointF unit(QPoint d)
{
    const double len = std::hypot(double(d.x()), double(d.y()));
    return len > 0 ? QPointF(d.x() / len, d.y() / len) : QPointF();
}

} // namespace

std::vector<int> GeometricDash::Pattern(const GdiPen& pen, int deviceWidth, double userScale)
{
    if (!pen.IsGeometric() || deviceWidth <= 1)
        return {};
    const UINT style = pen.Style();
    std::vector<int> pattern;
    if (style >= PS_DASH && style <= PS_DASHDOTDOT) {
        const int64_t w = std::min<int64_t>(deviceWidth, LengthLimit);
        // Caps reach half a width beyond each end of a dash: the dash gives
        // up one width to its gap so the pattern keeps its period.
        const int64_t capped = pen.EndCap() == PS_ENDCAP_FLAT ? 0 : w;
        const std::vector<int>& units = styleWidths[style - PS_DASH];
        for (size_t i = 0; i < units.size(); ++i)
            pattern.push_back(int(units[i] * w + (i % 2 ? capped : -capped)));
        return pattern;
    }
    if (style != PS_USERSTYLE || pen.StyleEntries().empty())
        return {};
    const double scale = std::isfinite(userScale) ? std::clamp(userScale, 0.0, double(LengthLimit)) : 1.0;
    int64_t total = 0;
    for (DWORD e : pen.StyleEntries()) {
        const double len = std::min(double(e) * scale, double(LengthLimit));
        pattern.push_back(int(std::lround(len)));
        total += pattern.back();
    }
    if (total == 0)
        return {};
    // An odd count runs twice, the second time with dashes and gaps swapped.
    if (pattern.size() % 2)
        pattern.insert(pattern.end(), pattern.begin(), pattern.end());
    return pattern;
}

GeometricDash::GeometricDash(std::vector<int> pattern) : m_pattern(std::move(pattern))
{
    for (int& len : m_pattern) {
        len = int(std::clamp<int64_t>(len, 0, LengthLimit));
        m_total += uint64_t(len);
    }
    if (m_pattern.size() % 2)
        m_pattern.push_back(0);
    if (m_total == 0)
        m_pattern = {int(LengthLimit), 0}, m_total = uint64_t(LengthLimit);
    restart();
}

void GeometricDash::restart()
{
    m_index = 0;
    m_left = m_pattern[0];
    m_mark = true;
}

void GeometricDash::skip(uint64_t length)
{
    // Whole periods are dropped first. Moving on by one element whose
    // length is the whole period (a dot pattern with caps, where the dots
    // have no length) therefore stays put: the reference renderer then
    // draws the rest of that segment as gap, and so does this.
    length %= m_total;
    do {
        if (uint64_t(m_left) > length) {
            m_left -= int64_t(length);
            return;
        }
        length -= uint64_t(m_left);
        m_index = (m_index + 1) % m_pattern.size();
        m_left = m_pattern[m_index];
        m_mark = !m_mark;
    } while (length);
}

void GeometricDash::addDash(const std::vector<QPoint>& pts, size_t start, size_t count, QPoint from, QPoint to,
                         std::vector<Dash>* out) const
{
    const size_t n = pts.size();
    Dash d;
    d.points.reserve(count + 1);
    d.points.push_back(from);
    for (size_t k = 1; k < count; ++k)
        d.points.push_back(pts[(start + k) % n]);
    d.points.push_back(to);
    d.startDirection = pts[(start + 1) % n] - pts[start % n];
    d.endDirection = pts[(start + count) % n] - pts[(start + count - 1) % n];
    out->push_back(std::move(d));
}

std::vector<GeometricDash::Dash> GeometricDash::Figure(const std::vector<QPoint>& points, bool closed)
{
    std::vector<Dash> out;
    // Repeated points at either end add nothing.
    size_t first = 0, n = points.size();
    while (n - first > 2 && points[first] == points[first + 1])
        ++first;
    while (n - first > 2 && points[n - 1] == points[n - 2])
        --n;
    if (n - first < 2)
        return out;
    const std::vector<QPoint> pts(points.begin() + ptrdiff_t(first), points.begin() + ptrdiff_t(n));
    n = pts.size();

    restart();
    size_t start = 0;
    int64_t done = 0; // of the current segment, up to the current dash boundary
    QPoint from = pts[0];
    // A closed figure's first dash waits to join the last one: 0 while it
    // has not ended, -1 when it was a gap that ended first.
    int64_t initialCount = 0;
    QPoint initialEnd;
    const size_t segments = closed ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) {
        if (--m_budget < 0)
            return out;
        const QPoint p1 = pts[i], p2 = pts[(i + 1) % n];
        int64_t dx = int64_t(p2.x()) - p1.x(), dy = int64_t(p2.y()) - p1.y();
        if (dx == 0 && dy == 0)
            continue;
        if (dx == 0 || dy == 0) {
            const int64_t len = std::abs(dx + dy);
            if (len - done < m_left) {
                skip(uint64_t(len - done));
                done = 0;
                continue;
            }
            done += m_left;
            if (dy == 0)
                dx = dx > 0 ? done : -done;
            else
                dy = dy > 0 ? done : -done;
        } else {
            // Diagonals are measured in whole pixels: what is left of a
            // segment after its last boundary loses its fraction.
            const double len = std::hypot(double(dx), double(dy));
            if (len - double(done) < double(m_left)) {
                skip(uint64_t(len - double(done)));
                done = 0;
                continue;
            }
            done += m_left;
            dx = int64_t(double(dx * done) / len);
            dy = int64_t(double(dy * done) / len);
        }
        const QPoint to(int(p1.x() + dx), int(p1.y() + dy));
        if (m_mark) {
            if (initialCount == 0 && closed) {
                initialCount = int64_t(i - start + 1);
                initialEnd = to;
            } else {
                addDash(pts, start, i - start + 1, from, to, &out);
            }
        }
        if (initialCount == 0)
            initialCount = -1;
        skip(uint64_t(m_left));
        from = to;
        start = i;
        --i; // the same segment again, from the boundary on
    }
    if (m_mark) {
        if (initialCount > 0)
            addDash(pts, start, n - start + size_t(initialCount), from, initialEnd, &out);
        else if (closed)
            addDash(pts, start, n - start, from, pts[0], &out);
        else
            addDash(pts, start, n - start - 1, from, pts[n - 1], &out);
    } else if (initialCount > 0) {
        addDash(pts, 0, size_t(initialCount), pts[0], initialEnd, &out);
    }
    return out;
}

bool GeometricDash::Stroke(const GdiPath& path, UINT endCap, int width, QPainterPath* out)
{
    m_budget = StepBudget;
    GdiPath flat;
    const GdiPath* source = &path;
    for (BYTE t : path.Types())
        if ((t & ~PT_CLOSEFIGURE) == PT_BEZIERTO) {
            flat = path;
            flat.Flatten();
            source = &flat;
            break;
        }
    const auto& pts = source->Points();
    const auto& types = source->Types();
    // The dasher takes about one step per pattern element passed: refuse
    // before starting when the outline is far longer than the budget.
    double length = 0;
    for (size_t i = 1; i < pts.size(); ++i)
        if ((types[i] & ~PT_CLOSEFIGURE) != PT_MOVETO)
            length += QLineF(pts[i - 1], pts[i]).length();
    if (length / double(m_total) * double(m_pattern.size()) + double(pts.size()) > double(StepBudget))
        return false;
    // Square ends reach whole pixels out: half the width, rounded down.
    const double half = width / 2;
    std::vector<QPoint> figure;
    for (size_t begin = 0; begin < pts.size();) {
        size_t end = begin + 1;
        while (end < pts.size() && (types[end] & ~PT_CLOSEFIGURE) != PT_MOVETO)
            ++end;
        figure.clear();
        for (size_t i = begin; i < end; ++i)
            figure.push_back(toPoint(pts[i]));
        const bool closed = (types[end - 1] & PT_CLOSEFIGURE) != 0;
        begin = end;
        if (figure.size() < 2)
            continue;
        for (Dash& d : Figure(figure, closed)) {
            QPointF a = d.points.front(), b = d.points.back();
            const bool empty = std::all_of(d.points.begin(), d.points.end(), [&](QPoint p) { return p == d.points[0]; });
            if (endCap == PS_ENDCAP_SQUARE) {
                a -= unit(d.startDirection) * half;
                b += unit(d.endDirection) * half;
            } else if (empty) {
                if (endCap == PS_ENDCAP_FLAT)
                    continue; // nothing between flat ends
                b += unit(d.endDirection) / 64.0;
            }
            out->moveTo(a);
            for (size_t k = 1; k + 1 < d.points.size(); ++k)
                out->lineTo(d.points[k]);
            out->lineTo(b);
        }
        if (m_budget < 0)
            return false;
    }
    return true;
}
