#include "platform/gdi/CDC.h"
#include "platform/gdi/DcRecording.h"

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPalette.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"

#include <cmath>

CDC::CDC() { init(); }

CDC::CDC(std::unique_ptr<DcBackend> backend) : m_backend(std::move(backend)) { init(); }

CDC::~CDC()
{
    Flush();
    // A memory DC's painter ends before its bitmap may go.
    m_backend.reset();
    if (m_bitmap && m_bitmap->SelectedIn() == this)
        m_bitmap->SetSelectedIn(nullptr);
}

void CDC::init()
{
    m_state.pen = static_cast<GdiPen*>(GetStockObject(BLACK_PEN));
    m_state.brush = static_cast<GdiBrush*>(GetStockObject(WHITE_BRUSH));
    m_state.palette = static_cast<GdiPalette*>(GetStockObject(DEFAULT_PALETTE));
    m_state.font = GetStockFont(SYSTEM_FONT);
    m_state.mapping.SetMetrics(DeviceMetrics());
}

void CDC::Flush()
{
    if (m_backend)
        m_backend->Flush();
}

int CDC::GetDeviceCaps(int index) const
{
    if (m_backend)
        return m_backend->GetDeviceCaps(index);
    // An information context without a device: a 96 dpi screen of 1024 x 768.
    switch (index) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return 1024;
    case VERTRES: return 768;
    case HORZSIZE: return 271;
    case VERTSIZE: return 203;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    default: return 0;
    }
}

DcMapping::Metrics CDC::DeviceMetrics() const
{
    DcMapping::Metrics m;
    m.horzSizeMM = GetDeviceCaps(HORZSIZE);
    m.vertSizeMM = GetDeviceCaps(VERTSIZE);
    m.horzRes = GetDeviceCaps(HORZRES);
    m.vertRes = GetDeviceCaps(VERTRES);
    return m;
}

BOOL CDC::CancelDC()
{
    m_cancel.store(true, std::memory_order_relaxed);
    return TRUE;
}

bool CDC::canDraw() const { return !IsCancelled(); }

// --- state stack -------------------------------------------------------------

int CDC::SaveDC()
{
    // Deep nesting in a hostile metafile must not exhaust memory: the number
    // of saved states and the path points they copy are bounded.
    constexpr size_t MaxLevels = 100000;
    constexpr size_t MaxSavedPathPoints = size_t(1) << 23;
    if (m_saved.size() >= MaxLevels || m_savedPathPoints + m_state.path.Size() > MaxSavedPathPoints)
        return 0;
    m_savedPathPoints += m_state.path.Size();
    m_saved.push_back(m_state);
    recordCall(*this, EMR_SAVEDC);
    return int(m_saved.size());
}

BOOL CDC::RestoreDC(int savedDC)
{
    const int level = int(m_saved.size());
    int target = savedDC < 0 ? level + savedDC + 1 : savedDC;
    if (savedDC == 0 || target < 1 || target > level)
        return FALSE;
    m_state = std::move(m_saved[size_t(target - 1)]);
    m_saved.resize(size_t(target - 1));
    m_savedPathPoints = 0;
    for (const DcState& s : m_saved)
        m_savedPathPoints += s.path.Size();
    clipChanged();
    recordCall(*this, EMR_RESTOREDC, MetaRecorder::Ints({savedDC}));
    return TRUE;
}

void CDC::ReplaceState(DcState state)
{
    m_state = std::move(state);
    clipChanged();
}

// --- mapping -----------------------------------------------------------------

int CDC::SetMapMode(int mode)
{
    m_state.mapping.SetMetrics(m_state.mapping.GetMetrics());
    const int prev = m_state.mapping.SetMapMode(mode);
    recordCall(*this, EMR_SETMAPMODE);
    return prev;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    const CPoint prev = GetWindowOrg();
    m_state.mapping.SetWindowOrg(POINT(x, y));
    recordCall(*this, EMR_SETWINDOWORGEX);
    return prev;
}

CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    const CPoint prev = GetWindowOrg();
    m_state.mapping.SetWindowOrg(POINT(prev.x + dx, prev.y + dy));
    recordCall(*this, EMR_SETWINDOWORGEX);
    return prev;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    const CPoint prev = GetViewportOrg();
    m_state.mapping.SetViewportOrg(POINT(x, y));
    recordCall(*this, EMR_SETVIEWPORTORGEX);
    return prev;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    const CPoint prev = GetViewportOrg();
    m_state.mapping.SetViewportOrg(POINT(prev.x + dx, prev.y + dy));
    recordCall(*this, EMR_SETVIEWPORTORGEX);
    return prev;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    const CSize prev = GetWindowExt();
    if (!m_state.mapping.SetWindowExt(SIZE(cx, cy)))
        return CSize();
    recordCall(*this, EMR_SETWINDOWEXTEX);
    return prev;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    const CSize prev = GetViewportExt();
    if (!m_state.mapping.SetViewportExt(SIZE(cx, cy)))
        return CSize();
    recordCall(*this, EMR_SETVIEWPORTEXTEX);
    return prev;
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    const CSize prev = GetWindowExt();
    if (!m_state.mapping.ScaleWindowExt(xNum, xDenom, yNum, yDenom))
        return CSize();
    recordCall(*this, EMR_SCALEWINDOWEXTEX);
    return prev;
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    const CSize prev = GetViewportExt();
    if (!m_state.mapping.ScaleViewportExt(xNum, xDenom, yNum, yDenom))
        return CSize();
    recordCall(*this, EMR_SCALEVIEWPORTEXTEX);
    return prev;
}

BOOL CDC::GetWorldTransform(XFORM* x) const
{
    if (!x)
        return FALSE;
    *x = m_state.mapping.GetWorldTransform();
    return TRUE;
}

BOOL CDC::SetWorldTransform(const XFORM* x)
{
    if (!x || !m_state.mapping.SetWorldTransform(*x))
        return FALSE;
    recordCall(*this, EMR_SETWORLDTRANSFORM);
    return TRUE;
}

BOOL CDC::ModifyWorldTransform(const XFORM* x, DWORD mode)
{
    if (!m_state.mapping.ModifyWorldTransform(x, mode))
        return FALSE;
    recordCall(*this, EMR_MODIFYWORLDTRANSFORM);
    return TRUE;
}

namespace {

LONG roundToLong(double v)
{
    if (!std::isfinite(v))
        return 0;
    return LONG(std::clamp(std::floor(v + 0.5), double(INT32_MIN), double(INT32_MAX)));
}

} // namespace

void CDC::LPtoDP(POINT* points, int count) const
{
    const QTransform& t = m_state.mapping.ToDevice();
    for (int i = 0; i < count; ++i) {
        const QPointF p = t.map(QPointF(points[i].x, points[i].y));
        points[i] = POINT(roundToLong(p.x()), roundToLong(p.y()));
    }
}

void CDC::DPtoLP(POINT* points, int count) const
{
    if (!m_state.mapping.IsInvertible())
        return;
    const QTransform& t = m_state.mapping.ToLogical();
    for (int i = 0; i < count; ++i) {
        const QPointF p = t.map(QPointF(points[i].x, points[i].y));
        points[i] = POINT(roundToLong(p.x()), roundToLong(p.y()));
    }
}

COLORREF CDC::SetTextColor(COLORREF c)
{
    recordCall(*this, EMR_SETTEXTCOLOR, MetaRecorder::Ints({int32_t(c)}));
    return std::exchange(m_state.textColor, c);
}

COLORREF CDC::SetBkColor(COLORREF c)
{
    recordCall(*this, EMR_SETBKCOLOR, MetaRecorder::Ints({int32_t(c)}));
    return std::exchange(m_state.bkColor, c);
}

int CDC::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    recordCall(*this, EMR_SETBKMODE, MetaRecorder::Ints({mode}));
    return std::exchange(m_state.bkMode, mode);
}

UINT CDC::SetTextAlign(UINT align)
{
    recordCall(*this, EMR_SETTEXTALIGN, MetaRecorder::Ints({int32_t(align)}));
    return std::exchange(m_state.textAlign, align);
}

int CDC::SetROP2(int rop)
{
    if (rop < R2_BLACK || rop > R2_WHITE)
        return 0;
    recordCall(*this, EMR_SETROP2, MetaRecorder::Ints({rop}));
    return std::exchange(m_state.rop2, rop);
}

int CDC::SetPolyFillMode(int mode)
{
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    recordCall(*this, EMR_SETPOLYFILLMODE, MetaRecorder::Ints({mode}));
    return std::exchange(m_state.polyFillMode, mode);
}

int CDC::SetStretchBltMode(int mode)
{
    if (mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    recordCall(*this, EMR_SETSTRETCHBLTMODE, MetaRecorder::Ints({mode}));
    return std::exchange(m_state.stretchBltMode, mode);
}

int CDC::SetArcDirection(int dir)
{
    if (dir != AD_COUNTERCLOCKWISE && dir != AD_CLOCKWISE)
        return 0;
    recordCall(*this, EMR_SETARCDIRECTION, MetaRecorder::Ints({dir}));
    return std::exchange(m_state.arcDirection, dir);
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    recordCall(*this, EMR_SETBRUSHORGEX, MetaRecorder::Ints({x, y}));
    return std::exchange(m_state.brushOrg, POINT(x, y));
}

BOOL CDC::SetMiterLimit(float limit, float* old)
{
    if (!std::isfinite(limit) || limit < 1.0f)
        return FALSE;
    if (old)
        *old = m_state.miterLimit;
    m_state.miterLimit = limit;
    recordCall(*this, EMR_SETMITERLIMIT, EmrMiterLimit{limit});
    return TRUE;
}

int CDC::SetTextCharacterExtra(int extra) { return std::exchange(m_state.textCharExtra, extra); }

BOOL CDC::SetTextJustification(int breakExtra, int breakCount)
{
    recordCall(*this, EMR_SETTEXTJUSTIFICATION, MetaRecorder::Ints({breakExtra, breakCount}));
    m_state.breakExtra = breakExtra;
    m_state.breakCount = breakCount;
    return TRUE;
}

DWORD CDC::SetMapperFlags(DWORD flags)
{
    recordCall(*this, EMR_SETMAPPERFLAGS, MetaRecorder::Ints({int32_t(flags)}));
    return std::exchange(m_state.mapperFlags, flags);
}

DWORD CDC::SetLayout(DWORD layout)
{
    recordCall(*this, EMR_SETLAYOUT, MetaRecorder::Ints({int32_t(layout)}));
    return std::exchange(m_state.layout, layout);
}
