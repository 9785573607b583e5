#pragma once
// The Windows file-attribute bits, as the path helpers use them for file
// searches. How each bit maps to a POSIX file is COXUNC::GetAttributes'.
#include "platform/types/Win32Types.h"

enum : DWORD {
    FILE_ATTRIBUTE_READONLY = 0x1,
    FILE_ATTRIBUTE_HIDDEN = 0x2,
    FILE_ATTRIBUTE_SYSTEM = 0x4,
    FILE_ATTRIBUTE_DIRECTORY = 0x10,
    FILE_ATTRIBUTE_ARCHIVE = 0x20,
    FILE_ATTRIBUTE_NORMAL = 0x80,
    FILE_ATTRIBUTE_TEMPORARY = 0x100,
    FILE_ATTRIBUTE_COMPRESSED = 0x800,
};

// What the attribute query gives for a path that does not exist.
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
