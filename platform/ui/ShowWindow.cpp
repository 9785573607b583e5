#include "ShowWindow.h"

#include <QWidget>

bool ShowWindow(QWidget* w, int nCmdShow)
{
    if (w == nullptr)
        return false;
    const bool wasVisible = w->isVisible();
    switch (nCmdShow) {
    case SW_HIDE: w->hide(); break;
    case SW_SHOWMAXIMIZED: w->showMaximized(); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: w->showMinimized(); break;
    case SW_SHOWNORMAL: w->showNormal(); break;
    case SW_RESTORE:
        // A minimised window comes back as it was before (maximised stays
        // maximised); only a window that is not minimised becomes normal.
        if (w->windowState() & Qt::WindowMinimized) {
            w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
            w->show();
        } else {
            w->showNormal();
        }
        break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
        w->setAttribute(Qt::WA_ShowWithoutActivating, true);
        w->show();
        w->setAttribute(Qt::WA_ShowWithoutActivating, false);
        break;
    default: w->show(); break;
    }
    if (nCmdShow != SW_HIDE && nCmdShow != SW_SHOWNOACTIVATE && nCmdShow != SW_SHOWNA &&
        nCmdShow != SW_SHOWMINNOACTIVE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINIMIZED) {
        w->raise();
        w->activateWindow();
    }
    return wasVisible;
}
