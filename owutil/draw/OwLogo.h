#pragma once
// The maker's artwork: the logo as a metafile, the side banner as a bitmap,
// and the banner painted along the bottom of a window's client area.
#include "platform/types/CRect.h"

class CDC;
class CPalette;
class COXDIB;
class COXMetaFile;

namespace OwUtil {

// A new metafile object holding the logo (resource 1001 of type "MetaFile"
// of this library); null when it cannot be loaded. The caller owns it.
COXMetaFile* GetOWLogo();
// A new bitmap object holding the side banner (bitmap resource 1000 of this
// library); null when it cannot be loaded. The caller owns it.
COXDIB* GetOWSideBanner();

// Paints logo (or, when null, the side banner) scaled to the width of area
// with its bottom on area's bottom (it may reach above area), after
// resizing it to the pixels it covers on the device and dithering it to
// the half-tone palette. With palette (and dc), the palette is selected and
// realised first. A null dc paints nothing. Returns the painted height in
// dc's logical units, MulDiv(area width, image height, image width); 0 when
// there is nothing to paint or area has no width. The caller's logo is not
// changed.
int PaintClientAreaLogo(CDC* dc, const CRect& area, COXDIB* logo = nullptr, CPalette* palette = nullptr);

} // namespace OwUtil
