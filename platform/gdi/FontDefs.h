#pragma once
// Font and text constants of the Windows GDI, and TEXTMETRICW field for
// field (in logical units, as GetTextMetrics fills it).
#include "platform/gdi/GdiDefs.h"
#include "platform/gdi/LogFont.h"

enum : BYTE {
    ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, MAC_CHARSET = 77, SHIFTJIS_CHARSET = 128,
    HANGUL_CHARSET = 129, JOHAB_CHARSET = 130, GB2312_CHARSET = 134, CHINESEBIG5_CHARSET = 136,
    GREEK_CHARSET = 161, TURKISH_CHARSET = 162, VIETNAMESE_CHARSET = 163, HEBREW_CHARSET = 177,
    ARABIC_CHARSET = 178, BALTIC_CHARSET = 186, RUSSIAN_CHARSET = 204, THAI_CHARSET = 222,
    EASTEUROPE_CHARSET = 238, OEM_CHARSET = 255,
};

enum : BYTE {
    DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2,
    FF_DONTCARE = 0x00, FF_ROMAN = 0x10, FF_SWISS = 0x20, FF_MODERN = 0x30, FF_SCRIPT = 0x40,
    FF_DECORATIVE = 0x50,
};

// ExtTextOut options.
enum : UINT {
    ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004, ETO_GLYPH_INDEX = 0x0010, ETO_RTLREADING = 0x0080,
    ETO_NO_RECT = 0x0100, ETO_SMALL_CHARS = 0x0200, ETO_NUMERICSLOCAL = 0x0400,
    ETO_NUMERICSLATIN = 0x0800, ETO_IGNORELANGUAGE = 0x1000, ETO_PDY = 0x2000,
};

// TEXTMETRIC pitch-and-family bits (note: TMPF_FIXED_PITCH set means variable).
enum : BYTE { TMPF_FIXED_PITCH = 0x01, TMPF_VECTOR = 0x02, TMPF_TRUETYPE = 0x04, TMPF_DEVICE = 0x08 };

struct TEXTMETRICW {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 0;
    LONG tmDigitizedAspectY = 0;
    char16_t tmFirstChar = 0;
    char16_t tmLastChar = 0;
    char16_t tmDefaultChar = 0;
    char16_t tmBreakChar = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};
using TEXTMETRIC = TEXTMETRICW;

// One string of PolyTextOut (lpstr has n characters; pdx n advances or null).
struct POLYTEXTW {
    int x = 0, y = 0;
    UINT n = 0;
    const char16_t* lpstr = nullptr;
    UINT uiFlags = 0;
    RECT rcl;
    const INT* pdx = nullptr;
};

// PolyTextOutA's string: n bytes in the code page of the selected font.
struct POLYTEXTA {
    int x = 0, y = 0;
    UINT n = 0;
    const char* lpstr = nullptr;
    UINT uiFlags = 0;
    RECT rcl;
    const INT* pdx = nullptr;
};
