#pragma once
// Fills polygons scanline by scanline into pixel regions, band after band,
// polling a cancel flag between scanlines: the way a huge polygon (a
// million points) is filled so that CancelDC stops it within a scanline.
// A pixel is filled when its integer coordinates lie inside, the rule the
// platform and Qt's aliased fills share.
//
// The points are read where they lie (a path's own array): beyond them the
// fill holds one index per edge and the edges that cross the current
// scanline, so a stop frees little on its way out.
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <atomic>
#include <functional>
#include <span>

class ScanlineFiller {
public:
    using Sink = std::function<void(const QRegion&)>;

    // The figures are consecutive runs of points, each closed: figure i
    // ends (exclusive) at figureEnds[i] and begins where the one before
    // ended. Each band of filled pixels goes to sink as it is complete.
    // False when the cancel flag stopped the fill.
    static bool Fill(std::span<const QPointF> points, std::span<const size_t> figureEnds, Qt::FillRule rule,
                     const QRect& bounds, const std::atomic<bool>& cancel, const Sink& sink);

    // Rows per band handed to the sink.
    static constexpr int BandRows = 32;
    // The most spans one band holds before it is handed over.
    static constexpr size_t MaxBandSpans = 2048;
};
