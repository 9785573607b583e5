#include "TransparentBitmap.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"

namespace OwUtil {

namespace {

constexpr DWORD kSrcCopy = 0x00CC0020, kNotSrcCopy = 0x00330008, kSrcAnd = 0x008800C6, kSrcInvert = 0x00660046;

// A memory DC compatible with dc holding bitmap, deselected when it goes.
struct MemoryDC {
    CDC dc;
    CBitmap* old = nullptr;
    MemoryDC(CDC& like, CBitmap& bitmap)
    {
        dc.CreateCompatibleDC(&like);
        old = dc.SelectObject(&bitmap);
    }
    ~MemoryDC()
    {
        if (old)
            dc.SelectObject(old);
    }
    bool ok() const { return old != nullptr; }
};

} // namespace

void DrawTransparentBitmap(CDC& dc, CBitmap& bitmap, CRect& rect, CDC* sourceDC)
{
    BITMAP bm;
    if (!bitmap.GetBitmap(&bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return;
    const int w = bm.bmWidth, h = bm.bmHeight;
    CDC ownSource;
    CDC* src = sourceDC;
    if (src == nullptr) {
        ownSource.CreateCompatibleDC(&dc);
        src = &ownSource;
    }
    CBitmap* oldSource = src->SelectObject(&bitmap);
    if (oldSource == nullptr)
        return;
    const COLORREF transparent = src->GetPixel(0, 0);

    // The mask: white where the bitmap has the transparent colour.
    CBitmap mask, inverse, copy, result;
    if (!mask.CreateBitmap(w, h, 1, 1, nullptr) || !inverse.CreateBitmap(w, h, 1, 1, nullptr) ||
        !copy.CreateBitmapIndirect(&bm) || !result.CreateCompatibleBitmap(src, w, h)) {
        src->SelectObject(oldSource);
        return;
    }
    {
        MemoryDC maskDC(dc, mask), inverseDC(dc, inverse), copyDC(dc, copy), resultDC(dc, result);
        if (maskDC.ok() && inverseDC.ok() && copyDC.ok() && resultDC.ok()) {
            const COLORREF oldBk = src->SetBkColor(transparent);
            maskDC.dc.BitBlt(0, 0, w, h, src, 0, 0, kSrcCopy);
            src->SetBkColor(oldBk);
            inverseDC.dc.BitBlt(0, 0, w, h, &maskDC.dc, 0, 0, kNotSrcCopy);
            // The bitmap with its transparent pixels black.
            copyDC.dc.BitBlt(0, 0, w, h, src, 0, 0, kSrcCopy);
            copyDC.dc.BitBlt(0, 0, w, h, &inverseDC.dc, 0, 0, kSrcAnd);
            // The background with the opaque area black, then the bitmap in it.
            resultDC.dc.BitBlt(0, 0, w, h, &dc, rect.left, rect.top, kSrcCopy);
            resultDC.dc.BitBlt(0, 0, w, h, &maskDC.dc, 0, 0, kSrcAnd);
            resultDC.dc.BitBlt(0, 0, w, h, &copyDC.dc, 0, 0, kSrcInvert);
            dc.BitBlt(rect.left, rect.top, w, h, &resultDC.dc, 0, 0, kSrcCopy);
        }
    }
    src->SelectObject(oldSource);
}

} // namespace OwUtil
