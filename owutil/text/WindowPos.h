#pragma once
// A window's placement kept in an INI file, as one value
// "flags,showCommand,minX,minY,left,top,right,bottom" (see
// platform/ui/WindowPlacement.h for what a placement holds for a Qt window).
#include <QString>

class QWidget;

namespace OwUtil {

// Writes the placement of window as key in section (null: "WindowPos") of
// file, a path taken against the current folder. True when written.
bool SaveWindowPos(const QString& file, QWidget* window, const char* key, const char* section = nullptr);

// Applies the placement stored as key in section (null: "WindowPos") of file:
//  - a missing file: the window is left alone and the result is false;
//  - a missing key: the window's current placement is applied (with the
//    adjustments below) and the result is false;
//  - a normal rectangle whose right and bottom are 0 becomes 80 % of the
//    screen's width and height from its left and top;
//  - unless the stored show command is 0 (hidden) or keepShow is true,
//    maximize shows it maximized and minimize (which wins) minimized;
//  - showCommand (when given) receives SW_SHOW, or SW_HIDE for a hidden placement.
// The stored position is not checked against the screen.
bool RestoreWindowPos(const QString& file, QWidget* window, const char* key, const char* section = nullptr,
                      bool maximize = false, bool minimize = false, bool keepShow = false,
                      int* showCommand = nullptr);

} // namespace OwUtil
