#pragma once
// Turns a logical pen into the device pen a backend strokes with: the width
// through the DC's transform (cosmetic pens stay one pixel), the platform's
// dash patterns, caps and joins.
#include "platform/gdi/DcMapping.h"
#include "platform/gdi/GdiPen.h"

#include <QPen>

class GdiPath;
class QPainterPath;

class DevicePen {
public:
    // False when the pen draws nothing (PS_NULL).
    static bool Make(const GdiPen& pen, const DcMapping& mapping, float miterLimit, QPen* out);
    // The pen's width in device pixels (1 for cosmetic pens).
    static int DeviceWidth(const GdiPen& pen, const DcMapping& mapping);
    // A wide geometric pen with a dash style is dashed on the path, as the
    // platform does, rather than by Qt: out receives the dashes of path and
    // qpen (from Make) becomes the solid pen to stroke them with. False when
    // the pen is not dashed that way (qpen and out are left alone).
    static bool DashPath(const GdiPen& pen, const DcMapping& mapping, const GdiPath& path, QPen* qpen, QPainterPath* out);
};
