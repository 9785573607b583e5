#include "platform/gdi/RecordedBounds.h"

#include "platform/gdi/CDC.h"

#include <algorithm>
#include <cmath>

std::optional<RecordedBounds::Box> RecordedBounds::OfPoints(const POINT* points, size_t count, const POINT* current)
{
    if (!points || (count == 0 && !current))
        return std::nullopt;
    const POINT first = current ? *current : points[0];
    Box b{first.x, first.y, first.x, first.y};
    for (size_t i = 0; i < count; ++i) {
        b.left = std::min<long long>(b.left, points[i].x);
        b.right = std::max<long long>(b.right, points[i].x);
        b.top = std::min<long long>(b.top, points[i].y);
        b.bottom = std::max<long long>(b.bottom, points[i].y);
    }
    return b;
}

RecordedBounds::Box RecordedBounds::OfTransfer(int x, int y, long long w, long long h)
{
    return Box{x, y, x + w - 1, y + h - 1};
}

std::optional<RecordedBounds::Box> RecordedBounds::OfArc(int l0, int t0, int r0, int b0, int xs0, int ys0, int xe0,
                                                         int ye0, ArcKind kind, bool compatible, POINT current)
{
    if (l0 == r0 || t0 == b0)
        return std::nullopt;
    // 64-bit integers where the recorder uses 32: the same results for
    // every box that fits, and no overflow for the others.
    long long l = std::min(l0, r0), r = std::max(l0, r0), t = std::min(t0, b0), b = std::max(t0, b0);
    if (compatible) {
        --r;
        --b;
    }
    const long long xc = (l + r + 1) / 2, yc = (t + b + 1) / 2;
    const long long xs = xs0 - xc, ys = ys0 - yc, xe = xe0 - xc, ye = ye0 - yc;
    // Angles counter-clockwise from the x axis (y grows downwards), and
    // where their radials cross the ellipse, its half axes in whole units.
    double start = std::atan2(-double(ys), double(xs)), end = std::atan2(-double(ye), double(xe));
    const double rx = double((r - l + 1) / 2), ry = double(-(b - t + 1) / 2);
    const double xStart = rx * std::cos(start) + double(xc), yStart = ry * std::sin(start) + double(yc);
    const double xEnd = rx * std::cos(end) + double(xc), yEnd = ry * std::sin(end) + double(yc);
    if (start < 0)
        start += 2 * M_PI;
    if (end < 0)
        end += 2 * M_PI;
    if (end < start)
        end += 2 * M_PI;
    // The crossings' coordinates are cut to whole units towards zero.
    auto whole = [](double v) { return (long long)std::clamp(std::trunc(v), -4e18, 4e18); };
    Box box{whole(std::min(xStart, xEnd)), whole(std::min(yStart, yEnd)), whole(std::max(xStart, xEnd)),
            whole(std::max(yStart, yEnd))};
    // The sweep reaches a side of the box at each quarter turn it passes.
    for (int i = 0; i <= 8; ++i) {
        const double at = i * M_PI / 2;
        if (at < start)
            continue;
        if (at > end)
            break;
        switch (i % 4) {
        case 0: box.right = r; break;
        case 1: box.top = t; break;
        case 2: box.left = l; break;
        default: box.bottom = b; break;
        }
    }
    if (kind == ArcKind::Pie) {
        // The centre only where it lies outside on the near side of each
        // axis, as the recorder checks it.
        if (box.left > xc)
            box.left = xc;
        else if (box.right < xc)
            box.right = xc;
        if (box.top > yc)
            box.top = yc;
        else if (box.bottom < yc)
            box.bottom = yc;
    } else if (kind == ArcKind::ArcTo) {
        box.left = std::min<long long>(box.left, current.x);
        box.top = std::min<long long>(box.top, current.y);
        box.right = std::max<long long>(box.right, current.x);
        box.bottom = std::max<long long>(box.bottom, current.y);
    }
    return box;
}

RECT RecordedBounds::ToDevice(const CDC& dc, const Box& box)
{
    // The platform keeps the logical-to-device transform in single
    // precision (XFORM) and maps points with it in double: at a scale of
    // 513/500 the point 250 lands just past 256.5, and rounds to 257.
    const QTransform& t = dc.State().mapping.ToDevice();
    const double m11 = float(t.m11()), m12 = float(t.m12()), m21 = float(t.m21()), m22 = float(t.m22());
    const double dx = float(t.dx()), dy = float(t.dy());
    auto map = [&](double x, double y) { return QPointF(x * m11 + y * m21 + dx, x * m12 + y * m22 + dy); };
    auto pixel = [](double v) {
        return LONG(std::isfinite(v) ? std::clamp(std::floor(v + 0.5), -2147483648.0, 2147483647.0) : 0.0);
    };
    const QPointF a = map(double(box.left), double(box.top));
    const QPointF c = map(double(box.right), double(box.bottom));
    const LONG x0 = pixel(a.x()), y0 = pixel(a.y()), x1 = pixel(c.x()), y1 = pixel(c.y());
    return RECT(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1));
}

bool RecordedBounds::Count(CDC& dc, const Box& box)
{
    DcBackend* backend = dc.Backend();
    if (!backend || dc.State().pathOpen)
        return false;
    const RECT d = ToDevice(dc, box);
    return backend->ShapeBox(QRectF(QPointF(d.left, d.top), QPointF(double(d.right) + 1, double(d.bottom) + 1)));
}

bool RecordedBounds::Count(CDC& dc, const std::optional<Box>& box)
{
    return box ? Count(dc, *box) : CountNothing(dc);
}

bool RecordedBounds::CountNothing(CDC& dc)
{
    DcBackend* backend = dc.Backend();
    if (!backend || dc.State().pathOpen)
        return false;
    return backend->ShapeBox(QRectF());
}
