#pragma once
// Dashes of wide geometric pens as the platform's raster driver cuts them:
// the pattern in whole device pixels (the standard styles in multiples of
// the pen width, each dash shortened by one width when the pen has caps so
// that the caps make up the length), restarted at every figure and carried
// across the corners inside a figure. Each dash is an open polyline that
// gets the pen's caps at both ends and its joins at the corners it spans;
// on a closed figure a dash that runs through the starting point is one
// dash with a join there.
#include "platform/gdi/GdiPen.h"

#include <QPoint>
#include <QPointF>
#include <cstdint>
#include <vector>

class GdiPath;
class QPainterPath;

class GeometricDash {
public:
    // One dash: its points, and the directions of the figure's segments
    // at its two ends (a dash of no length still has them, for its caps).
    struct Dash {
        std::vector<QPoint> points;
        QPoint startDirection;
        QPoint endDirection;
    };

    // The pattern of a geometric pen as alternating dash and gap lengths in
    // device pixels, dash first, an even count. Empty when the pen is not
    // dashed this way: solid styles, cosmetic pens, widths of one pixel, or
    // a user style without length. User style entries are logical lengths
    // scaled by userScale.
    static std::vector<int> Pattern(const GdiPen& pen, int deviceWidth, double userScale);

    explicit GeometricDash(std::vector<int> pattern);

    // The dashes of one figure of device points; the pattern starts afresh.
    std::vector<Dash> Figure(const std::vector<QPoint>& points, bool closed);

    // The dashes of a whole path (curves flattened), as open subpaths to
    // stroke with a solid pen of the given width and cap: square caps are
    // made part of each dash (so that a dash of no length has a direction),
    // a round-capped dash of no length gets a trace of length. False when
    // the path would make an unreasonable number of dashes.
    bool Stroke(const GdiPath& path, UINT endCap, int width, QPainterPath* out);

private:
    void restart();
    void skip(uint64_t length);
    void addDash(const std::vector<QPoint>& pts, size_t start, size_t count, QPoint from, QPoint to,
              std::vector<Dash>* out) const;

    // Steps of the dasher (one per dash boundary or segment) for one path
    // before it gives up: far more dashes than any device shows.
    static constexpr int64_t StepBudget = 1'000'000;

    std::vector<int> m_pattern;
    uint64_t m_total = 0;
    int64_t m_budget = StepBudget;
    size_t m_index = 0;
    int64_t m_left = 0;
    bool m_mark = true;
};
