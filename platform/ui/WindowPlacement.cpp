#include "WindowPlacement.h"

#include "platform/types/QtGeometry.h"

#include <QWidget>

BOOL GetWindowPlacement(QWidget* window, WINDOWPLACEMENT* placement)
{
    if (window == nullptr || placement == nullptr || placement->length != sizeof(WINDOWPLACEMENT))
        return FALSE;
    const Qt::WindowStates state = window->windowState();
    placement->flags = 0;
    if (!window->isVisible())
        placement->showCmd = SW_HIDE;
    else if (state & Qt::WindowMinimized)
        placement->showCmd = SW_SHOWMINIMIZED;
    else if (state & Qt::WindowMaximized)
        placement->showCmd = SW_SHOWMAXIMIZED;
    else
        placement->showCmd = SW_SHOWNORMAL;
    if ((state & Qt::WindowMinimized) && (state & Qt::WindowMaximized))
        placement->flags |= WPF_RESTORETOMAXIMIZED;
    placement->ptMinPosition = CPoint(-1, -1);
    placement->ptMaxPosition = CPoint(-1, -1);
    // normalGeometry is only kept for top-level windows that left the normal state.
    QRect normal = window->isWindow() ? window->normalGeometry() : QRect();
    if (!normal.isValid())
        normal = window->geometry();
    placement->rcNormalPosition = toCRect(normal);
    return TRUE;
}

BOOL SetWindowPlacement(QWidget* window, const WINDOWPLACEMENT* placement)
{
    if (window == nullptr || placement == nullptr || placement->length != sizeof(WINDOWPLACEMENT))
        return FALSE;
    const CRect& r = placement->rcNormalPosition;
    if (r.Width() > 0 && r.Height() > 0) {
        // The normal rectangle is that of the restored window: leave the
        // maximized or minimized state first, or the geometry would be lost.
        if (window->isWindow() && (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
            window->setWindowState(Qt::WindowNoState);
        window->setGeometry(toQRect(r));
    }
    switch (int(placement->showCmd)) {
    case SW_HIDE:
        window->hide();
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        if (placement->flags & WPF_RESTORETOMAXIMIZED) {
            window->setWindowState(Qt::WindowMinimized | Qt::WindowMaximized);
            window->show();
        } else {
            window->showMinimized();
        }
        break;
    case SW_SHOWMAXIMIZED:
        window->showMaximized();
        break;
    case SW_SHOW:
    case SW_SHOWNA:
        window->show();
        break;
    default:
        window->showNormal();
        break;
    }
    return TRUE;
}
