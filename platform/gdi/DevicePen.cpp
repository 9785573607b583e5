#include "platform/gdi/DevicePen.h"

#include "platform/gdi/GdiColor.h"
#include "platform/gdi/GeometricDash.h"

#include <QLineF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// The platform's style patterns: cosmetic ones in pixels, geometric ones in
// pen widths.
const QVector<qreal> cosmeticDash[4] = {{18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
const QVector<qreal> geometricDash[4] = {{3, 1}, {1, 1}, {3, 1, 1, 1}, {3, 1, 1, 1, 1, 1}};

} // namespace

int DevicePen::DeviceWidth(const GdiPen& pen, const DcMapping& mapping)
{
    if (pen.IsExtended() && !pen.IsGeometric())
        return 1;
    if (pen.Width() == 0)
        return 1;
    const QTransform& t = mapping.ToDevice();
    const double len = std::hypot(t.m11() * pen.Width(), t.m12() * pen.Width());
    if (!std::isfinite(len))
        return 1;
    return int(std::clamp(std::floor(len + 0.5), 1.0, 1e6));
}

bool DevicePen::Make(const GdiPen& pen, const DcMapping& mapping, float miterLimit, QPen* out)
{
    const UINT style = pen.Style();
    if (style == PS_NULL)
        return false;
    const int width = DeviceWidth(pen, mapping);
    QPen p(toQColor(pen.Color()));
    p.setCosmetic(false);
    const bool geometric = pen.IsGeometric() || (!pen.IsExtended() && width > 1);
    if (!geometric) {
        p.setWidth(0);
        p.setCapStyle(Qt::FlatCap);
        p.setJoinStyle(Qt::MiterJoin);
        if (style >= PS_DASH && style <= PS_DASHDOTDOT)
            p.setDashPattern(cosmeticDash[style - PS_DASH]);
        else if (style == PS_ALTERNATE)
            p.setDashPattern({1, 1});
        else if (style == PS_USERSTYLE && !pen.StyleEntries().empty()) {
            QVector<qreal> d;
            for (DWORD e : pen.StyleEntries())
                d << std::max<qreal>(qreal(std::min<DWORD>(e, 1u << 20)), 0.0);
            if (d.size() % 2)
                d << d; // an odd count repeats with dashes and gaps swapped
            p.setDashPattern(d);
        }
        *out = p;
        return true;
    }
    p.setWidthF(width);
    // A plain wide pen has round caps and joins; an extended pen says which.
    switch (pen.IsExtended() ? pen.EndCap() : PS_ENDCAP_ROUND) {
    case PS_ENDCAP_SQUARE: p.setCapStyle(Qt::SquareCap); break;
    case PS_ENDCAP_FLAT: p.setCapStyle(Qt::FlatCap); break;
    default: p.setCapStyle(Qt::RoundCap); break;
    }
    switch (pen.IsExtended() ? pen.Join() : PS_JOIN_ROUND) {
    case PS_JOIN_BEVEL: p.setJoinStyle(Qt::BevelJoin); break;
    case PS_JOIN_MITER:
        p.setJoinStyle(Qt::MiterJoin);
        // The platform's limit is a ratio of miter length to width; Qt's is
        // in half widths.
        p.setMiterLimit(std::max(1.0f, miterLimit));
        break;
    default: p.setJoinStyle(Qt::RoundJoin); break;
    }
    if (pen.IsExtended()) {
        if (style >= PS_DASH && style <= PS_DASHDOTDOT) {
            p.setDashPattern(geometricDash[style - PS_DASH]);
        } else if (style == PS_USERSTYLE && !pen.StyleEntries().empty()) {
            // Entries are logical lengths; Qt wants them in widths.
            const double scale = std::hypot(mapping.ToDevice().m11(), mapping.ToDevice().m12());
            QVector<qreal> d;
            for (DWORD e : pen.StyleEntries())
                d << std::clamp(e * scale / width, 0.0, 1e6);
            if (d.size() % 2)
                d << d;
            p.setDashPattern(d);
        }
    }
    *out = p;
    return true;
}

bool DevicePen::DashPath(const GdiPen& pen, const DcMapping& mapping, const GdiPath& path, QPen* qpen, QPainterPath* out)
{
    const int width = DeviceWidth(pen, mapping);
    const double scale = std::hypot(mapping.ToDevice().m11(), mapping.ToDevice().m12());
    std::vector<int> pattern = GeometricDash::Pattern(pen, width, scale);
    if (pattern.empty())
        return false;
    GeometricDash dasher(std::move(pattern));
    QPainterPath dashes;
    if (!dasher.Stroke(path, pen.EndCap(), width, &dashes))
        return false;
    // The platform fills a pixel whose top-left corner lies inside a
    // slanted outline, Qt one whose centre does: all but the last of Qt's
    // 1/64 steps of half a pixel puts slanted dashes where the platform's
    // fall and leaves edges on whole pixels where they are.
    dashes.translate(31.0 / 64, 31.0 / 64);
    *out = std::move(dashes);
    qpen->setStyle(Qt::SolidLine);
    if (pen.EndCap() == PS_ENDCAP_SQUARE)
        qpen->setCapStyle(Qt::FlatCap); // the dashes carry their square ends
    return true;
}
