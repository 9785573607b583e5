// Flood fills: they need the device's pixels, so only raster devices fill;
// elsewhere the call fails as it does on the platform's vector devices.
#include "platform/gdi/CDC.h"

#include "platform/gdi/DeviceBrush.h"
#include "platform/gdi/GdiColor.h"

#include <vector>

BOOL CDC::ExtFloodFill(int x, int y, COLORREF color, UINT type)
{
    if (!canDraw() || (type != FLOODFILLBORDER && type != FLOODFILLSURFACE))
        return FALSE;
    if (!m_backend || !m_backend->IsRaster())
        return FALSE;
    POINT p(x, y);
    LPtoDP(&p);
    const auto eff = EffectiveClip();
    const QRect area = eff ? eff->boundingRect().intersected(deviceBounds()) : deviceBounds();
    if (!area.contains(QPoint(p.x, p.y)) || (eff && !eff->contains(QPoint(p.x, p.y))))
        return FALSE;
    QImage pixels;
    if (!m_backend->ReadPixels(area, &pixels) || pixels.size() != area.size())
        return FALSE;
    const QRgb target = toQColor(color).rgb() & 0xffffff;
    const int w = area.width(), h = area.height();
    auto fillable = [&](int px, int py) {
        const QRgb c = reinterpret_cast<const QRgb*>(pixels.constScanLine(py))[px] & 0xffffff;
        return type == FLOODFILLSURFACE ? c == target : c != target;
    };
    const int sx = p.x - area.left(), sy = p.y - area.top();
    if (!fillable(sx, sy))
        return FALSE;
    // Scanline flood: each span is filled once, its neighbours' spans queued.
    std::vector<uint8_t> done(size_t(w) * size_t(h), 0);
    std::vector<QPoint> stack{QPoint(sx, sy)};
    std::vector<QRect> spans;
    while (!stack.empty()) {
        if (spans.size() % 4096 == 0 && !canDraw())
            return FALSE;
        const QPoint s = stack.back();
        stack.pop_back();
        if (done[size_t(s.y()) * size_t(w) + size_t(s.x())] || !fillable(s.x(), s.y()))
            continue;
        int l = s.x(), r = s.x();
        while (l > 0 && !done[size_t(s.y()) * size_t(w) + size_t(l - 1)] && fillable(l - 1, s.y()))
            --l;
        while (r + 1 < w && !done[size_t(s.y()) * size_t(w) + size_t(r + 1)] && fillable(r + 1, s.y()))
            ++r;
        for (int i = l; i <= r; ++i)
            done[size_t(s.y()) * size_t(w) + size_t(i)] = 1;
        spans.push_back(QRect(l + area.left(), s.y() + area.top(), r - l + 1, 1));
        for (int ny : {s.y() - 1, s.y() + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            for (int i = l; i <= r; ++i)
                if (!done[size_t(ny) * size_t(w) + size_t(i)] && fillable(i, ny) &&
                    (i == l || !fillable(i - 1, ny)))
                    stack.push_back(QPoint(i, ny));
        }
    }
    QBrush brush;
    if (!m_state.brush ||
        !DeviceBrush::Make(*m_state.brush, m_state.bkMode == OPAQUE, m_state.bkColor, &brush, m_state.textColor))
        return TRUE;
    QRegion region;
    region.setRects(spans.data(), int(spans.size()));
    syncClip();
    m_backend->FillRegion(region, brush, attrs());
    return TRUE;
}
