#pragma once
// A logical brush: solid, hatched, null or a pattern of pixels (BS_PATTERN,
// BS_DIBPATTERNPT). A monochrome pattern takes the device context's text
// (0 bits) and background (1 bits) colours when it draws. Immutable.
#include "platform/gdi/GdiObject.h"

#include <QImage>

class GdiBrush : public GdiObject {
public:
    GdiBrush(UINT style, COLORREF color, int hatch);
    // A pattern brush; pattern is opaque ARGB32, monochrome patterns black and white.
    GdiBrush(UINT style, QImage pattern, bool monochrome);
    static GdiBrush* Stock(UINT style, COLORREF color);

    UINT Style() const { return m_style; }
    COLORREF Color() const { return m_color; }
    int Hatch() const { return m_hatch; }
    bool IsNull() const { return m_style == BS_NULL; }
    bool HasPattern() const { return !m_pattern.isNull(); }
    const QImage& Pattern() const { return m_pattern; }
    bool MonochromePattern() const { return m_mono; }
    LOGBRUSH GetLogBrush() const { return {m_style, m_color, uintptr_t(m_hatch)}; }

private:
    UINT m_style;
    COLORREF m_color;
    int m_hatch;
    QImage m_pattern;
    bool m_mono = false;
};

using HBRUSH = GdiBrush*;
