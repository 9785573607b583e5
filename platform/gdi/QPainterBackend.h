#pragma once
// The backend for any QPaintDevice: images, printers, PDF writers, SVG
// generators. Raster devices draw aliased, as the platform does, and apply
// the sixteen binary raster operations exactly; vector devices draw what a
// raster operation means where it has a meaning without the destination.
#include "platform/gdi/DcBackend.h"

#include <QPainter>
#include <optional>

class QPaintDevice;

class QPainterBackend : public DcBackend {
public:
    // The device must outlive the backend (or its Flush).
    explicit QPainterBackend(QPaintDevice* device);
    ~QPainterBackend() override;

    int GetDeviceCaps(int index) const override;
    bool IsRaster() const override { return m_raster; }
    void SetClip(const QRegion* clip) override;
    void FillPath(const QPainterPath& path, const QBrush& brush, const DrawAttrs& attrs) override;
    bool DrawGlyphs(const QGlyphRun& run, double stretch, const QColor& color, bool smooth,
                    const DrawAttrs& attrs) override;
    void StrokePath(const QPainterPath& path, const QPen& pen, const DrawAttrs& attrs) override;
    void FillRegion(const QRegion& region, const QBrush& brush, const DrawAttrs& attrs) override;
    void DrawImage(const QRectF& target, const QImage& image, const QRectF& source, bool smooth) override;
    bool ReadPixels(const QRect& rect, QImage* out) override;
    void DrawImageTransformed(const QTransform& imageToDevice, const QImage& image, bool smooth) override;
    void Flush() override;
    // Starts painting on the device now rather than at the first drawing
    // (a printer's job opens here); false when the device refuses.
    bool Begin() { return begin(); }

private:
    bool begin();
    // Applies the raster operation: false when nothing is to be drawn.
    bool applyRop(int rop2, QColor* color);

    QPaintDevice* m_device;
    QPainter m_painter;
    bool m_raster;
    std::optional<QRegion> m_clip;
};
