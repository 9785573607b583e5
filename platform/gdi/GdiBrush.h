#pragma once
// A logical brush: solid, hatched or null. Pattern and DIB brushes come with
// the bitmap layer (their styles are accepted and draw as solid colour until
// then). Immutable.
#include "platform/gdi/GdiObject.h"

class GdiBrush : public GdiObject {
public:
    GdiBrush(UINT style, COLORREF color, int hatch);
    static GdiBrush* Stock(UINT style, COLORREF color);

    UINT Style() const { return m_style; }
    COLORREF Color() const { return m_color; }
    int Hatch() const { return m_hatch; }
    bool IsNull() const { return m_style == BS_NULL; }
    LOGBRUSH GetLogBrush() const { return {m_style, m_color, uintptr_t(m_hatch)}; }

private:
    UINT m_style;
    COLORREF m_color;
    int m_hatch;
};

using HBRUSH = GdiBrush*;
