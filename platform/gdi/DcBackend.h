#pragma once
// What a device context draws on. The device context resolves the GDI state
// (mapping, pens, brushes, clipping, paths) into device-space geometry and
// hands it to its backend; the backend only puts pixels (or vector
// primitives) on its device. Geometry is in device units; an aliased fill
// covers the pixels whose integer coordinates lie inside it, as the
// platform's fills do.
//
// Recording a metafile needs the calls rather than their pixels: a
// recording device context hands each call, as the plain record struct the
// metafile reader produces, to its recorder and keeps a bounds-only backend
// here. Text and bitmap primitives join this interface with the text and
// bitmap layer.
#include "platform/gdi/GdiDefs.h"

#include <QBrush>
#include <QColor>
#include <QGlyphRun>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRegion>
#include <QTransform>

// How one primitive combines with the device.
struct DrawAttrs {
    int rop2 = R2_COPYPEN;
    bool opaqueBackground = true; // fills the gaps of hatches and styled lines
    QColor background = Qt::white;
    QPoint brushOrigin;
};

class DcBackend {
public:
    virtual ~DcBackend() = default;

    virtual int GetDeviceCaps(int index) const = 0;
    // True for devices made of pixels that the binary raster operations reach.
    virtual bool IsRaster() const = 0;

    // The clip in device pixels; null: the whole device.
    virtual void SetClip(const QRegion* clip) = 0;

    virtual void FillPath(const QPainterPath& path, const QBrush& brush, const DrawAttrs& attrs) = 0;
    virtual void StrokePath(const QPainterPath& path, const QPen& pen, const DrawAttrs& attrs) = 0;
    // Glyphs the device's font engine rasterizes itself, in black and white
    // or smoothed, the run scaled horizontally by stretch. False when this
    // device cannot: fill the outlines then.
    virtual bool DrawGlyphs(const QGlyphRun& /*run*/, double /*stretch*/, const QColor& /*color*/, bool /*smooth*/,
                            const DrawAttrs& /*attrs*/)
    {
        return false;
    }
    // Whole pixels (PatBlt, FillRect, FillRgn, SetPixel).
    virtual void FillRegion(const QRegion& region, const QBrush& brush, const DrawAttrs& attrs) = 0;
    // target in device pixel edges; smooth: filtered scaling.
    virtual void DrawImage(const QRectF& target, const QImage& image, const QRectF& source, bool smooth) = 0;

    // Bitmap transfers. The device's pixels of rect as ARGB32, for raster
    // operations that read the destination; false on devices without
    // pixels (printers, PDF, SVG).
    virtual bool ReadPixels(const QRect& rect, QImage* out)
    {
        (void)rect, (void)out;
        return false;
    }
    // image through imageToDevice (rotated or sheared transfers, PlgBlt).
    virtual void DrawImageTransformed(const QTransform& imageToDevice, const QImage& image, bool smooth)
    {
        (void)imageToDevice, (void)image, (void)smooth;
    }

    // A device that keeps only the bounds of a recording counts a rectangle,
    // ellipse or rounded rectangle by its recorded box (device space,
    // half-open) rather than by its outline, as the platform's recorder
    // does; true when it took the box, and the shape then need not reach it.
    virtual bool ShapeBox(const QRectF& box)
    {
        (void)box;
        return false;
    }

    // A device that keeps only the bounds of a recording counts a line by
    // its points, as the platform's recorder does, not by its dashes.
    virtual bool KeepsBoundsOnly() const { return false; }

    // Ends any pending work (the painter of a QPaintDevice).
    virtual void Flush() {}
};
