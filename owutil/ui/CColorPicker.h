#pragma once
// Picks the least-used colour of a palette: a client that colours a series
// of things (curves, layers) adds each colour it uses and asks for the
// next one, so that colours repeat only once all have been used.
#include "platform/types/Win32Types.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CColorPicker {
public:
    // With an empty table, ChosenColor gives this: black, a colour every
    // drawing shows and no caller mistakes for "no colour".
    static constexpr COLORREF EmptyTableColor = RGB(0, 0, 0);

    CColorPicker() = default;
    explicit CColorPicker(const std::vector<COLORREF>& colors);

    // Replaces the table by colors, in order, none used yet.
    void SetColorTable(const std::vector<COLORREF>& colors);
    // Counts one more use of every entry with color; a colour that is not
    // in the table changes nothing.
    void AddColor(COLORREF color);
    void ResetUsedColors();
    // The colour used least; among equals, the first in the table.
    COLORREF ChosenColor() const;

    size_t GetCount() const { return m_entries.size(); }
    int32_t GetUseCount(size_t index) const { return index < m_entries.size() ? m_entries[index].count : 0; }

private:
    struct Entry {
        COLORREF color;
        int32_t count;
    };
    std::vector<Entry> m_entries;
};
