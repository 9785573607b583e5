#pragma once
#include "platform/gdi/CGdiObject.h"

class CPalette : public CGdiObject {
public:
    BOOL CreatePalette(const std::vector<PALETTEENTRY>& entries) { return Attach(::CreatePalette(entries)); }
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); } // NOLINT
};
