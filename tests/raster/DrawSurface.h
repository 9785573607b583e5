#pragma once
// Device contexts for the stretch-drawing tests: one drawing on an image
// through the QPainter backend, one recording what reaches the device.
#include "platform/gdi/CDC.h"
#include "platform/gdi/QPainterBackend.h"

#include <memory>
#include <vector>

// An image surface; the device context is released before the image.
struct DrawSurface {
    QImage image;
    std::unique_ptr<CDC> dc;

    DrawSurface(int width, int height, QRgb background = qRgb(128, 0, 128))
        : image(width, height, QImage::Format_RGB32)
    {
        image.fill(background);
        dc = std::make_unique<CDC>(std::make_unique<QPainterBackend>(&image));
    }
    // The pixels, with all drawing done.
    const QImage& Pixels()
    {
        dc->Flush();
        return image;
    }
};

struct ImageCall {
    QRectF target;
    QSize imageSize;
    QRectF source;
    bool smooth = false;
};

// Records the image calls and nothing else.
class ImageRecorder : public DcBackend {
public:
    ImageRecorder(int width, int height) : m_width(width), m_height(height) {}
    std::vector<ImageCall>* calls = nullptr;

    int GetDeviceCaps(int index) const override
    {
        switch (index) {
        case HORZRES: return m_width;
        case VERTRES: return m_height;
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        default: return 0;
        }
    }
    bool IsRaster() const override { return true; }
    void SetClip(const QRegion*) override {}
    void FillPath(const QPainterPath&, const QBrush&, const DrawAttrs&) override {}
    void StrokePath(const QPainterPath&, const QPen&, const DrawAttrs&) override {}
    void FillRegion(const QRegion&, const QBrush&, const DrawAttrs&) override {}
    void DrawImage(const QRectF& target, const QImage& image, const QRectF& source, bool smooth) override
    {
        calls->push_back({target, image.size(), source, smooth});
    }

private:
    int m_width, m_height;
};

// The mapping the painting thread sets up: the image frame (0, 0, w, h)
// onto a destination of destWidth x destHeight device pixels whose top-left
// corner is at origin.
inline void MapImageFrame(CDC& dc, QSize image, int destWidth, int destHeight, CPoint origin = {})
{
    dc.SetViewportOrg(origin.x, origin.y);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(0, 0);
    dc.SetWindowExt(image.width(), image.height());
    dc.SetViewportExt(destWidth, destHeight);
}
