#pragma once
// COLORREF to Qt colour. Palette-relative colours (PALETTERGB) use their RGB
// part; palette indices (PALETTEINDEX) resolve with the palette layer and
// draw black until then, as on a device without a palette.
#include "platform/types/Win32Types.h"

#include <QColor>

inline QColor toQColor(COLORREF c)
{
    if ((c >> 24) == 0x01)
        return QColor(0, 0, 0);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
