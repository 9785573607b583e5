#pragma once
#include "platform/module/CModule.h"

// The utility library's own module: its string table, its artwork and its
// file. Strings are added in OwUtilStrings.cpp, artwork in OwUtilImages.cpp.
HINSTANCE OwUtilModule();
