#pragma once
#include "platform/module/CModule.h"

// The framework's own module: its string table (standard prompts and the
// all-files filter).
HINSTANCE FrameworkModule();
