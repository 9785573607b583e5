#pragma once
// Styles of the frame's control bars and tab controls, and the window
// messages the bars send to their frame.
#include "platform/types/Win32Types.h"

enum : DWORD {
    CBRS_ALIGN_LEFT = 0x1000,
    CBRS_ALIGN_TOP = 0x2000,
    CBRS_ALIGN_RIGHT = 0x4000,
    CBRS_ALIGN_BOTTOM = 0x8000,
    CBRS_ALIGN_ANY = 0xF000,
    CBRS_TOOLTIPS = 0x0010,
    CBRS_FLYBY = 0x0020,
    CBRS_TOP = CBRS_ALIGN_TOP,
    CBRS_BOTTOM = CBRS_ALIGN_BOTTOM,
};

enum : DWORD {
    TCS_SCROLLOPPOSITE = 0x0001,
    TCS_BOTTOM = 0x0002,
    TCS_HOTTRACK = 0x0040,
    TCS_MULTILINE = 0x0200,
};

enum : UINT {
    WM_USER = 0x0400,
};
