#pragma once
#include "platform/module/CModule.h"

// The viewer program's module: its string table, menus, accelerators,
// icons and bitmaps.
HINSTANCE ViewerModule();

// The tables, filled once by ViewerModule().
void RegisterViewerStrings(CModule& module);
void RegisterViewerMenus(CModule& module);
void RegisterViewerImages(CModule& module);
void RegisterViewerToolBar(CModule& module);
void RegisterViewerPrompts(CModule& module);
