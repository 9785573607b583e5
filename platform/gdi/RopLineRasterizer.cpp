#include "platform/gdi/RopLineRasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Vertices beyond this are left to the painter; the device context clamps
// its coordinates well inside it, and the products below stay in 64 bits.
constexpr double CoordLimit = double(1 << 26);

// A binary raster operation on a fixed pen colour is, per bit, "keep",
// "invert", "set" or "clear" of the destination bit: result =
// (dest & ifSet) | (~dest & ifClear), where ifSet is the result for
// destination bits 1 and ifClear for destination bits 0.
struct Combine {
    uint32_t ifSet;
    uint32_t ifClear;

    uint32_t operator()(uint32_t dest) const { return (dest & ifSet) | (~dest & ifClear); }
};

Combine combineFor(int rop2, QRgb color)
{
    // R2_* - 1 is the operation's truth table: bit (2 * pen + dest).
    const uint32_t table = uint32_t(std::clamp(rop2, 1, 16) - 1);
    const uint32_t pen = color & 0xFFFFFFu, notPen = ~color & 0xFFFFFFu;
    auto all = [&](int bit) { return (table >> bit) & 1u ? 0xFFFFFFu : 0u; };
    const uint32_t ifSet = (pen & all(3)) | (notPen & all(1));
    const uint32_t ifClear = (pen & all(2)) | (notPen & all(0));
    // The alpha byte passes through: kept where set, nothing added where clear.
    return {ifSet | 0xFF000000u, ifClear};
}

int64_t floorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int64_t ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }

struct Target {
    uchar* bits;
    qsizetype bytesPerLine;
    Combine combine;

    void apply(int64_t x, int64_t y) const
    {
        auto* p = reinterpret_cast<uint32_t*>(bits + y * bytesPerLine) + x;
        *p = combine(*p);
    }
};

// The part of a segment inside one clip rectangle. The segment runs along
// u (the major axis) for n pixels from u1 in steps of su; pixel k sits at
// minor offset ceil((2 k dv - n) / 2n), the exact offset k dv / n rounded
// with halves towards the smaller coordinate.
void drawInRect(const Target& target, bool xMajor, int64_t u1, int64_t v1, int64_t su, int64_t n, int64_t dv,
                const QRect& rect)
{
    const int64_t uMin = xMajor ? rect.left() : rect.top(), uMax = xMajor ? rect.right() : rect.bottom();
    const int64_t vMin = xMajor ? rect.top() : rect.left(), vMax = xMajor ? rect.bottom() : rect.right();
    int64_t kFirst = su > 0 ? uMin - u1 : u1 - uMax;
    int64_t kLast = su > 0 ? uMax - u1 : u1 - uMin;
    kFirst = std::max<int64_t>(kFirst, 0);
    kLast = std::min<int64_t>(kLast, n - 1);
    if (dv != 0) {
        // The steps whose minor coordinate can lie inside the rectangle,
        // with a pixel to spare either side; each pixel is checked below.
        const double perStep = double(dv) / double(n);
        const double a = (double(vMin - v1) - 1.0) / perStep, b = (double(vMax - v1) + 1.0) / perStep;
        kFirst = std::max<int64_t>(kFirst, int64_t(std::floor(std::min(a, b))) - 1);
        kLast = std::min<int64_t>(kLast, int64_t(std::ceil(std::max(a, b))) + 1);
    }
    if (kFirst > kLast)
        return;
    const int64_t twoN = 2 * n;
    const int64_t t = 2 * kFirst * dv - n;
    int64_t q = ceilDiv(t, twoN);
    int64_t r = q * twoN - t; // 0 <= r < 2n
    int64_t u = u1 + su * kFirst;
    for (int64_t k = kFirst; k <= kLast; ++k) {
        const int64_t v = v1 + q;
        if (v >= vMin && v <= vMax) {
            if (xMajor)
                target.apply(u, v);
            else
                target.apply(v, u);
        }
        u += su;
        r -= 2 * dv;
        if (r < 0) {
            r += twoN;
            ++q;
        } else if (r >= twoN) {
            r -= twoN;
            --q;
        }
    }
}

void drawSegment(const Target& target, const QRegion* clip, const QRect& imageRect, int64_t x1, int64_t y1,
                 int64_t x2, int64_t y2)
{
    const int64_t dx = x2 - x1, dy = y2 - y1;
    if (dx == 0 && dy == 0)
        return;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t u1 = xMajor ? x1 : y1, v1 = xMajor ? y1 : x1;
    const int64_t du = xMajor ? dx : dy, dv = xMajor ? dy : dx;
    const int64_t n = std::abs(du), su = du > 0 ? 1 : -1;
    // The segment's pixels lie inside its end points' box.
    const int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
    const int64_t left = std::min(x1, x2), right = std::max(x1, x2);
    auto visit = [&](const QRect& r) {
        const QRect c = r & imageRect;
        if (c.isEmpty() || c.right() < left || c.left() > right || c.bottom() < top || c.top() > bottom)
            return;
        drawInRect(target, xMajor, u1, v1, su, n, dv, c);
    };
    if (!clip) {
        visit(imageRect);
        return;
    }
    // The clip's rectangles come in bands from top to bottom: skip those
    // above the segment and stop below it.
    const QRect* begin = clip->begin();
    const QRect* end = clip->end();
    const QRect* it = std::lower_bound(begin, end, top, [](const QRect& r, int64_t y) { return r.bottom() < y; });
    for (; it != end && it->top() <= bottom; ++it)
        visit(*it);
}

bool whole(double v) { return std::isfinite(v) && std::abs(v) <= CoordLimit && v == std::floor(v); }

} // namespace

bool RopLineRasterizer::Accepts(const QImage& image, const QPen& pen, const QPainterPath& path)
{
    const QImage::Format f = image.format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied)
        return false;
    // A scaled image gets the painter's scaling, which this does not do.
    if (image.devicePixelRatio() != 1.0)
        return false;
    if (pen.style() != Qt::SolidLine || pen.widthF() != 0 || pen.brush().style() != Qt::SolidPattern)
        return false;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (!e.isMoveTo() && !e.isLineTo())
            return false;
        if (!whole(e.x) || !whole(e.y))
            return false;
    }
    return true;
}

void RopLineRasterizer::Draw(QImage* image, const QPainterPath& path, QRgb color, int rop2, const QRegion* clip)
{
    if (!image || image->isNull() || path.elementCount() < 2)
        return;
    // The painter on this image writes into these same bits: write in place
    // rather than detach from it.
    const Target target{const_cast<uchar*>(image->constBits()), image->bytesPerLine(), combineFor(rop2, color)};
    const QRect imageRect = image->rect();
    int64_t x = 0, y = 0;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const int64_t nx = int64_t(e.x), ny = int64_t(e.y);
        if (e.isLineTo())
            drawSegment(target, clip, imageRect, x, y, nx, ny);
        x = nx, y = ny;
    }
}
