#include "platform/gdi/GdiFont.h"

#include <array>
#include <cstring>

GdiFont::GdiFont(const LOGFONTW& lf) : GdiObject(OBJ_FONT), m_lf(lf)
{
    // The face name need not be terminated in a file: it ends at the field.
    m_lf.lfFaceName[LF_FACESIZE - 1] = 0;
}

GdiFont* GdiFont::Stock(const char* face, int height, BYTE pitchAndFamily, LONG weight)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfPitchAndFamily = pitchAndFamily;
    for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i)
        lf.lfFaceName[i] = char16_t(face[i]);
    auto* f = new GdiFont(lf);
    f->MakeStock();
    return f;
}

QString GdiFont::FaceName() const
{
    int n = 0;
    while (n < LF_FACESIZE && m_lf.lfFaceName[n])
        ++n;
    return QString::fromUtf16(m_lf.lfFaceName, n);
}

HFONT CreateFontIndirectW(const LOGFONTW* lf) { return lf ? new GdiFont(*lf) : nullptr; }

HFONT CreateFontIndirectA(const LOGFONTA* lf)
{
    if (!lf)
        return nullptr;
    LOGFONTW w{};
    std::memcpy(&w, lf, offsetof(LOGFONTA, lfFaceName));
    const QString face = QString::fromUtf8(lf->lfFaceName, qsizetype(strnlen(lf->lfFaceName, LF_FACESIZE)));
    for (qsizetype i = 0; i < face.size() && i < LF_FACESIZE - 1; ++i)
        w.lfFaceName[i] = face.at(i).unicode();
    return new GdiFont(w);
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, const char16_t* face)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = BYTE(italic);
    lf.lfUnderline = BYTE(underline);
    lf.lfStrikeOut = BYTE(strikeOut);
    lf.lfCharSet = BYTE(charSet);
    lf.lfOutPrecision = BYTE(outPrecision);
    lf.lfClipPrecision = BYTE(clipPrecision);
    lf.lfQuality = BYTE(quality);
    lf.lfPitchAndFamily = BYTE(pitchAndFamily);
    for (int i = 0; face && face[i] && i < LF_FACESIZE - 1; ++i)
        lf.lfFaceName[i] = face[i];
    return new GdiFont(lf);
}

HFONT GetStockFont(int index)
{
    // The platform's stock fonts on a 96 dpi display: the raster "System"
    // and "Fixedsys" fonts are 16 pixels high, "MS Sans Serif" (ANSI_VAR)
    // 13, DEFAULT_GUI_FONT is 8-point "MS Shell Dlg" (-11).
    static const std::array<GdiFont*, 8> fonts = {
        GdiFont::Stock("Terminal", 12, FIXED_PITCH | FF_MODERN, FW_NORMAL),       // OEM_FIXED_FONT
        GdiFont::Stock("Courier", 12, FIXED_PITCH | FF_MODERN, FW_NORMAL),        // ANSI_FIXED_FONT
        GdiFont::Stock("MS Sans Serif", 13, VARIABLE_PITCH | FF_SWISS, FW_NORMAL), // ANSI_VAR_FONT
        GdiFont::Stock("System", 16, VARIABLE_PITCH | FF_SWISS, FW_BOLD),         // SYSTEM_FONT
        GdiFont::Stock("System", 16, VARIABLE_PITCH | FF_SWISS, FW_BOLD),         // DEVICE_DEFAULT_FONT
        nullptr,                                                                  // DEFAULT_PALETTE
        GdiFont::Stock("Fixedsys", 15, FIXED_PITCH | FF_MODERN, FW_NORMAL),       // SYSTEM_FIXED_FONT
        GdiFont::Stock("MS Shell Dlg", -11, VARIABLE_PITCH | FF_SWISS, FW_NORMAL), // DEFAULT_GUI_FONT
    };
    if (index < OEM_FIXED_FONT || index > DEFAULT_GUI_FONT)
        return nullptr;
    return fonts[size_t(index - OEM_FIXED_FONT)];
}

bool GetLogFont(HGDIOBJ object, LOGFONTW* out)
{
    if (!object || object->Type() != OBJ_FONT || !out)
        return false;
    *out = static_cast<GdiFont*>(object)->LogFont();
    return true;
}
