#pragma once
// Help contexts and commands, as the platform's help call takes them: a
// command's topic is HID_BASE_COMMAND plus its id, a window's or dialog's
// topic HID_BASE_RESOURCE plus its resource id.
#include "platform/types/Win32Types.h"

enum : DWORD {
    HID_BASE_COMMAND = 0x00010000,
    HID_BASE_RESOURCE = 0x00020000,
};

enum : UINT {
    HELP_CONTEXT = 0x0001,
    HELP_FINDER = 0x000B,
};

// The id of a dialog's Help button.
enum : int { IDHELP = 9 };
