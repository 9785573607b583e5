#pragma once
// Captures a window's client area or a dragged rectangle of the screen as
// a device-independent bitmap at the display's colour depth. The grabber
// owns the bitmap it made; a new grab replaces it.
#include "platform/types/CPoint.h"
#include "platform/types/CRect.h"
#include "platform/types/Win32Types.h"
#include "toolkit/COXDIB.h"

#include <QImage>

class QWidget;

class COXScreenGrabber {
public:
    COXScreenGrabber() = default;

    // What window's client area shows (a scroll area's viewport), read from
    // the screen where the window system lets a program read it (X11), so
    // that it is exactly what the user sees; elsewhere (Wayland, no
    // window system) the window renders itself. FALSE when the window has
    // no client area to grab.
    BOOL GrabClientWindow(QWidget* window);
    // Freezes the screen under startPoint (screen coordinates), lets the
    // user drag a rubber band from there with the left button (a new press
    // starts it anew) and grabs the rectangle released on. The band stays
    // inside clipWindow's frame when one is given. FALSE when the user
    // cancels (Escape, see WasCancelled) or the rectangle is empty.
    // trackWindow is the window the drag started in; it gets the focus back.
    BOOL GrabTracker(QWidget* trackWindow, const CPoint& startPoint, QWidget* clipWindow);
    // A rectangle of the screen (screen coordinates).
    BOOL GrabRectangle(const CRect& screenRect);

    // The last grab; empty before the first one and after a failed one.
    COXDIB* GetGrabDIB() { return &m_dib; }
    // The rectangle the last grab took, in screen coordinates.
    CRect GetGrabRect() const { return m_rect; }
    // The last GrabTracker ended by the user's Escape.
    bool WasCancelled() const { return m_cancelled; }

    // Whether the window system lets a program read the screen's pixels.
    static bool CanReadScreen();

private:
    BOOL setImage(const QImage& image, const CRect& rect);

    COXDIB m_dib;
    CRect m_rect;
    bool m_cancelled = false;
};
