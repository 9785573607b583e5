#include "platform/gdi/ScanlineFiller.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Edge {
    double x0, y0, dxdy;
    int lastRow;
    int dir;
};

struct Crossing {
    double x;
    int dir;
    bool operator<(const Crossing& o) const { return x < o.x; }
};

// Points are polled for a cancel this often while edges are sorted.
constexpr size_t CancelStride = 4096;

// The figures of a fill and the rows its edges cross inside the bounds.
class EdgeSource {
public:
    EdgeSource(std::span<const QPointF> points, std::span<const size_t> figureEnds, int top, int bottom)
        : m_points(points), m_ends(figureEnds), m_top(top), m_bottom(bottom)
    {
    }

    // Calls f(k, firstRow) for every edge from point k that crosses a row
    // inside the bounds; false when cancelled.
    template <class F>
    bool ForEach(const std::atomic<bool>& cancel, F&& f) const
    {
        size_t begin = 0;
        for (size_t end : m_ends) {
            end = std::min(end, m_points.size());
            for (size_t k = begin; k < end; ++k) {
                if ((k % CancelStride) == CancelStride - 1 && cancel.load(std::memory_order_relaxed))
                    return false;
                int first = 0, last = 0;
                if (Rows(m_points[k], m_points[Next(k, begin, end)], first, last))
                    f(k, first);
            }
            begin = std::max(begin, end);
        }
        return true;
    }

    // The edge from point k, ready to be stepped down the rows.
    Edge Make(size_t k) const
    {
        const auto figure = std::upper_bound(m_ends.begin(), m_ends.end(), k);
        const size_t begin = figure == m_ends.begin() ? 0 : *(figure - 1);
        const size_t end = figure == m_ends.end() ? m_points.size() : std::min(*figure, m_points.size());
        QPointF a = m_points[k], b = m_points[Next(k, begin, end)];
        int dir = 1;
        if (a.y() > b.y()) {
            std::swap(a, b);
            dir = -1;
        }
        int first = 0, last = 0;
        Rows(a, b, first, last);
        return {a.x(), a.y(), (b.x() - a.x()) / (b.y() - a.y()), last, dir};
    }

private:
    static size_t Next(size_t k, size_t begin, size_t end) { return k + 1 < end ? k + 1 : begin; }

    // The rows [first, last] inside the bounds whose scanline the edge a-b
    // crosses (a row's scanline lies at its integer y).
    bool Rows(QPointF a, QPointF b, int& first, int& last) const
    {
        if (!(a.y() != b.y()) || !std::isfinite(a.y()) || !std::isfinite(b.y()))
            return false;
        if (a.y() > b.y())
            std::swap(a, b);
        const double lo = std::ceil(a.y()), hi = std::ceil(b.y()) - 1;
        if (hi < m_top || lo >= m_bottom || lo > hi)
            return false;
        first = int(std::max(lo, double(m_top)));
        last = int(std::min(hi, double(m_bottom - 1)));
        return true;
    }

    std::span<const QPointF> m_points;
    std::span<const size_t> m_ends;
    int m_top, m_bottom;
};

} // namespace

bool ScanlineFiller::Fill(std::span<const QPointF> points, std::span<const size_t> figureEnds, Qt::FillRule rule,
                          const QRect& bounds, const std::atomic<bool>& cancel, const Sink& sink)
{
    if (bounds.isEmpty() || points.empty())
        return true;
    const int top = bounds.top(), bottom = bounds.top() + bounds.height(); // rows [top, bottom)
    const int rows = bottom - top;
    const EdgeSource source(points, figureEnds, top, bottom);
    // Edges bucketed by their first row: a counting sort (no comparison sort
    // of a million edges that a cancel could not interrupt), holding only
    // each edge's point index; the edge itself is made when its first row
    // comes.
    std::vector<size_t> start(size_t(rows) + 1, 0);
    if (!source.ForEach(cancel, [&](size_t, int first) { ++start[size_t(first - top) + 1]; }))
        return false;
    for (int r = 0; r < rows; ++r)
        start[size_t(r) + 1] += start[size_t(r)];
    std::vector<size_t> order(start.back());
    {
        std::vector<size_t> fill(start.begin(), start.end() - 1);
        if (!source.ForEach(cancel, [&](size_t k, int first) { order[fill[size_t(first - top)]++] = k; }))
            return false;
    }

    std::vector<Edge> active;
    std::vector<Crossing> crossings;
    std::vector<QRect> spans;
    const int left = bounds.left(), right = bounds.left() + bounds.width();
    for (int y = top; y < bottom; ++y) {
        if (cancel.load(std::memory_order_relaxed))
            return false;
        const int r = y - top;
        for (size_t k = start[size_t(r)]; k < start[size_t(r) + 1]; ++k)
            active.push_back(source.Make(order[k]));
        active.erase(std::remove_if(active.begin(), active.end(), [&](const Edge& e) { return e.lastRow < y; }),
                     active.end());
        crossings.clear();
        for (const Edge& e : active)
            crossings.push_back({e.x0 + (y - e.y0) * e.dxdy, e.dir});
        // A row of a jagged outline can cross tens of thousands of edges.
        if (crossings.size() > CancelStride && cancel.load(std::memory_order_relaxed))
            return false;
        std::sort(crossings.begin(), crossings.end());
        auto addSpan = [&](double xa, double xb) {
            const int x0 = int(std::clamp(std::ceil(xa), double(left), double(right)));
            const int x1 = int(std::clamp(std::ceil(xb), double(left), double(right)));
            if (x1 <= x0)
                return;
            if (!spans.empty() && spans.back().y() == y && spans.back().x() + spans.back().width() >= x0) {
                QRect& s = spans.back();
                s.setWidth(std::max(s.x() + s.width(), x1) - s.x());
            } else {
                spans.emplace_back(x0, y, x1 - x0, 1);
            }
        };
        if (rule == Qt::OddEvenFill) {
            for (size_t i = 0; i + 1 < crossings.size(); i += 2)
                addSpan(crossings[i].x, crossings[i + 1].x);
        } else {
            int winding = 0;
            double spanStart = 0;
            for (const Crossing& c : crossings) {
                const int before = winding;
                winding += c.dir;
                if (before == 0 && winding != 0)
                    spanStart = c.x;
                else if (before != 0 && winding == 0)
                    addSpan(spanStart, c.x);
            }
        }
        // A band of a jagged outline can hold tens of thousands of spans, and
        // its fill cannot be interrupted: a band ends early when it grows
        // that large, so a cancel waits for a bounded fill at most.
        if ((r + 1) % BandRows == 0 || y + 1 == bottom || spans.size() >= MaxBandSpans) {
            if (cancel.load(std::memory_order_relaxed))
                return false;
            if (!spans.empty()) {
                QRegion band;
                band.setRects(spans.data(), int(spans.size()));
                sink(band);
                spans.clear();
            }
        }
    }
    return true;
}
