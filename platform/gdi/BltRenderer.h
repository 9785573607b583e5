#pragma once
// The pixel work of the bitmap transfers: for each device pixel of the
// visible destination it samples the source through the stretch mode, the
// pattern at the brush origin and (when the operation reads it) the
// destination, combines them and writes the result back through the
// backend. Works in bands of rows so that a cancelled device context stops
// a transfer of any size within a band.
//
// Vector devices have no pixels to read back: an operation that needs the
// destination is evaluated over white and over black paper, and a pixel
// that the operation leaves as it was on both is not drawn (which keeps the
// usual mask-then-image transparency of SRCAND followed by SRCPAINT). The
// other usual transparency, SRCINVERT image, SRCAND mask, SRCINVERT image,
// draws the image inside the mask's silhouette at the second inversion; an
// inversion without a silhouette before it draws nothing.
#include "platform/gdi/DcBackend.h"
#include "platform/gdi/Dib.h"

#include <QImage>
#include <QRect>
#include <atomic>
#include <vector>

struct BltSetup {
    DcBackend* backend = nullptr;
    QRect visible;  // device pixels to compute (within the device and clip bounds)
    QRectF target;  // the destination rectangle in device units
    bool flipX = false, flipY = false;
    QRectF source;  // in the source image's pixels, normalised
    int stretchMode = 3; // COLORONCOLOR
    QPoint brushOrigin;
    QImage pattern; // the brush tile, or null
    const std::atomic<bool>* cancel = nullptr;
    // Vector devices: the silhouette the last SRCAND left (device pixels of
    // xorMaskRect, 255 where it drew black), for the SRCINVERT that
    // completes the invert-and-invert transparency.
    QImage* xorMask = nullptr;
    QRect* xorMaskRect = nullptr;
};

struct BltOp {
    enum Kind { Rop, Alpha, ColorKey };
    Kind kind = Rop;
    uint8_t table = 0xCC;     // ROP3 truth table (foreground for a mask)
    uint8_t backTable = 0xCC; // where the mask is 0
    BLENDFUNCTION blend;
    uint32_t key = 0;         // 0x00RRGGBB
    bool sameSize = false;    // a BitBlt: any scaling comes from the mapping alone
};

class BltRenderer {
public:
    // src: ARGB32 pixels (null for pattern-only operations); gaps: pixels
    // of alpha 0 in src are not drawn. mask: a monochrome mask sampled at
    // the same destination pixels, offset by maskOffset source pixels.
    static void Run(const BltSetup& setup, const QImage* src, bool gaps, const BltOp& op,
                    const QImage* mask = nullptr, QPoint maskOffset = QPoint());

    // The source columns (or rows) of each device column (row) from first
    // on: the one under the pixel's centre and the range the pixel covers,
    // within [0, limit); center -1 when the pixel's centre is outside the
    // source. Exposed for tests.
    struct Span {
        int center = -1, first = 0, last = -1;
        int raw = 0; // the centre's source index, even outside the source
    };
    static void Spans(double targetStart, double targetSize, double sourceStart, double sourceSize, bool flip,
                      int first, int count, int limit, std::vector<Span>* out);
};
