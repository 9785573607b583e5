#include "CPaintSurface.h"

#include "platform/gdi/QPainterBackend.h"
#include "platform/memory/PagePrefault.h"

#include <QPaintEngine>
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

namespace {

// A new image of size that keeps old's pixels at the top left (same ratio)
// and shows background elsewhere: rows are copied, nothing is painted.
QImage resized(const QImage& old, const QSize& size, const QColor& background, bool keep)
{
    QImage image(size, QImage::Format_RGB32);
    PagePrefault::Writable(image.constBits(), size_t(image.sizeInBytes()));
    const QRgb fill = background.rgb();
    const int keepW = keep ? std::min(old.width(), size.width()) : 0;
    const int keepH = keep ? std::min(old.height(), size.height()) : 0;
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        int x = 0;
        if (y < keepH) {
            std::memcpy(row, old.constScanLine(y), size_t(keepW) * 4);
            x = keepW;
        }
        std::fill(row + x, row + size.width(), fill);
    }
    return image;
}

} // namespace

bool CPaintSurface::Resize(const QSize& logical, qreal ratio)
{
    const QSize size = logical.expandedTo(QSize(0, 0));
    if (ratio <= 0)
        ratio = 1.0;
    if (size == m_logical && ratio == m_ratio && !m_back.isNull())
        return false;
    const QSize device =
        QSize(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio))).expandedTo(QSize(1, 1));
    const bool keep = !m_back.isNull() && ratio == m_ratio;
    m_back = resized(m_back, device, m_background, keep);
    m_logical = size;
    m_ratio = ratio;
    std::lock_guard<std::mutex> guard(m_frontLock);
    // The window keeps showing what it showed until the new painting
    // publishes.
    m_front = resized(m_front, device, m_background, keep);
    m_front.setDevicePixelRatio(ratio);
    return true;
}

namespace {

// Moves an image's pixels by (sx, sy) device pixels in place; rows move in
// the order that never reads a row already overwritten.
void scrollInPlace(QImage& image, int sx, int sy)
{
    const int w = image.width(), h = image.height();
    if (std::abs(sx) >= w || std::abs(sy) >= h)
        return;
    const int rows = h - std::abs(sy), cols = w - std::abs(sx);
    const int srcX = sx < 0 ? -sx : 0, dstX = sx > 0 ? sx : 0;
    const int bpp = image.depth() / 8;
    for (int i = 0; i < rows; ++i) {
        const int r = sy > 0 ? rows - 1 - i : i;
        const int src = sy < 0 ? r - sy : r;
        const int dst = sy > 0 ? r + sy : r;
        std::memmove(image.scanLine(dst) + dstX * bpp, image.constScanLine(src) + srcX * bpp, size_t(cols) * bpp);
    }
}

} // namespace

bool CPaintSurface::Scroll(int dx, int dy)
{
    const double ddx = dx * m_ratio, ddy = dy * m_ratio;
    if (ddx != std::floor(ddx) || ddy != std::floor(ddy))
        return false;
    scrollInPlace(m_back, int(ddx), int(ddy));
    std::lock_guard<std::mutex> guard(m_frontLock);
    scrollInPlace(m_front, int(ddx), int(ddy));
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
    // A painting that ends within the first interval is shown whole,
    // without the cleared background flashing first.
    m_lastPublish = std::chrono::steady_clock::now() - (PublishInterval - FirstPublish);
}

void CPaintSurface::Publish(bool force)
{
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - m_lastPublish < PublishInterval)
        return;
    m_lastPublish = now;
    const QRect area = m_publishArea;
    if (area.isEmpty())
        return;
    QRect changed;
    {
        std::lock_guard<std::mutex> guard(m_frontLock);
        if (m_front.size() != m_back.size())
            return;
        // Only rows that differ reach the window: a repaint that redraws
        // pixels as they were (a raster view repaints its whole update area
        // after a scroll) presents just the part that changed.
        const size_t bytes = size_t(area.width()) * 4;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            uchar* front = m_front.scanLine(y) + area.left() * 4;
            const uchar* back = m_back.constScanLine(y) + area.left() * 4;
            if (std::memcmp(front, back, bytes) == 0)
                continue;
            std::memcpy(front, back, bytes);
            changed |= QRect(area.left(), y, area.width(), 1);
        }
        m_presentedPixels += qint64(changed.width()) * changed.height();
    }
    ++m_publications;
    if (m_present && !changed.isEmpty()) {
        const QRectF logical(changed.x() / m_ratio, changed.y() / m_ratio, changed.width() / m_ratio,
                             changed.height() / m_ratio);
        m_present(logical.toAlignedRect());
    }
}

void CPaintSurface::Present(QPainter& painter, const QRegion& region) const
{
    std::lock_guard<std::mutex> guard(m_frontLock);
    if (m_front.isNull())
        return;
    // Qt allocates the window's backing store anew whenever the window
    // grows, and this view is the first to write most of it (opaque widgets
    // are left out of their parents' background): fault its pages in at
    // once rather than one trap per page under the drawing.
    const QPaintDevice* target = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
    if (target && target->devType() == QInternal::Image) {
        const auto* image = static_cast<const QImage*>(target);
        // The serial number (cacheKey's high half) is new for every image
        // Qt creates; the low half counts writes.
        const qint64 serial = image->cacheKey() >> 32;
        if (serial != m_prefaultedSerial) {
            PagePrefault::Writable(image->constBits(), size_t(image->sizeInBytes()));
            m_prefaultedSerial = serial;
        }
    }
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
