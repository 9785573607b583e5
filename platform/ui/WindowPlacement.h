#pragma once
// A window's placement as the Windows window-placement record keeps it: the
// show state, the minimized and maximized positions and the normal
// (restored) rectangle. For a Qt window the normal rectangle is the window's
// normal geometry (the client area, without the window manager's frame, in
// screen coordinates for a top-level window); Qt has no minimized or
// maximized position, so reading gives -1, -1 for both and applying ignores them.
#include "platform/types/CPoint.h"
#include "platform/types/CRect.h"
#include "platform/types/Win32Types.h"

class QWidget;

enum : UINT {
    WPF_SETMINPOSITION = 0x1,
    WPF_RESTORETOMAXIMIZED = 0x2,
    WPF_ASYNCWINDOWPLACEMENT = 0x4,
};

struct WINDOWPLACEMENT {
    UINT length = sizeof(WINDOWPLACEMENT);
    UINT flags = 0;
    UINT showCmd = 0;
    CPoint ptMinPosition;
    CPoint ptMaxPosition;
    CRect rcNormalPosition;
};

// Reads the placement. showCmd is SW_HIDE for a hidden window,
// SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED or SW_SHOWNORMAL otherwise; flags holds
// WPF_RESTORETOMAXIMIZED for a minimized window that was maximized before.
// FALSE for a null window or a record whose length is not set.
BOOL GetWindowPlacement(QWidget* window, WINDOWPLACEMENT* placement);

// Applies the placement: the normal rectangle (when not empty), then the show
// command (hide, minimize, maximize, restore, or show in the current state).
BOOL SetWindowPlacement(QWidget* window, const WINDOWPLACEMENT* placement);
