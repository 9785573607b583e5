#pragma once
// Tabs for the document windows of an MDI frame: one tab per window, with
// its title and icon, in the order the windows were opened; the active
// window's tab is current, and clicking a tab activates its window.
#include "platform/types/Win32Types.h"

#include <QMdiArea>
#include <QPointer>
#include <QWidget>

class QMdiSubWindow;
class QMainWindow;
class QTabBar;

class COXTabClientWnd : public QWidget {
    Q_OBJECT
public:
    COXTabClientWnd();
    ~COXTabClientWnd() override;

    // Puts the tabs beside frame's MDI area (its central widget); style
    // holds the TCS_ bits (bottom, multi-line, hot-tracking...).
    BOOL Attach(QMainWindow* frame, DWORD style);
    BOOL IsAttached() const { return m_mdiArea != nullptr; }
    DWORD GetTabStyle() const { return m_style; }
    QTabBar* GetTabCtrl() const { return m_tabs; }
    // The window a tab stands for.
    QMdiSubWindow* GetWindow(int tab) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void scheduleSync();
    void sync();

    QPointer<QMdiArea> m_mdiArea;
    QTabBar* m_tabs = nullptr;
    DWORD m_style = 0;
    bool m_syncPending = false;
    bool m_syncing = false;
};
