#include "platform/gdi/GdiPen.h"

#include <cstdint>

GdiPen::GdiPen(UINT style, int width, COLORREF color)
    : GdiObject(OBJ_PEN), m_style(style & PS_STYLE_MASK), m_width(width == INT32_MIN ? INT32_MAX : (width < 0 ? -width : width)),
      m_color(color)
{
    if (Style() > PS_INSIDEFRAME)
        m_style = PS_SOLID; // CreatePen knows only the first seven styles
}

GdiPen::GdiPen(UINT style, DWORD width, const LOGBRUSH& brush, std::vector<DWORD> styleEntries)
    : GdiObject(OBJ_EXTPEN), m_style(style), m_width(int(width > 0x7FFFFFFF ? 0x7FFFFFFF : width)),
      m_color(brush.lbColor), m_brushStyle(brush.lbStyle), m_extended(true), m_entries(std::move(styleEntries))
{
    if (!IsGeometric()) {
        m_width = 1; // a cosmetic pen is always one pixel wide
        if (Style() == PS_ALTERNATE)
            m_entries = {1, 1};
    }
    if (brush.lbStyle == BS_NULL)
        m_style = (m_style & ~PS_STYLE_MASK) | PS_NULL;
}

GdiPen* GdiPen::Stock(COLORREF color, bool null)
{
    auto* pen = new GdiPen(null ? PS_NULL : PS_SOLID, 0, color);
    pen->MakeStock();
    return pen;
}

LOGPEN GdiPen::GetLogPen() const
{
    LOGPEN lp;
    lp.lopnStyle = m_style;
    lp.lopnWidth = POINT(m_width, 0);
    lp.lopnColor = m_color;
    return lp;
}
