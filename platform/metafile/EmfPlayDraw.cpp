// Player entries: drawing records.
#include "platform/gdi/CDC.h"
#include "platform/metafile/EmfPlayOps.h"
#include "platform/metafile/EmfPlayback.h"

#include <climits>

namespace emfplay {
namespace {

const EmrInts& ints(const EmrPayload& r) { return std::get<EmrInts>(r); }
const EmrPoly& poly(const EmrPayload& r) { return std::get<EmrPoly>(r); }

// Counts as the platform's calls take them (int), refusing any that does
// not fit.
int count(size_t n) { return n > size_t(INT_MAX) ? -1 : int(n); }

} // namespace

bool playPolyBezier(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& p = poly(r);
    ctx.dc->PolyBezier(p.points.data(), count(p.points.size()));
    return true;
}

bool playPolygon(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& p = poly(r);
    ctx.dc->Polygon(p.points.data(), count(p.points.size()));
    return true;
}

bool playPolyline(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& p = poly(r);
    ctx.dc->Polyline(p.points.data(), count(p.points.size()));
    return true;
}

bool playPolyBezierTo(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& p = poly(r);
    ctx.dc->PolyBezierTo(p.points.data(), count(p.points.size()));
    return true;
}

bool playPolylineTo(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& p = poly(r);
    ctx.dc->PolylineTo(p.points.data(), count(p.points.size()));
    return true;
}

bool playPolyPolyline(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& p = std::get<EmrPolyPoly>(r);
    if (p.counts.empty())
        return true;
    ctx.dc->PolyPolyline(p.points.data(), p.counts.data(), count(p.counts.size()));
    return true;
}

bool playPolyPolygon(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& p = std::get<EmrPolyPoly>(r);
    if (p.counts.empty())
        return true;
    std::vector<INT> counts;
    counts.reserve(p.counts.size());
    for (DWORD c : p.counts) {
        if (c > DWORD(INT_MAX))
            return true;
        counts.push_back(INT(c));
    }
    ctx.dc->PolyPolygon(p.points.data(), counts.data(), count(counts.size()));
    return true;
}

bool playPolyDraw(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& p = std::get<EmrPolyDraw>(r);
    ctx.dc->PolyDraw(p.points.data(), p.types.data(), count(p.points.size()));
    return true;
}

bool playSetPixel(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = ints(r);
    ctx.dc->SetPixelV(i.v[0], i.v[1], i.u(2));
    return true;
}

bool playMoveTo(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->MoveTo(ints(r).v[0], ints(r).v[1]);
    return true;
}

bool playLineTo(EmfPlayContext& ctx, const EmrPayload& r)
{
    ctx.dc->LineTo(ints(r).v[0], ints(r).v[1]);
    return true;
}

bool playAngleArc(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& a = std::get<EmrAngleArc>(r);
    if (a.radius > DWORD(INT_MAX))
        return true;
    ctx.dc->AngleArc(a.center.x, a.center.y, int(a.radius), a.start, a.sweep);
    return true;
}

bool playEllipse(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = ints(r);
    ctx.dc->Ellipse(i.v[0], i.v[1], i.v[2], i.v[3]);
    return true;
}

bool playRectangle(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = ints(r);
    ctx.dc->Rectangle(i.v[0], i.v[1], i.v[2], i.v[3]);
    return true;
}

bool playRoundRect(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = ints(r);
    ctx.dc->RoundRect(i.v[0], i.v[1], i.v[2], i.v[3], i.v[4], i.v[5]);
    return true;
}

bool playArc(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = ints(r);
    ctx.dc->Arc(i.v[0], i.v[1], i.v[2], i.v[3], i.v[4], i.v[5], i.v[6], i.v[7]);
    return true;
}

bool playArcTo(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = ints(r);
    ctx.dc->ArcTo(i.v[0], i.v[1], i.v[2], i.v[3], i.v[4], i.v[5], i.v[6], i.v[7]);
    return true;
}

bool playChord(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = ints(r);
    ctx.dc->Chord(i.v[0], i.v[1], i.v[2], i.v[3], i.v[4], i.v[5], i.v[6], i.v[7]);
    return true;
}

bool playPie(EmfPlayContext& ctx, const EmrPayload& r)
{
    const auto& i = ints(r);
    ctx.dc->Pie(i.v[0], i.v[1], i.v[2], i.v[3], i.v[4], i.v[5], i.v[6], i.v[7]);
    return true;
}

} // namespace emfplay
