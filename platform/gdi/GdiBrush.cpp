#include "platform/gdi/GdiBrush.h"

GdiBrush::GdiBrush(UINT style, COLORREF color, int hatch)
    : GdiObject(OBJ_BRUSH), m_style(style), m_color(color), m_hatch(hatch)
{
    if (m_style == BS_HATCHED && (m_hatch < HS_HORIZONTAL || m_hatch > HS_DIAGCROSS))
        m_style = BS_SOLID; // the platform draws an unknown hatch as a solid brush
    if (m_style > BS_MONOPATTERN)
        m_style = BS_SOLID;
}

GdiBrush::GdiBrush(UINT style, QImage pattern, bool monochrome)
    : GdiObject(OBJ_BRUSH), m_style(style), m_color(0), m_hatch(0), m_pattern(std::move(pattern)), m_mono(monochrome)
{
}

GdiBrush* GdiBrush::Stock(UINT style, COLORREF color)
{
    auto* brush = new GdiBrush(style, color, 0);
    brush->MakeStock();
    return brush;
}
