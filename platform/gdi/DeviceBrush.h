#pragma once
// Turns a logical brush into the Qt brush a backend fills with. Hatches are
// the platform's exact 8x8 patterns, their gaps drawn in the background
// colour when the background mode is OPAQUE. Pattern brushes tile their
// pixels; a monochrome one in the text and background colours.
#include "platform/gdi/GdiBrush.h"

#include <QBrush>

class DeviceBrush {
public:
    // False for a null brush.
    static bool Make(const GdiBrush& brush, bool opaque, COLORREF background, QBrush* out, COLORREF text = 0);
    // The brush's pixels as one tile (solid colours: a 1x1 tile); null for a null brush.
    static QImage Tile(const GdiBrush& brush, bool opaque, COLORREF background, COLORREF text);
};
