#pragma once
// The framework's wrapper of a bitmap handle.
#include "platform/gdi/CGdiObject.h"
#include "platform/gdi/GdiBitmap.h"
#include "platform/module/CModule.h"

class CDC;

class CBitmap : public CGdiObject {
public:
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
    {
        return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
    }
    BOOL CreateBitmapIndirect(const BITMAP* bm)
    {
        return bm && CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits);
    }
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height)
    {
        return Attach(::CreateCompatibleBitmap(dc, width, height));
    }
    // The bitmap resource id of module (a raster image or SVG in Qt's
    // resource system); FALSE when it is missing or does not decode.
    BOOL LoadBitmap(HINSTANCE module, UINT id);
    // A colour bitmap of image.
    BOOL CreateFromImage(const QImage& image);

    int GetBitmap(BITMAP* out) const { return ::GetObject(static_cast<HBITMAP>(m_hObject), sizeof(BITMAP), out); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); } // NOLINT
};
