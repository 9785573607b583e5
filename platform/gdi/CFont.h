#pragma once
#include "platform/gdi/CGdiObject.h"
#include "platform/gdi/GdiFont.h"

class CFont : public CGdiObject {
public:
    CFont() = default;
    BOOL CreateFontIndirect(const LOGFONTW* lf) { return Attach(::CreateFontIndirectW(lf)); }
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, const char16_t* face)
    {
        return Attach(::CreateFontW(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                    charSet, outPrecision, clipPrecision, quality, pitchAndFamily, face));
    }
    int GetLogFont(LOGFONTW* lf) const { return ::GetLogFont(m_hObject, lf) ? int(sizeof(LOGFONTW)) : 0; }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); } // NOLINT
};
