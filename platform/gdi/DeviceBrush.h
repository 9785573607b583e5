#pragma once
// Turns a logical brush into the Qt brush a backend fills with. Hatches are
// the platform's exact 8x8 patterns, their gaps drawn in the background
// colour when the background mode is OPAQUE.
#include "platform/gdi/GdiBrush.h"

#include <QBrush>

class DeviceBrush {
public:
    // False for a null brush.
    static bool Make(const GdiBrush& brush, bool opaque, COLORREF background, QBrush* out);
};
