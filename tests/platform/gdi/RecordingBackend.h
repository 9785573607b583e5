#pragma once
// A backend that records what a device context asks it to draw, for tests
// that check calls rather than pixels.
#include "platform/gdi/DcBackend.h"

#include <optional>
#include <vector>

struct RecordedCall {
    enum Kind { Fill, Stroke, Region, Image } kind;
    QPainterPath path;   // Fill, Stroke
    QRegion region;      // Region
    QRectF target;       // Image
    QColor color;        // brush or pen colour
    qreal penWidth = 0;  // Stroke
    Qt::PenStyle penStyle = Qt::SolidLine;
    int rop2 = 0;
    std::optional<QRegion> clip; // the clip in force
};

class RecordingBackend : public DcBackend {
public:
    explicit RecordingBackend(int width = 1000, int height = 1000, int dpi = 96)
        : m_width(width), m_height(height), m_dpi(dpi) {}

    std::vector<RecordedCall> calls;
    std::optional<QRegion> clip;

    int GetDeviceCaps(int index) const override
    {
        switch (index) {
        case HORZRES: return m_width;
        case VERTRES: return m_height;
        case HORZSIZE: return int(m_width * 25.4 / m_dpi + 0.5);
        case VERTSIZE: return int(m_height * 25.4 / m_dpi + 0.5);
        case LOGPIXELSX:
        case LOGPIXELSY: return m_dpi;
        default: return 0;
        }
    }
    bool IsRaster() const override { return true; }
    void SetClip(const QRegion* c) override { clip = c ? std::optional<QRegion>(*c) : std::nullopt; }
    void FillPath(const QPainterPath& path, const QBrush& brush, const DrawAttrs& a) override
    {
        calls.push_back({RecordedCall::Fill, path, {}, {}, brush.color(), 0, Qt::SolidLine, a.rop2, clip});
    }
    void StrokePath(const QPainterPath& path, const QPen& pen, const DrawAttrs& a) override
    {
        calls.push_back({RecordedCall::Stroke, path, {}, {}, pen.color(), pen.widthF(), pen.style(), a.rop2, clip});
    }
    void FillRegion(const QRegion& region, const QBrush& brush, const DrawAttrs& a) override
    {
        calls.push_back({RecordedCall::Region, {}, region, {}, brush.color(), 0, Qt::SolidLine, a.rop2, clip});
    }
    void DrawImage(const QRectF& target, const QImage&, const QRectF&, bool) override
    {
        calls.push_back({RecordedCall::Image, {}, {}, target, {}, 0, Qt::SolidLine, 0, clip});
    }

private:
    int m_width, m_height, m_dpi;
};
