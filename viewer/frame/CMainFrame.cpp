#include "CMainFrame.h"

#include "framework/app/CWinApp.h"
#include "toolkit/COXWorkspaceState.h"

CMainFrame::CMainFrame() = default;
CMainFrame::~CMainFrame() = default;

int CMainFrame::OnCreate(CCreateContext* context)
{
    if (CMDIFrameWnd::OnCreate(context) == -1)
        return -1;
    resize(1024, 720);
    return 0;
}

void CMainFrame::OnClose()
{
    COXWorkspaceState workspace;
    const bool persistentPos =
        AfxGetApp() && AfxGetApp()->GetProfileInt(QStringLiteral("Settings"), QStringLiteral("PersistentPos"), 0) == 1;
    workspace.IncludeMainWindow(persistentPos);
    workspace.IncludeBarProperty(TRUE);
    workspace.IncludeChildFrame(FALSE);
    workspace.IncludeSplitterPane(FALSE);
    workspace.StoreToRegistry(QString(), QString(), TRUE, TRUE, TRUE);
    CMDIFrameWnd::OnClose();
}
