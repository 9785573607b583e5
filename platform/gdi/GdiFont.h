#pragma once
// A logical font, as CreateFontIndirect made it: the LOGFONTW it was asked
// for. Which real face draws it, and at what size, is decided when it is
// used (FontResolver), since that depends on the device context's
// transform. Immutable.
#include "platform/gdi/FontDefs.h"
#include "platform/gdi/GdiObject.h"

#include <QString>

class GdiFont : public GdiObject {
public:
    explicit GdiFont(const LOGFONTW& lf);

    // A stock font: face, cell height and pitch of the platform's own.
    static GdiFont* Stock(const char* face, int height, BYTE pitchAndFamily, LONG weight);

    const LOGFONTW& LogFont() const { return m_lf; }
    QString FaceName() const;

private:
    LOGFONTW m_lf;
};

using HFONT = GdiFont*;

HFONT CreateFontIndirectW(const LOGFONTW* lf);
HFONT CreateFontIndirectA(const LOGFONTA* lf);
HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, const char16_t* face);
// The stock fonts (SYSTEM_FONT, ANSI_VAR_FONT, DEFAULT_GUI_FONT...); null
// for an index that is not a font.
HFONT GetStockFont(int index);
// The LOGFONTW of a font object; false for anything else.
bool GetLogFont(HGDIOBJ object, LOGFONTW* out);
