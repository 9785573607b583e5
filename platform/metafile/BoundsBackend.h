#pragma once
// The backend of a recording device context: it draws nothing and keeps
// the device-space bounds of what would have been drawn, clipped, for the
// metafile header, counted as the platform's recorder counts them (see
// RecordedBounds): lines by their points (not the pen's width), text by its
// box (not its glyphs), shapes and bitmaps by their logical rectangle, and
// none of them clipped. Its device is the reference device.
#include "platform/gdi/DcBackend.h"

#include <functional>

class BoundsBackend : public DcBackend {
public:
    struct Device {
        int horzRes = 1024, vertRes = 768, horzSize = 271, vertSize = 203, logPixels = 96, bitsPixel = 32;
    };
    BoundsBackend(Device device, std::function<void(const QRectF&)> sink)
        : m_device(device), m_sink(std::move(sink)) {}

    int GetDeviceCaps(int index) const override;
    bool IsRaster() const override { return true; }
    bool KeepsBoundsOnly() const override { return true; }
    void SetClip(const QRegion* clip) override;
    void FillPath(const QPainterPath& path, const QBrush& brush, const DrawAttrs& attrs) override;
    void StrokePath(const QPainterPath& path, const QPen& pen, const DrawAttrs& attrs) override;
    void FillRegion(const QRegion& region, const QBrush& brush, const DrawAttrs& attrs) override;
    void DrawImage(const QRectF& target, const QImage& image, const QRectF& source, bool smooth) override;
    void DrawImageTransformed(const QTransform& imageToDevice, const QImage& image, bool smooth) override;
    bool ShapeBox(const QRectF& box) override;

private:
    void add(QRectF r);

    Device m_device;
    std::function<void(const QRectF&)> m_sink;
};
