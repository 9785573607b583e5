#pragma once
// The client area a painting thread draws on: an off-screen image the size
// of the view's client area at the screen's device pixel ratio. The thread
// draws on the back image through a device context in the view's logical
// pixels (scaled to device pixels, so HiDPI output is crisp) and publishes
// what it has drawn so far; the user-interface thread presents the
// published front image and never waits for a record to finish.
//
// Threads: Resize, Scroll and Clear are for the user-interface thread while
// no painting thread runs; CreateDC, SetPublishArea and Publish are for the
// painting thread; Present may run at any time.
#include "platform/gdi/CDC.h"

#include <QColor>
#include <QImage>
#include <QRegion>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

class CPaintSurface;

// The client-area device context of a painting thread.
class CSurfaceDC : public CDC {
public:
    explicit CSurfaceDC(CPaintSurface* surface);
    CPaintSurface* Surface() const { return m_surface; }

private:
    CPaintSurface* m_surface;
};

class CPaintSurface {
public:
    // Called on the painting thread after each publication, with the
    // published area in logical pixels.
    using PresentRequest = std::function<void(const QRect& logical)>;

    CPaintSurface();
    ~CPaintSurface();

    // A new size or ratio keeps what was drawn at the top left; the rest
    // shows background. False when nothing changed.
    bool Resize(const QSize& logical, qreal devicePixelRatio);
    void SetBackground(const QColor& color) { m_background = color; }
    QColor Background() const { return m_background; }
    void SetPresentRequest(PresentRequest request) { m_present = std::move(request); }
    // Moves the pixels by (dx, dy) logical pixels; false when the ratio
    // makes that no whole number of device pixels (then redraw it all).
    bool Scroll(int dx, int dy);
    QSize LogicalSize() const { return m_logical; }
    qreal DevicePixelRatio() const { return m_ratio; }

    // A device context on the back image; logical pixels of the client area.
    std::unique_ptr<CSurfaceDC> CreateDC();
    // The device-pixel area the running painting may change.
    void SetPublishArea(const QRect& device);
    // How soon a painting shows its first pixels, and how often after that.
    static constexpr std::chrono::milliseconds FirstPublish{25};
    static constexpr std::chrono::milliseconds PublishInterval{40};
    // Publishes the changed rows of the back image's publish area to the
    // front image when the interval has passed (always with force), then
    // asks for a presentation of them.
    void Publish(bool force);
    // Publications so far, and the device pixels they presented (measures).
    int Publications() const { return m_publications.load(); }
    qint64 PresentedPixels() const { return m_presentedPixels.load(); }
    // Draws the published image into region (logical pixels) of painter.
    void Present(QPainter& painter, const QRegion& region) const;

    // The published image (tests).
    QImage Front() const;
    QImage& Back() { return m_back; }

private:
    QSize m_logical;
    qreal m_ratio = 1.0;
    QColor m_background = Qt::white;
    QImage m_back;
    QImage m_front;
    mutable std::mutex m_frontLock;
    // The window image Present last faulted in (its serial number).
    mutable qint64 m_prefaultedSerial = -1;
    QRect m_publishArea;
    std::chrono::steady_clock::time_point m_lastPublish;
    PresentRequest m_present;
    std::atomic<int> m_publications{0};
    std::atomic<qint64> m_presentedPixels{0};
};
