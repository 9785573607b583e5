#pragma once
// Text and font records as plain structs (MS-EMF 2.3.5.8, 2.3.5.32-33,
// 2.3.5.37, 2.3.7.8).
#include "platform/gdi/FontDefs.h"

#include <string>
#include <vector>

// EMR_EXTCREATEFONTINDIRECTW: the LogFont part of its LogFontExDv or
// LogFontPanose.
struct EmrCreateFont {
    DWORD index = 0;
    LOGFONTW font{};
};

// One EmrText object: a string at a reference point. Exactly one of wide
// and narrow holds the characters (narrow for the "A" records and for
// EMR_SMALLTEXTOUT with ETO_SMALL_CHARS); dx holds as many advances as the
// record carried, which may be fewer than the characters.
struct EmrTextItem {
    POINT reference;
    UINT options = 0;
    RECT rect;
    bool isWide = true;
    std::u16string wide;
    std::string narrow;
    std::vector<INT> dx;
    size_t Length() const { return isWide ? wide.size() : narrow.size(); }
};

// EMR_EXTTEXTOUTA/W, EMR_POLYTEXTOUTA/W and EMR_SMALLTEXTOUT.
struct EmrText {
    RECT bounds;
    DWORD graphicsMode = 1;
    float exScale = 0, eyScale = 0;
    std::vector<EmrTextItem> items;
};
