#pragma once
// Fills polygons scanline by scanline into pixel regions, band after band,
// polling a cancel flag between scanlines: the way a huge polygon (a
// million points) is filled so that CancelDC stops it within a scanline.
// A pixel is filled when its integer coordinates lie inside, the rule the
// platform and Qt's aliased fills share.
#include <QPolygonF>
#include <QRect>
#include <QRegion>
#include <atomic>
#include <functional>
#include <vector>

class ScanlineFiller {
public:
    // Each band of filled pixels goes to sink as it is complete. False when
    // the cancel flag stopped the fill.
    static bool Fill(const std::vector<QPolygonF>& polygons, Qt::FillRule rule, const QRect& bounds,
                     const std::atomic<bool>& cancel, const std::function<void(const QRegion&)>& sink);

    // Rows per band handed to the sink.
    static constexpr int BandRows = 32;
    // The most spans one band holds before it is handed over.
    static constexpr size_t MaxBandSpans = 2048;
};
