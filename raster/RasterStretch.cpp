#include "raster/RasterStretch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace {

struct AxisCut {
    bool visible = false;
    qint64 s0 = 0, s1 = 0;  // source range
    qint64 l0 = 0, l1 = 0;  // logical destination of it
};

// One axis: n source pixels over logical [a, b), device = m * logical + d.
AxisCut cutAxis(qint64 n, qint64 a, qint64 b, double m, double d, double visLo, double visHi, qint64 align)
{
    AxisCut cut;
    const qint64 span = b - a;
    const double perPixel = m * double(span) / double(n); // device units per source pixel
    if (n <= 0 || span == 0 || !std::isfinite(perPixel) || perPixel == 0.0)
        return cut;
    const double origin = m * double(a) + d;
    double lo = (visLo - origin) / perPixel;
    double hi = (visHi - origin) / perPixel;
    if (lo > hi)
        std::swap(lo, hi);
    lo = std::clamp(std::floor(lo), 0.0, double(n));
    hi = std::clamp(std::ceil(hi), 0.0, double(n));
    if (!(lo < hi))
        return cut;
    // Pixel s starts at logical a + s * span / n: a whole number when s is a
    // multiple of n / gcd(|span|, n).
    const qint64 g = std::gcd(std::llabs(span), n);
    qint64 step = n / g;
    step = std::lcm(step, align);
    qint64 s0 = qint64(lo), s1 = qint64(hi);
    s0 -= s0 % step;
    s1 = std::min(n, ((s1 + step - 1) / step) * step);
    cut.visible = true;
    cut.s0 = s0;
    cut.s1 = s1;
    cut.l0 = a + s0 * (span / g) / (n / g);
    cut.l1 = a + s1 * (span / g) / (n / g);
    return cut;
}

} // namespace

RasterStretchPlan RasterStretch::Plan(const QSize& image, const CRect& dest, const QTransform& toDevice,
                                      const QRectF& visibleDevice, int pixelAlignX)
{
    RasterStretchPlan plan;
    if (image.isEmpty() || dest.Width() == 0 || dest.Height() == 0)
        return plan;
    // A rotating or shearing world transform: no axis-aligned cut; the
    // device gets the whole image.
    if (toDevice.m12() != 0.0 || toDevice.m21() != 0.0 || toDevice.type() == QTransform::TxProject) {
        plan.visible = plan.whole = true;
        plan.source = QRect(QPoint(0, 0), image);
        plan.logical = dest;
        return plan;
    }
    const AxisCut x = cutAxis(image.width(), dest.left, dest.right, toDevice.m11(), toDevice.dx(),
                              visibleDevice.left(), visibleDevice.right(), std::max(1, pixelAlignX));
    const AxisCut y = cutAxis(image.height(), dest.top, dest.bottom, toDevice.m22(), toDevice.dy(),
                              visibleDevice.top(), visibleDevice.bottom(), 1);
    if (!x.visible || !y.visible)
        return plan;
    plan.visible = true;
    plan.source = QRect(QPoint(int(x.s0), int(y.s0)), QPoint(int(x.s1) - 1, int(y.s1) - 1));
    plan.whole = plan.source == QRect(QPoint(0, 0), image);
    plan.logical = CRect(LONG(x.l0), LONG(y.l0), LONG(x.l1), LONG(y.l1));
    return plan;
}

QImage RasterStretch::View(const QImage& image, const QRect& source)
{
    const QRect r = source.intersected(image.rect());
    if (r.isEmpty())
        return {};
    if (r == image.rect())
        return image;
    const qsizetype offset = qsizetype(r.x()) * image.depth() / 8;
    QImage view(image.constScanLine(r.y()) + offset, r.width(), r.height(), image.bytesPerLine(), image.format());
    if (image.format() == QImage::Format_Indexed8 || image.depth() == 1)
        view.setColorTable(image.colorTable());
    view.setDotsPerMeterX(image.dotsPerMeterX());
    view.setDotsPerMeterY(image.dotsPerMeterY());
    return view;
}

int RasterStretch::PixelAlignment(const QImage& image)
{
    const int depth = image.depth();
    return depth >= 8 ? 1 : 8 / depth;
}
