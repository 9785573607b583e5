#include "platform/gdi/ScanlineFiller.h"

#include <algorithm>
#include <cmath>

namespace {

struct Edge {
    double x0, y0, dxdy;
    int firstRow, lastRow;
    int dir;
};

struct Crossing {
    double x;
    int dir;
    bool operator<(const Crossing& o) const { return x < o.x; }
};

} // namespace

bool ScanlineFiller::Fill(const std::vector<QPolygonF>& polygons, Qt::FillRule rule, const QRect& bounds,
                          const std::atomic<bool>& cancel, const std::function<void(const QRegion&)>& sink)
{
    if (bounds.isEmpty())
        return true;
    const int top = bounds.top(), bottom = bounds.top() + bounds.height(); // rows [top, bottom)
    const int rows = bottom - top;
    // Edges that cross at least one scanline inside the bounds, bucketed by
    // their first row (a counting sort: no comparison sort of a million
    // edges that a cancel could not interrupt).
    size_t total = 0;
    for (const QPolygonF& poly : polygons)
        total += size_t(poly.size());
    std::vector<Edge> edges;
    edges.reserve(total);
    std::vector<int> bucketCount(size_t(rows) + 1, 0);
    size_t seen = 0;
    for (const QPolygonF& poly : polygons) {
        const int n = poly.size();
        for (int i = 0; i < n; ++i) {
            if ((++seen & 0xFFF) == 0 && cancel.load(std::memory_order_relaxed))
                return false;
            QPointF a = poly[i], b = poly[(i + 1) % n];
            if (a.y() == b.y())
                continue;
            int dir = 1;
            if (a.y() > b.y()) {
                std::swap(a, b);
                dir = -1;
            }
            int first = int(std::ceil(a.y())), last = int(std::ceil(b.y())) - 1;
            if (last < top || first >= bottom || first > last)
                continue;
            first = std::max(first, top);
            last = std::min(last, bottom - 1);
            edges.push_back({a.x(), a.y(), (b.x() - a.x()) / (b.y() - a.y()), first, last, dir});
            ++bucketCount[size_t(first - top)];
        }
    }
    std::vector<int> start(size_t(rows) + 1, 0);
    for (int r = 0; r < rows; ++r)
        start[size_t(r) + 1] = start[size_t(r)] + bucketCount[size_t(r)];
    std::vector<int> order(edges.size());
    {
        std::vector<int> fill(start.begin(), start.end() - 1);
        for (size_t i = 0; i < edges.size(); ++i) {
            if ((i & 0xFFFF) == 0xFFFF && cancel.load(std::memory_order_relaxed))
                return false;
            order[size_t(fill[size_t(edges[i].firstRow - top)]++)] = int(i);
        }
    }

    std::vector<int> active;
    std::vector<Crossing> crossings;
    std::vector<QRect> spans;
    const int left = bounds.left(), right = bounds.left() + bounds.width();
    for (int y = top; y < bottom; ++y) {
        if (cancel.load(std::memory_order_relaxed))
            return false;
        const int r = y - top;
        for (int k = start[size_t(r)]; k < start[size_t(r) + 1]; ++k)
            active.push_back(order[size_t(k)]);
        active.erase(std::remove_if(active.begin(), active.end(), [&](int e) { return edges[size_t(e)].lastRow < y; }),
                     active.end());
        crossings.clear();
        for (int e : active) {
            const Edge& ed = edges[size_t(e)];
            crossings.push_back({ed.x0 + (y - ed.y0) * ed.dxdy, ed.dir});
        }
        std::sort(crossings.begin(), crossings.end());
        auto addSpan = [&](double xa, double xb) {
            const int x0 = std::max(left, int(std::ceil(xa)));
            const int x1 = std::min(right, int(std::ceil(xb)));
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
