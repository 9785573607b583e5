#include "CChildFrame.h"

#include "framework/app/CWinApp.h"
#include "framework/cmd/CommandIds.h"
#include "framework/frame/CCreateContext.h"

CChildFrame::CChildFrame()
{
    OnCommand(ID_WINDOW_SPLIT, [this] {
        if (m_wndSplitter)
            m_wndSplitter->DoKeyboardSplit();
    });
    OnUpdateCommand(ID_WINDOW_SPLIT, [this](CCmdUI* ui) {
        ui->Enable(m_wndSplitter && (m_wndSplitter->GetRowCount() < 2 || m_wndSplitter->GetColumnCount() < 2));
    });
    OnCommand(ID_NEXT_PANE, [this] {
        if (m_wndSplitter)
            m_wndSplitter->ActivateNext(false);
    });
    OnCommand(ID_PREV_PANE, [this] {
        if (m_wndSplitter)
            m_wndSplitter->ActivateNext(true);
    });
    // Close takes this window away; the document goes with its last window.
    OnCommand(ID_FILE_CLOSE, [this] { OnClose(); });
}

CChildFrame::~CChildFrame() = default;

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
    return TRUE;
}

BOOL CChildFrame::OnCreateClient(CCreateContext* context)
{
    if (context == nullptr || context->m_pNewViewClass == nullptr)
        return CMDIChildWnd::OnCreateClient(context);
    auto* splitter = new CSplitterWnd;
    if (!splitter->Create(this, 2, 2, QSize(10, 10), context)) {
        delete splitter;
        return FALSE;
    }
    m_wndSplitter = splitter;
    setWidget(splitter);
    return TRUE;
}

void CChildFrame::ActivateFrame(int nCmdShow)
{
    // Document windows open maximised unless the user prefers otherwise.
    if (AfxGetApp() && AfxGetApp()->GetProfileInt(QStringLiteral("Settings"), QStringLiteral("MaximizeChildren"), 1) != 0)
        nCmdShow = SW_SHOWMAXIMIZED;
    CMDIChildWnd::ActivateFrame(nCmdShow);
}
