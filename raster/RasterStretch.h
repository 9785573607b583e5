#pragma once
// Which source pixels of a stretch-drawn image can be seen, and where they
// go in logical units. Drawing only those keeps the cost of a drawing
// bounded by the visible area: a huge image enlarged 50 times hands the
// device a few hundred pixels, not the whole image.
//
// The source range is cut at pixel edges whose logical coordinates are
// whole numbers, so that the part lands exactly where it lies in the whole
// image: with the image frame as the logical space (the viewer's mapping)
// every pixel edge qualifies; with other ratios the cut widens to the next
// such edge, at worst to the whole image.
#include "platform/types/CRect.h"

#include <QImage>
#include <QRect>
#include <QTransform>

struct RasterStretchPlan {
    bool visible = false;  // false: nothing of the image can be seen
    bool whole = false;    // the whole image is handed over
    QRect source;          // source pixels to hand over
    CRect logical;         // their destination, logical units
};

class RasterStretch {
public:
    // image: the source size; dest: the destination in logical units
    // (either side may run backwards, mirroring the image); toDevice: the
    // logical-to-device transform; visibleDevice: the device area that can
    // be seen (clip box within the device). pixelAlignX: the source column
    // granularity the image's format needs (8 for one bit per pixel).
    static RasterStretchPlan Plan(const QSize& image, const CRect& dest, const QTransform& toDevice,
                                  const QRectF& visibleDevice, int pixelAlignX = 1);

    // The source pixels of image as an image sharing its memory (no copy);
    // image must outlive it and must not change meanwhile.
    static QImage View(const QImage& image, const QRect& source);

    // The column granularity View needs for image's format.
    static int PixelAlignment(const QImage& image);
};
