#pragma once
// A device-independent bitmap in memory: its header, colour table and
// pixels, as a packed DIB (the bytes of the platform's clipboard format and
// of a bitmap file after its 14-byte file header). Reads bitmap files and
// bitmap resources, writes bitmap files, paints onto a device context,
// resizes and dithers to the half-tone palette.
//
// Every header the platform's decoder reads is kept as it came; ResizeDIB
// and HalfToneDitherDIB make a plain 40-byte-header bitmap of 24 and 8 bits.
#include "platform/module/CModule.h"
#include "platform/types/CRect.h"
#include "platform/types/CSize.h"
#include "platform/types/Win32Types.h"

#include <QByteArray>
#include <QImage>

class CArchive;
class CDC;

class COXDIB {
public:
    COXDIB() = default;

    bool IsEmpty() const { return m_info.isEmpty(); }
    void Empty();

    // A bitmap file (".bmp"). FALSE, and the object stays as it was, when
    // the file is missing or not a bitmap the platform can draw.
    BOOL Read(const QString& path);
    // A bitmap file's bytes (starting "BM") or a packed DIB.
    BOOL ReadFromBytes(const QByteArray& bytes);
    // Bitmap resource id of module (null: the calling program's own module
    // is not known here, so a module must be given).
    BOOL LoadResource(UINT id, HINSTANCE module);
    // A 24-bit bitmap of image (32 bits when it has an alpha channel).
    BOOL CreateFromImage(const QImage& image);

    // A bitmap file, written to a temporary file and renamed over path so
    // that a failure never leaves half a file. FALSE on failure.
    BOOL Write(const QString& path) const;
    // The bitmap file's bytes into an archive; the archive's file throws
    // CFileException on a write error.
    BOOL Write(CArchive& ar) const;
    // The bitmap file's bytes.
    QByteArray FileBytes() const;

    // A new packed DIB of this bitmap (what goes on the clipboard as a
    // device-independent bitmap); empty when there is no bitmap.
    QByteArray MakeCopy() const;

    // Width and height in pixels; (0, 0) when empty.
    CSize GetSize() const;
    WORD GetNumBitsPerPixel() const;
    // Entries of the colour table.
    int GetNumColors() const;
    // Pixels per metre, as the header keeps them (0 when unknown).
    CSize GetResolution() const;

    // Draws source (pixels of the bitmap, from its top-left corner) into
    // target (logical units of dc) through the DC's stretch mode. Non-zero
    // when something was drawn.
    BOOL Paint(CDC* dc, const CRect& target, const CRect& source) const;

    // Scales the bitmap to cx x cy pixels (smoothly, averaging when it
    // shrinks) into a 24-bit bitmap. FALSE for an empty bitmap or a size
    // that is not positive.
    BOOL ResizeDIB(int cx, int cy);
    // Reduces the bitmap to 8 bits on the 256-colour half-tone palette
    // with error diffusion, so that it shows well on a palette display.
    BOOL HalfToneDitherDIB();

    // The pixels as an image (null when empty).
    QImage ToImage() const;

    const QByteArray& Info() const { return m_info; }
    const QByteArray& Bits() const { return m_bits; }

private:
    BOOL setPacked(const QByteArray& info, const QByteArray& bits);

    // Header and colour table (and bit masks), then the pixels.
    QByteArray m_info;
    QByteArray m_bits;
};
