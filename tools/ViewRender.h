#pragma once
// The viewer's own layout and painting for a converter: a view of the
// document lays the image out in a fit mode against a page of the given
// size and resolution (as the window's client area would be), and its
// painting thread draws it, so that a converted file and the window show
// the same pixels.
#include "platform/types/CSize.h"

#include <QString>
#include <memory>

class CDC;
class CLumivueDoc;
class CLumivueView;
class RenderView;
class QPaintDevice;

class ViewRender {
public:
    explicit ViewRender(CLumivueDoc& document);
    ~ViewRender();
    ViewRender(const ViewRender&) = delete;
    ViewRender& operator=(const ViewRender&) = delete;

    // fit: "page", "x", "y", "given-x" or "given-y". The destination's size
    // in *size; false with the reason when there is nothing to draw.
    bool Layout(const QString& fit, CSize page, double givenWidthCm, double givenHeightCm, int dpi, CSize* size,
                QString* error);
    // Paints the laid-out image at the top left of device (white first for
    // raster devices); the time the painting took, in microseconds.
    qint64 Paint(QPaintDevice* device, bool white);
    // Paints as Paint does, but stops the painting thread once limitMs have
    // passed (through the view's stop request and the context's abort flag),
    // keeping what was drawn. True when the picture was drawn to its end.
    bool PaintBounded(QPaintDevice* device, bool white, int limitMs);
    // Prints through the view's print loop into a PDF of paper ("A4",
    // "Letter", "WxHmm"), one PDF page per printed page: in fit mode fit
    // (empty: at zoom times the physical size). The pages printed, or 0
    // with the reason.
    int PrintPdf(const QString& output, const QString& fit, double zoom, const QString& paper, bool landscape,
                 bool center, QString* error);

private:
    CLumivueDoc& m_doc;
    // Stops the painting on dc at the deadline, unless it ends before.
    class Watchdog;
    std::unique_ptr<RenderView> m_view;
};
