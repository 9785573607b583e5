#include "platform/gdi/GdiPalette.h"

#include <algorithm>

GdiPalette::GdiPalette(std::vector<PALETTEENTRY> entries) : GdiObject(OBJ_PAL), m_entries(std::move(entries))
{
    if (m_entries.size() > MaxEntries)
        m_entries.resize(MaxEntries);
}

GdiPalette* GdiPalette::Stock()
{
    // The default palette: the twenty static colours.
    static const BYTE colors[20][3] = {
        {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
        {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
        {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
        {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
    };
    std::vector<PALETTEENTRY> e;
    for (const auto& c : colors)
        e.push_back({c[0], c[1], c[2], 0});
    auto* pal = new GdiPalette(std::move(e));
    pal->MakeStock();
    return pal;
}

std::vector<PALETTEENTRY> GdiPalette::Entries() const
{
    std::lock_guard lock(m_mutex);
    return m_entries;
}

UINT GdiPalette::SetEntries(UINT start, const PALETTEENTRY* entries, UINT count)
{
    std::lock_guard lock(m_mutex);
    if (start >= m_entries.size())
        return 0;
    const UINT n = UINT(std::min<size_t>(count, m_entries.size() - start));
    std::copy(entries, entries + n, m_entries.begin() + start);
    return n;
}

bool GdiPalette::Resize(UINT count)
{
    if (count == 0 || count > MaxEntries)
        return false;
    std::lock_guard lock(m_mutex);
    m_entries.resize(count);
    return true;
}
