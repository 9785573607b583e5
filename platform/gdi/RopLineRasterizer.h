#pragma once
// One-pixel lines under a binary raster operation, written straight into a
// 32-bit image. Qt composes raster operations span by span and hands its
// span batches to a thread pool, so a long thin line there costs far more
// than the pixels it touches; here each pixel is read, combined and
// written once, and the cost follows the pixels.
//
// The pixels are the platform's: a segment runs along its major axis
// (x when |dx| >= |dy|) from its first point, which is drawn, to its last
// point, which is not; the minor coordinate is the exact one rounded, with
// halves rounded towards the smaller coordinate. A figure's segments follow
// each other, so each joint is drawn once, as the start of the next
// segment.
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QRegion>

class RopLineRasterizer {
public:
    // True when the image, pen and path are drawn here: an unscaled 32-bit
    // image, a solid one-pixel pen and straight segments with whole-pixel
    // vertices.
    static bool Accepts(const QImage& image, const QPen& pen, const QPainterPath& path);
    // Combines color with the pixels of each segment of path by rop2
    // (R2_BLACK .. R2_WHITE), inside clip (device pixels; null: the whole
    // image). The image's alpha stays as it is.
    static void Draw(QImage* image, const QPainterPath& path, QRgb color, int rop2, const QRegion* clip);
};
