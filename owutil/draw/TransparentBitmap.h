#pragma once
// Drawing a bitmap with a transparent colour.
#include "platform/types/CRect.h"

class CBitmap;
class CDC;

namespace OwUtil {

// Draws bitmap at the top-left corner of rect, at its own size in dc's
// logical units, leaving the pixels of its transparent colour (the colour
// of its top-left pixel) showing what dc had there. The composition is the
// platform's: a monochrome mask of the transparent pixels, the bitmap's
// transparent pixels cleared to black, the background ANDed with the mask
// and the cleared bitmap XORed in. sourceDC: a memory DC to select bitmap
// into (its selection is restored); null makes one. The bitmap must not be
// selected into another device context.
void DrawTransparentBitmap(CDC& dc, CBitmap& bitmap, CRect& rect, CDC* sourceDC = nullptr);

} // namespace OwUtil
