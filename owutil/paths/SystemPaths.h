#pragma once
// Paths the system knows: module files, system folders, version blocks.
#include "platform/module/CModule.h"

#include <QString>

class COXVersionInfo;

namespace OwUtil {

// The full path of module's file (a program or shared library); for null,
// the running program's.
QString GetModuleFileName(HINSTANCE module = nullptr);

// The platform's nearest counterparts of the Windows folders, each ending in
// "/": the Windows folder is "/etc/" (the installed system's settings), the
// system folder "/usr/lib/" (its shared libraries), the temporary folder
// $TMPDIR or "/tmp/".
QString GetWindowsFolder();
QString GetSystemFolder();
QString GetTempFolder();

// The version block of the program or library file path, or null when the
// file has none or cannot be read. The caller owns the object.
COXVersionInfo* GetVersionInfo(const QString& path);

} // namespace OwUtil
