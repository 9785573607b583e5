#pragma once
// A device-dependent bitmap: the pixels a memory device context draws on.
// A colour bitmap keeps 32-bit pixels whatever depth it was asked for, as a
// true-colour display would; a monochrome bitmap (1 plane, 1 bit per pixel)
// keeps black and white pixels only, and a blit from a colour source into
// it maps the source's background colour to white and every other colour
// to black, as the platform does.
//
// A bitmap is selected into at most one memory device context at a time.
#include "platform/gdi/GdiObject.h"

#include <QImage>

class CDC;

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};

class GdiBitmap : public GdiObject {
public:
    // width x height pixels of bitsPixel bits, all black (monochrome
    // bitmaps start black as well). Sizes are bounded by the caller.
    GdiBitmap(int width, int height, int bitsPixel);
    // A colour bitmap holding image.
    explicit GdiBitmap(const QImage& image);
    // The platform's default bitmap of a new memory device context: 1 x 1 monochrome.
    static GdiBitmap* Stock();

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    int BitsPixel() const { return m_bitsPixel; }
    bool Monochrome() const { return m_bitsPixel == 1; }

    // The pixels (Format_RGB32); a memory device context draws on them
    // while the bitmap is selected.
    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }

    // The memory device context the bitmap is selected into, or null.
    CDC* SelectedIn() const { return m_selectedIn; }
    void SetSelectedIn(CDC* dc) { m_selectedIn = dc; }

    void Describe(BITMAP* out) const;

private:
    QImage m_image;
    int m_bitsPixel;
    CDC* m_selectedIn = nullptr;
};

using HBITMAP = GdiBitmap*;

// The largest bitmap the Create functions make, in pixels: a guard against
// sizes from files or arithmetic gone wrong, far above any real use.
constexpr qint64 MaxBitmapPixels = qint64(1) << 28;

// planes * bitsPerPixel of 1 makes a monochrome bitmap, anything else a
// colour one. bits, when given, are rows of bitsPerPixel padded to 16 bits
// (as the platform's CreateBitmap takes them) for 1, 8 (grey), 24 and 32
// bits. Null for an empty or oversized bitmap.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
// A bitmap of the format of the bitmap selected in dc (monochrome for a
// fresh memory DC), or of a colour device.
HBITMAP CreateCompatibleBitmap(CDC* dc, int width, int height);
int GetObject(HBITMAP bitmap, int size, BITMAP* out);
