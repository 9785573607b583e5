#include "CPaintSurface.h"

#include "platform/gdi/QPainterBackend.h"

#include <QPainter>
#include <cmath>
#include <cstring>

CSurfaceDC::CSurfaceDC(CPaintSurface* surface)
    : CDC(std::make_unique<QPainterBackend>(&surface->Back())), m_surface(surface)
{
    // The thread works in the view's logical pixels; the device is the
    // screen's pixels.
    const qreal ratio = surface->DevicePixelRatio();
    if (ratio != 1.0)
        SetPlaybackTransform(QTransform::fromScale(ratio, ratio));
}

CPaintSurface::CPaintSurface() = default;
CPaintSurface::~CPaintSurface() = default;

bool CPaintSurface::Resize(const QSize& logical, qreal ratio)
{
    const QSize size = logical.expandedTo(QSize(0, 0));
    if (ratio <= 0)
        ratio = 1.0;
    if (size == m_logical && ratio == m_ratio && !m_back.isNull())
        return false;
    const QSize device(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio)));
    QImage back(device.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    back.fill(m_background);
    if (!m_back.isNull() && ratio == m_ratio) {
        QPainter p(&back);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, m_back);
    }
    m_back = back;
    m_logical = size;
    m_ratio = ratio;
    std::lock_guard<std::mutex> guard(m_frontLock);
    m_front = m_back.copy();
    m_front.setDevicePixelRatio(ratio);
    return true;
}

bool CPaintSurface::Scroll(int dx, int dy)
{
    const double ddx = dx * m_ratio, ddy = dy * m_ratio;
    if (ddx != std::floor(ddx) || ddy != std::floor(ddy))
        return false;
    const int w = m_back.width(), h = m_back.height();
    const int sx = int(ddx), sy = int(ddy);
    if (std::abs(sx) < w && std::abs(sy) < h) {
        // Rows move in the order that never reads a row already overwritten.
        const int rows = h - std::abs(sy);
        const int cols = w - std::abs(sx);
        const int srcX = sx < 0 ? -sx : 0, dstX = sx > 0 ? sx : 0;
        for (int i = 0; i < rows; ++i) {
            const int r = sy > 0 ? rows - 1 - i : i;
            const int src = sy < 0 ? r - sy : r;
            const int dst = sy > 0 ? r + sy : r;
            std::memmove(m_back.scanLine(dst) + dstX * 4, m_back.constScanLine(src) + srcX * 4, size_t(cols) * 4);
        }
    }
    std::lock_guard<std::mutex> guard(m_frontLock);
    m_front = m_back.copy();
    m_front.setDevicePixelRatio(m_ratio);
    return true;
}

std::unique_ptr<CSurfaceDC> CPaintSurface::CreateDC()
{
    if (m_back.isNull())
        return nullptr;
    return std::make_unique<CSurfaceDC>(this);
}

void CPaintSurface::SetPublishArea(const QRect& device)
{
    m_publishArea = device.intersected(m_back.rect());
    // A painting that ends within one interval is shown whole, without the
    // cleared background flashing first.
    m_lastPublish = std::chrono::steady_clock::now();
}

void CPaintSurface::Publish(bool force, std::chrono::milliseconds interval)
{
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - m_lastPublish < interval)
        return;
    m_lastPublish = now;
    const QRect area = m_publishArea;
    if (area.isEmpty())
        return;
    {
        std::lock_guard<std::mutex> guard(m_frontLock);
        if (m_front.size() != m_back.size())
            return;
        const size_t bytes = size_t(area.width()) * 4;
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::memcpy(m_front.scanLine(y) + area.left() * 4, m_back.constScanLine(y) + area.left() * 4, bytes);
    }
    if (m_present) {
        const QRectF logical(area.x() / m_ratio, area.y() / m_ratio, area.width() / m_ratio, area.height() / m_ratio);
        m_present(logical.toAlignedRect());
    }
}

void CPaintSurface::Present(QPainter& painter, const QRegion& region) const
{
    std::lock_guard<std::mutex> guard(m_frontLock);
    if (m_front.isNull())
        return;
    painter.save();
    painter.setClipRegion(region);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), m_front);
    painter.restore();
}

QImage CPaintSurface::Front() const
{
    std::lock_guard<std::mutex> guard(m_frontLock);
    return m_front.copy();
}
