#pragma once
// A logical palette. Colours are kept for SetPaletteEntries / GetPaletteEntries;
// realising into a palette device comes with the bitmap layer.
#include "platform/gdi/GdiObject.h"

#include <mutex>
#include <vector>

class GdiPalette : public GdiObject {
public:
    explicit GdiPalette(std::vector<PALETTEENTRY> entries);
    static GdiPalette* Stock();

    // The maximum number of entries a logical palette holds.
    static constexpr size_t MaxEntries = 1024;

    std::vector<PALETTEENTRY> Entries() const;
    UINT SetEntries(UINT start, const PALETTEENTRY* entries, UINT count);
    bool Resize(UINT count);

private:
    mutable std::mutex m_mutex;
    std::vector<PALETTEENTRY> m_entries;
};

using HPALETTE = GdiPalette*;
