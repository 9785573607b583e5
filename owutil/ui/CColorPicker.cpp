#include "CColorPicker.h"

#include <limits>

CColorPicker::CColorPicker(const std::vector<COLORREF>& colors) { SetColorTable(colors); }

void CColorPicker::SetColorTable(const std::vector<COLORREF>& colors)
{
    m_entries.clear();
    m_entries.reserve(colors.size());
    for (COLORREF c : colors)
        m_entries.push_back({c, 0});
}

void CColorPicker::AddColor(COLORREF color)
{
    for (Entry& e : m_entries)
        if (e.color == color && e.count < std::numeric_limits<int32_t>::max())
            ++e.count;
}

void CColorPicker::ResetUsedColors()
{
    for (Entry& e : m_entries)
        e.count = 0;
}

COLORREF CColorPicker::ChosenColor() const
{
    const Entry* best = nullptr;
    for (const Entry& e : m_entries)
        if (best == nullptr || e.count < best->count)
            best = &e;
    return best ? best->color : EmptyTableColor;
}
