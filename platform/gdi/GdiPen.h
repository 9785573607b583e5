#pragma once
// A logical pen, as CreatePen or ExtCreatePen made it. Immutable.
#include "platform/gdi/GdiObject.h"

#include <vector>

class GdiPen : public GdiObject {
public:
    // CreatePen: style, width in logical units (0 = one pixel), colour.
    GdiPen(UINT style, int width, COLORREF color);
    // ExtCreatePen: the style with type, cap and join; the brush's style,
    // colour and hatch; user style entries for PS_USERSTYLE.
    GdiPen(UINT style, DWORD width, const LOGBRUSH& brush, std::vector<DWORD> styleEntries);

    static GdiPen* Stock(COLORREF color, bool null);

    UINT Style() const { return m_style & PS_STYLE_MASK; }
    UINT EndCap() const { return m_style & PS_ENDCAP_MASK; }
    UINT Join() const { return m_style & PS_JOIN_MASK; }
    bool IsExtended() const { return m_extended; }
    // Geometric: an extended pen of type PS_GEOMETRIC. A plain pen behaves
    // geometrically when its width is more than one device pixel.
    bool IsGeometric() const { return m_extended && (m_style & PS_TYPE_MASK) == PS_GEOMETRIC; }
    int Width() const { return m_width; }
    COLORREF Color() const { return m_color; }
    UINT BrushStyle() const { return m_brushStyle; }
    const std::vector<DWORD>& StyleEntries() const { return m_entries; }
    UINT RawStyle() const { return m_style; }
    LOGPEN GetLogPen() const;

private:
    UINT m_style;
    int m_width;
    COLORREF m_color;
    UINT m_brushStyle = BS_SOLID;
    bool m_extended = false;
    std::vector<DWORD> m_entries;
};

using HPEN = GdiPen*;
