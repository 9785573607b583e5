// CDC: whole-pixel fills: FillRect, FrameRect, PatBlt and the region fills.
#include "platform/gdi/CDC.h"
#include "platform/gdi/DcRecording.h"

#include "platform/gdi/BltRenderer.h"
#include "platform/gdi/RecordedBounds.h"
#include "platform/gdi/Rop3.h"

#include "platform/gdi/CBrush.h"
#include "platform/gdi/DeviceBrush.h"
#include "platform/gdi/GdiColor.h"

#include <algorithm>
#include <cmath>

namespace {

QRegion logicalRectRegion(const CDC& dc, const QTransform& t, int l, int tp, int r, int b, bool* axis)
{
    (void)dc;
    *axis = t.m12() == 0 && t.m21() == 0;
    const QPointF a = t.map(QPointF(l, tp)), c = t.map(QPointF(r, b));
    auto rnd = [](double v) { return int(std::clamp(std::floor(v + 0.5), -double(1 << 24), double(1 << 24))); };
    const int x0 = rnd(std::min(a.x(), c.x())), x1 = rnd(std::max(a.x(), c.x()));
    const int y0 = rnd(std::min(a.y(), c.y())), y1 = rnd(std::max(a.y(), c.y()));
    if (x0 == x1 || y0 == y1)
        return {};
    return QRegion(x0, y0, x1 - x0, y1 - y0);
}

// The recorder counts a region's bounding box, its last row and column
// included, mapped as logical coordinates are.
bool countRegion(CDC& dc, const QRegion& region)
{
    if (region.isEmpty())
        return RecordedBounds::CountNothing(dc);
    const QRect r = region.boundingRect();
    return RecordedBounds::Count(dc, RecordedBounds::Box{r.left(), r.top(), r.right(), r.bottom()});
}

} // namespace

QRegion CDC::logicalRectToRegion(int l, int t, int r, int b) const
{
    bool axis = true;
    QRegion region = logicalRectRegion(*this, m_state.mapping.ToDevice(), l, t, r, b, &axis);
    if (axis)
        return region;
    QPolygonF poly = m_state.mapping.ToDevice().map(QPolygonF(QRectF(QPointF(l, t), QPointF(r, b))));
    QPolygon device;
    for (const QPointF& p : poly)
        device << QPoint(int(std::clamp(p.x(), -double(1 << 24), double(1 << 24))),
                         int(std::clamp(p.y(), -double(1 << 24), double(1 << 24))));
    return QRegion(device);
}

void CDC::FillRect(const RECT* rect, HBRUSH brush)
{
    if (MetaRecorder* r = Recorder(); r && rect && brush) {
        // The platform records a fill with a given brush as a pattern blit
        // with the brush selected for it.
        r->Select(*this, brush);
        r->Call(*this, EMR_BITBLT, MetaRecorder::Ints({rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, int32_t(PATCOPY)}));
        r->Select(*this, m_state.brush.get());
    }
    if (!rect || !brush || !canDraw() || !m_backend)
        return;
    QBrush qb;
    if (!DeviceBrush::Make(*brush, m_state.bkMode == OPAQUE, m_state.bkColor, &qb, m_state.textColor))
        return;
    const QRegion region = logicalRectToRegion(rect->left, rect->top, rect->right, rect->bottom);
    syncClip();
    DrawAttrs a = attrs();
    a.rop2 = R2_COPYPEN;
    m_backend->FillRegion(region, qb, a);
}

void CDC::FillRect(const RECT* rect, CBrush* brush) { FillRect(rect, brush ? HBRUSH(*brush) : nullptr); }

void CDC::FillSolidRect(const RECT* rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(rect, brush);
    DeleteObject(brush);
}

void CDC::FrameRect(const RECT* rect, HBRUSH brush)
{
    if (!rect || !brush)
        return;
    HRGN outer = CreateRectRgn(0, 0, 0, 0);
    const QRegion r = logicalRectToRegion(rect->left, rect->top, rect->right, rect->bottom);
    const QRect box = r.boundingRect();
    outer->SetRegion(r.subtracted(QRegion(box.adjusted(1, 1, -1, -1))));
    if (!outer->Region().isEmpty() && canDraw() && m_backend) {
        QBrush qb;
        if (DeviceBrush::Make(*brush, m_state.bkMode == OPAQUE, m_state.bkColor, &qb, m_state.textColor)) {
            syncClip();
            DrawAttrs a = attrs();
            a.rop2 = R2_COPYPEN;
            m_backend->FillRegion(outer->Region(), qb, a);
        }
    }
    DeleteObject(outer);
}

void CDC::FrameRect(const RECT* rect, CBrush* brush) { FrameRect(rect, brush ? HBRUSH(*brush) : nullptr); }

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    recordCall(*this, EMR_BITBLT, MetaRecorder::Ints({x, y, width, height, int32_t(rop)}));
    if (!canDraw())
        return FALSE;
    if (!m_backend)
        return TRUE;
    if (RecordedBounds::Count(*this, RecordedBounds::OfTransfer(x, y, width, height)))
        return TRUE;
    int rop2;
    QBrush brush;
    switch (rop) {
    case PATCOPY:
        rop2 = R2_COPYPEN;
        break;
    case PATINVERT:
        rop2 = R2_XORPEN;
        break;
    case DSTINVERT:
        rop2 = R2_NOT;
        brush = QBrush(Qt::black);
        break;
    case BLACKNESS:
        rop2 = R2_BLACK;
        brush = QBrush(Qt::black);
        break;
    case WHITENESS:
        rop2 = R2_WHITE;
        brush = QBrush(Qt::white);
        break;
    default: {
        // Any other operation of pattern and destination, on pixels.
        BltOp op;
        op.table = op.backTable = Rop3::Index(rop);
        if (Rop3::UsesSource(op.table))
            return FALSE; // a pattern transfer has no source
        return blt(x, y, width, height, nullptr, QRectF(), op);
    }
    }
    if (brush.style() == Qt::NoBrush) {
        if (!m_state.brush || !DeviceBrush::Make(*m_state.brush, m_state.bkMode == OPAQUE, m_state.bkColor, &brush, m_state.textColor))
            return TRUE;
    }
    const QRegion region = logicalRectToRegion(x, y, x + width, y + height);
    syncClip();
    DrawAttrs a = attrs();
    a.rop2 = rop2;
    m_backend->FillRegion(region, brush, a);
    return TRUE;
}

BOOL CDC::FillRgn(HRGN region, HBRUSH brush)
{
    if (MetaRecorder* r = Recorder(); r && region && brush) {
        std::vector<RECT> rects;
        for (const QRect& q : region->Region())
            rects.push_back(RECT(q.left(), q.top(), q.left() + q.width(), q.top() + q.height()));
        r->FillRegion(*this, rects, brush);
    }
    if (!region || !brush || !canDraw())
        return FALSE;
    if (!m_backend)
        return TRUE;
    if (countRegion(*this, region->Region()))
        return TRUE;
    QBrush qb;
    if (!DeviceBrush::Make(*brush, m_state.bkMode == OPAQUE, m_state.bkColor, &qb, m_state.textColor))
        return TRUE;
    syncClip();
    m_backend->FillRegion(ToRealDevice(region->Region()), qb, attrs());
    return TRUE;
}

BOOL CDC::PaintRgn(HRGN region) { return FillRgn(region, m_state.brush.get()); }

BOOL CDC::InvertRgn(HRGN region)
{
    if (MetaRecorder* r = Recorder(); r && region) {
        EmrRegion rgn;
        rgn.hasData = true;
        for (const QRect& q : region->Region())
            rgn.rects.push_back(RECT(q.left(), q.top(), q.left() + q.width(), q.top() + q.height()));
        r->Call(*this, EMR_INVERTRGN, rgn);
    }
    if (!region || !canDraw())
        return FALSE;
    if (!m_backend)
        return TRUE;
    if (countRegion(*this, region->Region()))
        return TRUE;
    syncClip();
    DrawAttrs a = attrs();
    a.rop2 = R2_NOT;
    m_backend->FillRegion(ToRealDevice(region->Region()), QBrush(Qt::black), a);
    return TRUE;
}

BOOL CDC::FrameRgn(HRGN region, HBRUSH brush, int width, int height)
{
    if (!region || !brush || width <= 0 || height <= 0)
        return FALSE;
    const QRegion& r = region->Region();
    // The frame's width and height are logical; the region is in device
    // units (before a player's outer transform).
    const QTransform t = m_state.mapping.ToDevice() * m_state.mapping.PlaybackTransform().inverted();
    auto scaled = [](double v) { return int(std::clamp(std::floor(std::fabs(v) + 0.5), 1.0, double(1 << 16))); };
    const int w = scaled(t.m11() * width), h = scaled(t.m22() * height);
    const QRegion inner = r.intersected(r.translated(w, 0))
                              .intersected(r.translated(-w, 0))
                              .intersected(r.translated(0, h))
                              .intersected(r.translated(0, -h));
    GdiRegion frame(r.subtracted(inner));
    return FillRgn(&frame, brush);
}
