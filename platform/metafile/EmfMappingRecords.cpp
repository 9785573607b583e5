#include "platform/metafile/EmfMappingRecords.h"

#include "platform/metafile/EmfRecordBuilder.h"
#include "platform/metafile/EmfRecordTypes.h"

#include <algorithm>
#include <cmath>

namespace {

// Extents stay below this so that a reader multiplying the two window
// extents (to learn whether the page is mirrored) does not overflow 32 bits.
constexpr double ExtentLimit = 30000.0;

int32_t roundClamped(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int32_t(std::clamp(std::floor(v + 0.5), -2147483647.0, 2147483647.0));
}

std::vector<uint8_t> pair(uint32_t type, int32_t a, int32_t b)
{
    EmfRecordBuilder r(type);
    r.I32(a).I32(b);
    return r.Finish();
}

std::vector<uint8_t> world(const QTransform& t)
{
    const XFORM x = DcMapping::ToXForm(t);
    EmfRecordBuilder b(EMR_SETWORLDTRANSFORM);
    b.F32(x.eM11).F32(x.eM12).F32(x.eM21).F32(x.eM22).F32(x.eDx).F32(x.eDy);
    return b.Finish();
}

} // namespace

EmfMappingRecords::Extents EmfMappingRecords::Scaled(int32_t window, double viewport)
{
    Extents e;
    if (window == 0 || !std::isfinite(viewport) || viewport == 0)
        return e;
    // A viewport that is already whole keeps the window as it was.
    if (std::fabs(viewport - std::round(viewport)) < 1e-9 && std::fabs(viewport) <= 2147483647.0) {
        e.window = window;
        e.viewport = int32_t(std::lround(viewport));
        return e;
    }
    const double largest = std::max(std::fabs(double(window)), std::fabs(viewport));
    const double factor = ExtentLimit / largest;
    if (factor >= 1) {
        const double k = std::floor(factor);
        e.window = int32_t(window * k);
        e.viewport = roundClamped(viewport * k);
    } else {
        e.window = roundClamped(window * factor);
        e.viewport = roundClamped(viewport * factor);
    }
    if (e.window == 0)
        e.window = window > 0 ? 1 : -1;
    if (e.viewport == 0)
        e.viewport = viewport > 0 ? 1 : -1;
    return e;
}

std::vector<std::vector<uint8_t>> EmfMappingRecords::For(const DcMapping& mapping)
{
    std::vector<std::vector<uint8_t>> out;
    const QTransform& outer = mapping.PlaybackTransform();
    const QTransform ownWorld =
        mapping.GetGraphicsMode() == GM_ADVANCED ? DcMapping::ToQTransform(mapping.GetWorldTransform()) : QTransform();
    const bool parallel = outer.m12() == 0 && outer.m21() == 0 && outer.m13() == 0 && outer.m23() == 0 &&
                          outer.m11() != 0 && outer.m22() != 0;
    if (!parallel) {
        // MM_TEXT keeps the origins: they go back to zero explicitly.
        EmfRecordBuilder mode(EMR_SETMAPMODE);
        mode.U32(MM_TEXT);
        out.push_back(mode.Finish());
        out.push_back(pair(EMR_SETWINDOWORGEX, 0, 0));
        out.push_back(pair(EMR_SETVIEWPORTORGEX, 0, 0));
        out.push_back(world(mapping.ToDevice()));
        return out;
    }
    // device = (logical - window origin) * viewport extent / window extent
    // + viewport origin, then outer: the outer scale joins the viewport
    // extent, and the viewport origin goes through the outer transform.
    const SIZE we = mapping.GetWindowExt(), ve = mapping.GetViewportExt();
    const POINT wo = mapping.GetWindowOrg(), vo = mapping.GetViewportOrg();
    const Extents x = Scaled(we.cx, double(ve.cx) * outer.m11());
    const Extents y = Scaled(we.cy, double(ve.cy) * outer.m22());
    EmfRecordBuilder mode(EMR_SETMAPMODE);
    mode.U32(MM_ANISOTROPIC);
    out.push_back(mode.Finish());
    out.push_back(pair(EMR_SETWINDOWEXTEX, x.window, y.window));
    out.push_back(pair(EMR_SETVIEWPORTEXTEX, x.viewport, y.viewport));
    out.push_back(pair(EMR_SETWINDOWORGEX, wo.x, wo.y));
    out.push_back(pair(EMR_SETVIEWPORTORGEX, roundClamped(vo.x * outer.m11() + outer.dx()),
                       roundClamped(vo.y * outer.m22() + outer.dy())));
    out.push_back(world(ownWorld));
    return out;
}
