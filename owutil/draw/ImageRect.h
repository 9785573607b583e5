#pragma once
// Fitting an image into a destination rectangle with its proportions kept.
#include "platform/types/CRect.h"

namespace OwUtil {

// Shrinks dest in one direction so that it has image's proportions. When
// the image is relatively taller, the width shrinks and hAlign places it:
// -1 keeps the left edge, 0 centres, any other value aligns to the right;
// otherwise the height shrinks and vAlign places it in the same way (top,
// centre, bottom). Only one of the two takes effect in a call. An image or
// destination without width or height leaves dest as it is. Returns dest.
CRect& AdjustImageRect(const CRect& image, CRect& dest, int hAlign = 0, int vAlign = 0);

} // namespace OwUtil
