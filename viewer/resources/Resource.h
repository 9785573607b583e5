#pragma once
// The viewer's resource and command ids.
#include "platform/types/Win32Types.h"

enum : UINT {
    IDB_SPLASH = 1,
    IDR_MAINFRAME = 128,
    IDR_EMFTYPE = 131,
    IDR_WMFTYPE = 132,
    IDR_BMPTYPE = 133,
    IDR_ICOTYPE = 134,
    IDR_TIFTYPE = 135,
    IDR_GIFTYPE = 136,
    IDR_JPGTYPE = 137,
    IDR_MJTYPE = 138,
    IDR_PNGTYPE = 139,
    IDR_TGATYPE = 140,
    IDR_PCXTYPE = 141,
    // The About box's logo: 96 x 96, 256 colours, magenta is transparent.
    IDB_ABOUTLOGO = 171,
};

// The viewer's own commands.
enum : UINT {
    ID_PREFERENCES = 32770,
    ID_CAPTURE_WINDOW = 32771,
    ID_CAPTURE_REGION = 32772,
    ID_FIT_PAGE = 32773,
    ID_FIT_X = 32774,
    ID_FIT_Y = 32775,
    ID_FIT_GIVEN_X = 32776,
    ID_FIT_GIVEN_Y = 32777,
    ID_ZOOM_IN = 32778,
    ID_ZOOM_OUT = 32779,
    ID_ZOOM_TO = 32780,
    ID_REFRESH = 32781,
    ID_TRAY_RESTORE = 32782,
    ID_TRAY_CLOSE = 32783,
    ID_INDICATOR_ZOOM = 59200,
};
