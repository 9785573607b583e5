#pragma once
// A raster image as documents and painting threads use it: loaded from a
// file by format id or by content, queried for size and resolution, and
// stretch-drawn into a rectangle of a device context.
//
// Decoding asks Qt's image I/O for the named format first, then the
// built-in PCX decoder, then GraphicsMagick for what Qt does not read. A
// named format must match the content: a PNG file loaded as JPEG fails (the
// caller may then load it by content). Multi-image files give their first
// image; icon files their largest. Images beyond RasterMemoryBound are
// refused before their pixels are allocated.
#include "platform/types/CRect.h"
#include "platform/types/Win32Types.h"
#include "raster/RasterDecodeResult.h"
#include "raster/RasterFormat.h"

#include <QImage>
#include <QString>

class CDC;
class QIODevice;

class CRasterImage {
public:
    // imageType: the format id the image is made for, as the library's
    // constructor takes it; 0 for none. Loading sets the decoded format.
    explicit CRasterImage(DWORD imageType = 0);

    // Loads the file with the decoders of format id imageType, or by content
    // with RASTER_FORMAT_BY_CONTENT (-1). Any earlier image is dropped first,
    // so a failed load leaves the image invalid.
    bool Load(const QString& fileName, int imageType = RASTER_FORMAT_BY_CONTENT);
    // The same from an open, random-access device (a file, a buffer).
    bool Load(QIODevice& device, int imageType = RASTER_FORMAT_BY_CONTENT);
    void Destroy();

    bool IsValid() const { return !m_image.isNull(); }
    DWORD GetWidth() const { return DWORD(m_image.width()); }
    DWORD GetHeight() const { return DWORD(m_image.height()); }
    // Dots per inch as the file states them, 96 when it states none; never 0
    // for a valid image. 0 for an invalid image.
    long GetXDPI() const { return IsValid() ? m_xDpi : 0; }
    long GetYDPI() const { return IsValid() ? m_yDpi : 0; }
    // The format id the image was decoded as; the constructor's before.
    DWORD GetType() const { return m_type; }

    // Stretch-draws the image into rect, in the logical units of dc: through
    // its mapping, clipped to its clip region, reducing smoothly and
    // enlarging with sharp pixels. Only the source pixels under the visible
    // part of rect are handed to the device. Returns 1 when drawn, 0 for an
    // invalid image, an empty rectangle or no device context.
    long Draw2(CDC* dc, const CRect& rect) const;

    // Why the last Load ended as it did: Decoded, or what stopped it
    // (NotThisFormat: nothing recognised the content; TooLarge: refused by
    // the memory bound; Failed: unreadable).
    RasterDecodeStatus LastStatus() const { return m_lastStatus; }

    // The decoded pixels (for copies and tests).
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
    int m_xDpi = 0;
    int m_yDpi = 0;
    DWORD m_type = 0;
    RasterDecodeStatus m_lastStatus = RasterDecodeStatus::NotThisFormat;
};
