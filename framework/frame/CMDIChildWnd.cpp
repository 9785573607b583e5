#include "CMDIChildWnd.h"

#include "CCreateContext.h"
#include "CMDIFrameWnd.h"
#include "framework/app/CWinApp.h"
#include "framework/cmd/CommandIds.h"
#include "framework/doc/CDocTemplate.h"
#include "framework/doc/CDocument.h"
#include "framework/view/CView.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMdiArea>
#include <QTimer>

CMDIChildWnd::CMDIChildWnd()
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Maximising or restoring changes how the main window names the document;
    // the MDI area has rewritten that title once the state change is done.
    connect(this, &QMdiSubWindow::windowStateChanged, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (m_pMDIFrame && !m_bDestroying)
                m_pMDIFrame->OnUpdateFrameTitle(true);
        });
    });
}

CMDIChildWnd::~CMDIChildWnd()
{
    // Views still in this window leave their documents before they go.
    const auto views = findChildren<CView*>();
    for (CView* v : views)
        v->OnDestroy();
    for (CView* v : views)
        if (CDocument* d = v->GetDocument())
            d->RemoveView(v);
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD style, QWidget* parent, CCreateContext* context)
{
    m_pMDIFrame = dynamic_cast<CMDIFrameWnd*>(parent);
    if (m_pMDIFrame == nullptr && AfxGetApp())
        m_pMDIFrame = dynamic_cast<CMDIFrameWnd*>(AfxGetApp()->m_pMainWnd);
    if (m_pMDIFrame == nullptr)
        return FALSE;
    if (context)
        m_pTemplate = context->m_pNewDocTemplate;

    if (!PrepareFrame(nIDResource, style))
        return FALSE;

    // The style's buttons and border become the sub-window's.
    Qt::WindowFlags flags = Qt::SubWindow;
    if (m_dwStyle & WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (m_dwStyle & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (m_dwStyle & WS_MINIMIZEBOX)
        flags |= Qt::WindowMinimizeButtonHint;
    if (m_dwStyle & WS_MAXIMIZEBOX)
        flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);

    if (HINSTANCE res = AfxGetResourceHandle())
        if (const QString* icon = res->FindImage(nIDResource))
            setWindowIcon(QIcon(*icon));

    m_pMDIFrame->MDIGetClient()->addSubWindow(this);
    if (OnCreate(context) == -1) {
        m_pMDIFrame->MDIGetClient()->removeSubWindow(this);
        return FALSE;
    }
    return TRUE;
}

BOOL CMDIChildWnd::OnCreateClient(CCreateContext* context)
{
    if (context == nullptr || context->m_pNewViewClass == nullptr)
        return TRUE;
    CView* view = CreateView(context, this);
    if (view == nullptr)
        return FALSE;
    setWidget(view);
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = SW_SHOW;
    if (nCmdShow == SW_SHOWMAXIMIZED)
        showMaximized();
    else if (nCmdShow == SW_SHOWMINIMIZED)
        showMinimized();
    else if (nCmdShow == SW_HIDE)
        hide();
    else
        show();
    if (nCmdShow != SW_HIDE)
        MDIActivate();
}

void CMDIChildWnd::MDIActivate()
{
    if (m_pMDIFrame) {
        m_pMDIFrame->MDIActivate(this);
    }
}

void CMDIChildWnd::OnUpdateFrameTitle(bool addToTitle)
{
    CDocument* doc = GetActiveDocument();
    if (addToTitle && (m_dwStyle & FWS_ADDTOTITLE) && doc) {
        QString title = doc->GetTitle();
        // Several windows on one document are numbered "name:1", "name:2"...
        int n = 0, index = 0;
        for (CView* v : doc->GetViews()) {
            CFrameWnd* f = v->GetParentFrame();
            bool seen = false;
            for (CView* w : doc->GetViews()) {
                if (w == v)
                    break;
                if (w->GetParentFrame() == f)
                    seen = true;
            }
            if (seen)
                continue;
            ++n;
            if (f == this)
                index = n;
        }
        if (n > 1)
            title += QStringLiteral(":%1").arg(index);
        setWindowTitle(title);
    }
    if (m_pMDIFrame)
        m_pMDIFrame->OnUpdateFrameTitle(true);
}

bool CMDIChildWnd::OnCmdMsg(UINT id, CCmdUI* update)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(id, update))
        return true;
    return CCmdTarget::OnCmdMsg(id, update);
}

void CMDIChildWnd::DestroyFrame()
{
    if (m_bDestroying)
        return;
    setProperty("lumivuDestroying", true);
    CMDIFrameWnd* frame = m_pMDIFrame;
    CFrameWnd::DestroyFrame();
    if (frame) {
        frame->MDIGetClient()->removeSubWindow(this);
        CMDIChildWnd* next = frame->MDIGetActive();
        frame->OnChildActivated(next == this ? nullptr : next);
    }
}

void CMDIChildWnd::closeEvent(QCloseEvent* event)
{
    // The framework decides: the document may keep the window open.
    event->ignore();
    if (!m_bDestroying)
        OnClose();
}
