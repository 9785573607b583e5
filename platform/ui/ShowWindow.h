#pragma once
#include "platform/types/Win32Types.h"

class QWidget;

// ShowWindow: shows, hides, maximizes, minimizes or restores a top-level or
// MDI window by the platform's show command (SW_...). Returns whether the
// window was visible before.
bool ShowWindow(QWidget* window, int nCmdShow);
