#pragma once
// The largest decoded image the raster layer accepts, in place of Qt's fixed
// image allocation limit (128 MB in Qt 6.4, 256 MB later), which refuses
// ordinary photographs of large cameras and scanners.
//
// The rule: a quarter of the memory this process may use, that is the
// smallest of the machine's physical memory, the control group's memory
// limit (cgroup v2 memory.max or v1 memory.limit_in_bytes) and the process's
// address-space and data limits; never less than 64 MB. A quarter leaves
// room for what a shown image costs besides its pixels (the view's drawing
// surface, a reduced copy while drawing, the clipboard's copy) and for
// other open documents. On a 24 GB machine that is 6 GB, a 38000 x 38000
// image at 4 bytes per pixel.
//
// Sizes are checked against the bound as declared by the file, before any
// pixel memory is allocated, and again on the decoded image.
#include <QtGlobal>

class RasterMemoryBound {
public:
    // The bound in bytes of decoded pixels.
    static qint64 Bytes();
    // The bound the machine gives, ignoring any override.
    static qint64 FromMachine();
    // Tests set a small bound; 0 returns to the machine's.
    static void SetOverride(qint64 bytes);

    // Longest side accepted, whatever the memory: beyond it the drawing
    // code's coordinates lose precision.
    static constexpr qint64 kMaxSide = qint64(1) << 20;

    // True when an image of width x height pixels at bytesPerPixel bytes
    // fits the bound; false for non-positive sizes and on overflow.
    static bool Admits(qint64 width, qint64 height, int bytesPerPixel = 4);
};
