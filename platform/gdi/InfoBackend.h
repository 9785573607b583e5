#pragma once
// A device that is only described: its size and resolution answer the
// capability queries, and nothing drawn on it goes anywhere. It stands for
// a screen or page whose pixels are drawn elsewhere, as an information
// context does on the platform (the paint context a view receives before a
// painting thread draws, or the page a converter lays an image out on).
#include "platform/gdi/DcBackend.h"

#include <QSize>

class InfoBackend : public DcBackend {
public:
    struct Device {
        QSize pixels{1024, 768};   // HORZRES, VERTRES
        int logPixelsX = 96;       // LOGPIXELSX
        int logPixelsY = 96;       // LOGPIXELSY
        int technology = 1;        // DT_RASDISPLAY
    };
    explicit InfoBackend(const Device& device) : m_device(device) {}

    int GetDeviceCaps(int index) const override;
    bool IsRaster() const override { return true; }
    void SetClip(const QRegion*) override {}
    void FillPath(const QPainterPath&, const QBrush&, const DrawAttrs&) override {}
    void StrokePath(const QPainterPath&, const QPen&, const DrawAttrs&) override {}
    void FillRegion(const QRegion&, const QBrush&, const DrawAttrs&) override {}
    void DrawImage(const QRectF&, const QImage&, const QRectF&, bool) override {}

private:
    Device m_device;
};
