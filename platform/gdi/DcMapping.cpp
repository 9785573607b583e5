#include "platform/gdi/DcMapping.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long p = (long long)a * b;
    // Rounds halves away from zero, as the platform's MulDiv.
    long long q = (p >= 0) == (c > 0) ? (std::llabs(p) + std::llabs(c) / 2) / std::llabs(c)
                                      : -((std::llabs(p) + std::llabs(c) / 2) / std::llabs(c));
    return int(std::clamp<long long>(q, INT32_MIN, INT32_MAX));
}

int clampInt(long long v) { return int(std::clamp<long long>(v, -INT32_MAX, INT32_MAX)); }

bool finite(const QTransform& t)
{
    return std::isfinite(t.m11()) && std::isfinite(t.m12()) && std::isfinite(t.m21()) &&
           std::isfinite(t.m22()) && std::isfinite(t.dx()) && std::isfinite(t.dy());
}

} // namespace

void DcMapping::SetMetrics(const Metrics& m)
{
    m_metrics = m;
    if (m_metrics.horzSizeMM <= 0) m_metrics.horzSizeMM = 1;
    if (m_metrics.vertSizeMM <= 0) m_metrics.vertSizeMM = 1;
    if (m_metrics.horzRes <= 0) m_metrics.horzRes = 1;
    if (m_metrics.vertRes <= 0) m_metrics.vertRes = 1;
}

int DcMapping::SetMapMode(int mode)
{
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    const int prev = m_mapMode;
    if (mode == m_mapMode && (mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC))
        return prev; // keeps the extents the program set
    const Metrics& m = m_metrics;
    const SIZE vp(m.horzRes, -m.vertRes);
    switch (mode) {
    case MM_TEXT:
        m_wndExt = SIZE(1, 1);
        m_vpExt = SIZE(1, 1);
        break;
    case MM_LOMETRIC:
    case MM_ISOTROPIC: // starts from the low-metric extents
        m_wndExt = SIZE(clampInt(m.horzSizeMM * 10LL), clampInt(m.vertSizeMM * 10LL));
        m_vpExt = vp;
        break;
    case MM_HIMETRIC:
        m_wndExt = SIZE(clampInt(m.horzSizeMM * 100LL), clampInt(m.vertSizeMM * 100LL));
        m_vpExt = vp;
        break;
    case MM_LOENGLISH:
        m_wndExt = SIZE(mulDiv(1000, m.horzSizeMM, 254), mulDiv(1000, m.vertSizeMM, 254));
        m_vpExt = vp;
        break;
    case MM_HIENGLISH:
        m_wndExt = SIZE(mulDiv(10000, m.horzSizeMM, 254), mulDiv(10000, m.vertSizeMM, 254));
        m_vpExt = vp;
        break;
    case MM_TWIPS:
        m_wndExt = SIZE(mulDiv(14400, m.horzSizeMM, 254), mulDiv(14400, m.vertSizeMM, 254));
        m_vpExt = vp;
        break;
    case MM_ANISOTROPIC:
        break;
    }
    if (m_wndExt.cx == 0) m_wndExt.cx = 1;
    if (m_wndExt.cy == 0) m_wndExt.cy = 1;
    m_mapMode = mode;
    update();
    return prev;
}

int DcMapping::SetGraphicsMode(int mode)
{
    if (mode != GM_COMPATIBLE && mode != GM_ADVANCED)
        return 0;
    // Back to compatible mode only with an identity world transform.
    if (mode == GM_COMPATIBLE && !m_world.isIdentity())
        return 0;
    const int prev = m_graphicsMode;
    m_graphicsMode = mode;
    update();
    return prev;
}

void DcMapping::SetWindowOrg(POINT p)
{
    m_wndOrg = p;
    update();
}

void DcMapping::SetViewportOrg(POINT p)
{
    m_vpOrg = p;
    update();
}

bool DcMapping::SetWindowExt(SIZE s)
{
    if (m_mapMode != MM_ISOTROPIC && m_mapMode != MM_ANISOTROPIC)
        return true; // accepted and ignored by the fixed modes
    if (s.cx == 0 || s.cy == 0)
        return false;
    m_wndExt = s;
    if (m_mapMode == MM_ISOTROPIC)
        fixIsotropic();
    update();
    return true;
}

bool DcMapping::SetViewportExt(SIZE s)
{
    if (m_mapMode != MM_ISOTROPIC && m_mapMode != MM_ANISOTROPIC)
        return true;
    if (s.cx == 0 || s.cy == 0)
        return false;
    m_vpExt = s;
    if (m_mapMode == MM_ISOTROPIC)
        fixIsotropic();
    update();
    return true;
}

bool DcMapping::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    if (m_mapMode != MM_ISOTROPIC && m_mapMode != MM_ANISOTROPIC)
        return true;
    if (!xNum || !xDenom || !yNum || !yDenom)
        return false;
    return SetWindowExt(SIZE(mulDiv(m_wndExt.cx, xNum, xDenom), mulDiv(m_wndExt.cy, yNum, yDenom)));
}

bool DcMapping::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    if (m_mapMode != MM_ISOTROPIC && m_mapMode != MM_ANISOTROPIC)
        return true;
    if (!xNum || !xDenom || !yNum || !yDenom)
        return false;
    return SetViewportExt(SIZE(mulDiv(m_vpExt.cx, xNum, xDenom), mulDiv(m_vpExt.cy, yNum, yDenom)));
}

void DcMapping::fixIsotropic()
{
    // One logical unit covers the same physical distance on both axes: the
    // larger viewport extent shrinks, keeping its sign and at least one unit.
    const Metrics& m = m_metrics;
    const double xdim = std::fabs(double(m_vpExt.cx) * m.horzSizeMM / (double(m.horzRes) * m_wndExt.cx));
    const double ydim = std::fabs(double(m_vpExt.cy) * m.vertSizeMM / (double(m.vertRes) * m_wndExt.cy));
    if (xdim > ydim) {
        const int minimum = m_vpExt.cx >= 0 ? 1 : -1;
        m_vpExt.cx = int(std::floor(m_vpExt.cx * ydim / xdim + 0.5));
        if (!m_vpExt.cx) m_vpExt.cx = minimum;
    } else {
        const int minimum = m_vpExt.cy >= 0 ? 1 : -1;
        m_vpExt.cy = int(std::floor(m_vpExt.cy * xdim / ydim + 0.5));
        if (!m_vpExt.cy) m_vpExt.cy = minimum;
    }
}

XFORM DcMapping::GetWorldTransform() const { return ToXForm(m_world); }

bool DcMapping::SetWorldTransform(const XFORM& x)
{
    if (m_graphicsMode != GM_ADVANCED)
        return false;
    const QTransform t = ToQTransform(x);
    if (!finite(t) || t.determinant() == 0)
        return false;
    m_world = t;
    update();
    return true;
}

bool DcMapping::ModifyWorldTransform(const XFORM* x, DWORD mode)
{
    if (m_graphicsMode != GM_ADVANCED)
        return false;
    QTransform t;
    switch (mode) {
    case MWT_IDENTITY:
        break;
    case MWT_LEFTMULTIPLY:
        if (!x) return false;
        t = ToQTransform(*x) * m_world;
        break;
    case MWT_RIGHTMULTIPLY:
        if (!x) return false;
        t = m_world * ToQTransform(*x);
        break;
    case MWT_SET:
        if (!x) return false;
        t = ToQTransform(*x);
        break;
    default:
        return false;
    }
    if (!finite(t) || (mode != MWT_IDENTITY && t.determinant() == 0))
        return false;
    m_world = t;
    update();
    return true;
}

void DcMapping::SetPlaybackTransform(const QTransform& t)
{
    m_playback = t;
    update();
}

QTransform DcMapping::PageTransform() const
{
    const double sx = double(m_vpExt.cx) / m_wndExt.cx;
    const double sy = double(m_vpExt.cy) / m_wndExt.cy;
    return QTransform(sx, 0, 0, sy, m_vpOrg.x - sx * m_wndOrg.x, m_vpOrg.y - sy * m_wndOrg.y);
}

void DcMapping::update()
{
    const QTransform world = m_graphicsMode == GM_ADVANCED ? m_world : QTransform();
    m_toDevice = world * PageTransform() * m_playback;
    m_toLogical = m_toDevice.inverted(&m_invertible);
    if (!finite(m_toDevice) || !finite(m_toLogical))
        m_invertible = false;
    m_axisAligned = m_toDevice.m12() == 0 && m_toDevice.m21() == 0;
}

QTransform DcMapping::ToQTransform(const XFORM& x)
{
    return QTransform(x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy);
}

XFORM DcMapping::ToXForm(const QTransform& t)
{
    return XFORM{float(t.m11()), float(t.m12()), float(t.m21()), float(t.m22()), float(t.dx()), float(t.dy())};
}
