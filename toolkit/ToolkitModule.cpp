#include "ToolkitModule.h"

namespace {
CModule s_module("OwUt");
}

HINSTANCE ToolkitModule() { return &s_module; }
