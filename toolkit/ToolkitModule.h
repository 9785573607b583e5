#pragma once
#include "platform/module/CModule.h"

// The toolkit library's own module: its resources and its file.
HINSTANCE ToolkitModule();
