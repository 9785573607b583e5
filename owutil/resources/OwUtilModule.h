#pragma once
#include "platform/module/CModule.h"

// The utility library's own module: its string table and its file. Strings
// are added to the table in OwUtilStrings.cpp.
HINSTANCE OwUtilModule();
