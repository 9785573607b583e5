#include "CChildFrame.h"

#include "framework/app/CWinApp.h"
#include "framework/cmd/CommandIds.h"

CChildFrame::CChildFrame() = default;
CChildFrame::~CChildFrame() = default;

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    return TRUE;
}

void CChildFrame::ActivateFrame(int nCmdShow)
{
    // Document windows open maximised unless the user prefers otherwise.
    if (AfxGetApp() && AfxGetApp()->GetProfileInt(QStringLiteral("Settings"), QStringLiteral("MaximizeChildren"), 1) != 0)
        nCmdShow = SW_SHOWMAXIMIZED;
    CMDIChildWnd::ActivateFrame(nCmdShow);
}
