#pragma once
#include "Win32Types.h"

// A point in logical or device units, as the Windows API's POINT.
struct CPoint {
    LONG x = 0;
    LONG y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(LONG x_, LONG y_) : x(x_), y(y_) {}

    constexpr void Offset(LONG dx, LONG dy) { x += dx; y += dy; }
    constexpr bool operator==(const CPoint&) const = default;
    constexpr CPoint operator+(const CPoint& o) const { return {x + o.x, y + o.y}; }
    constexpr CPoint operator-(const CPoint& o) const { return {x - o.x, y - o.y}; }
    constexpr CPoint operator-() const { return {-x, -y}; }
    constexpr CPoint& operator+=(const CPoint& o) { x += o.x; y += o.y; return *this; }
    constexpr CPoint& operator-=(const CPoint& o) { x -= o.x; y -= o.y; return *this; }
};
