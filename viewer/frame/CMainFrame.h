#pragma once
// The viewer's main window: menu bar, dockable toolbar, status bar with the
// zoom pane, tabs for the document windows, menu images, the task-tray icon
// and the help window.
#include "framework/frame/CMDIFrameWnd.h"
#include "owutil/ui/CTaskbarIcon.h"
#include "toolkit/COXBitmapMenuOrganizer.h"

class QLabel;
class COXCoolToolBar;
class COXStatusBar;
class COXTabClientWnd;

class CMainFrame : public CMDIFrameWnd {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    int OnCreate(CCreateContext* context) override;
    // Stores the workspace, then closes as the framework does.
    void OnClose() override;

    // Shows a view's zoom factor as a whole percentage ("%d %%", truncated:
    // 0.999 shows "99 %").
    void SetZoomFactor(double zoom);
    double GetZoomFactor() const { return m_dZoomFactor; }
    // The percentage text of a zoom factor.
    static QString ZoomText(double zoom);

    // The status bar's pane notification (WM_USER + 555, the pane's id):
    // the zoom pane sends Zoom To to the active document window. Always 1.
    LRESULT OnPaneNotify(UINT paneId);
    // Help for a help context and command, in the program's help window.
    void WinHelp(DWORD data, UINT cmd) override;
    // The topic WinHelp shows for a help context and command.
    static DWORD HelpTopic(DWORD data, UINT cmd);

    // F1: the highlighted menu command's topic, else the active frame's.
    void OnHelp();
    // Shift+F1: the next click on a menu item, button or window asks for its topic.
    void OnContextHelp();
    bool IsInContextHelp() const { return m_contextHelp; }

    COXStatusBar* GetStatusBar() const { return m_wndStatusBar; }
    COXCoolToolBar* GetToolBar() const { return m_wndToolBar; }
    COXTabClientWnd* GetTabClient() const { return m_MTIClientWnd; }
    COXBitmapMenuOrganizer& GetMenuOrganizer() { return m_menuOrganizer; }
    CTaskbarIcon& GetTaskbarIcon() { return m_taskbarIcon; }

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A size change of the given kind (SIZE_MINIMIZED, SIZE_RESTORED...).
    virtual void OnSize(UINT type);

private:
    bool createBars();
    void registerCommands();
    void EndContextHelp();

    double m_dZoomFactor = 1.0;
    COXTabClientWnd* m_MTIClientWnd = nullptr;
    COXStatusBar* m_wndStatusBar = nullptr;
    COXCoolToolBar* m_wndToolBar = nullptr;
    COXBitmapMenuOrganizer m_menuOrganizer;
    CTaskbarIcon m_taskbarIcon;
    // Whether the window was maximised when it was last minimised.
    bool m_maximizedBeforeMinimize = false;
    bool m_contextHelp = false;
};
