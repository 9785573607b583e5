#include "ImageRect.h"

#include "platform/types/Win32Types.h"

namespace OwUtil {

CRect& AdjustImageRect(const CRect& image, CRect& dest, int hAlign, int vAlign)
{
    const int iw = image.Width(), ih = image.Height(), dw = dest.Width(), dh = dest.Height();
    if (iw <= 0 || ih <= 0 || dw <= 0 || dh <= 0)
        return dest;
    // Single precision, as the ratios have always been compared.
    const float rw = float(iw) / float(dw), rh = float(ih) / float(dh);
    if (rw < rh) {
        const int width = MulDiv(dh, iw, ih);
        if (hAlign != -1)
            dest.left += hAlign == 0 ? (dw - width) / 2 : dw - width;
        dest.right = dest.left + width;
    } else {
        const int height = MulDiv(dw, ih, iw);
        if (vAlign != -1)
            dest.top += vAlign == 0 ? (dh - height) / 2 : dh - height;
        dest.bottom = dest.top + height;
    }
    return dest;
}

} // namespace OwUtil
