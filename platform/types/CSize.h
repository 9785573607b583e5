#pragma once
#include "Win32Types.h"

// An extent, as the Windows API's SIZE: cx then cy, either may be negative.
struct CSize {
    LONG cx = 0;
    LONG cy = 0;

    constexpr CSize() = default;
    constexpr CSize(LONG cx_, LONG cy_) : cx(cx_), cy(cy_) {}

    constexpr bool operator==(const CSize&) const = default;
    constexpr CSize operator+(const CSize& o) const { return {cx + o.cx, cy + o.cy}; }
    constexpr CSize operator-(const CSize& o) const { return {cx - o.cx, cy - o.cy}; }
};
