#include "CFrameWnd.h"

#include "CCreateContext.h"
#include "framework/app/CWinApp.h"
#include "framework/doc/CDocument.h"
#include "framework/view/CView.h"

#include <QWidget>

CFrameWnd::~CFrameWnd() = default;

void CFrameWnd::SetActiveView(CView* view, bool notify)
{
    CView* old = m_pViewActive;
    if (view == old)
        return;
    m_pViewActive = view;
    if (notify) {
        if (old)
            old->OnActivateView(false, view, old);
        if (view)
            view->OnActivateView(true, view, old);
    }
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* v = GetActiveFrame() ? GetActiveFrame()->GetActiveView() : nullptr;
    return v ? v->GetDocument() : nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

bool CFrameWnd::PrepareFrame(UINT nIDResource, DWORD style)
{
    m_nIDHelp = nIDResource;
    CREATESTRUCT cs;
    cs.style = style;
    if (!PreCreateWindow(cs))
        return false;
    m_dwStyle = cs.style;
    return true;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD style, QWidget*, CCreateContext* context)
{
    if (!PrepareFrame(nIDResource, style))
        return FALSE;
    return OnCreate(context) == -1 ? FALSE : TRUE;
}

int CFrameWnd::OnCreate(CCreateContext* context) { return OnCreateClient(context) ? 0 : -1; }

BOOL CFrameWnd::OnCreateClient(CCreateContext* context)
{
    if (context && context->m_pNewViewClass)
        return CreateView(context, GetWidget()) != nullptr;
    return TRUE;
}

CView* CFrameWnd::CreateView(CCreateContext* context, QWidget* parent)
{
    if (context == nullptr || context->m_pNewViewClass == nullptr)
        return nullptr;
    CView* view = context->m_pNewViewClass->CreateAs<CView>();
    if (view == nullptr)
        return nullptr;
    if (!view->Create(parent, context)) {
        delete view;
        return nullptr;
    }
    context->m_pLastView = view;
    return view;
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, bool makeVisible)
{
    // The frame's first view becomes active, then every view of the frame
    // gets its initial update.
    if (m_pViewActive == nullptr && doc) {
        for (CView* v : doc->GetViews())
            if (v->GetParentFrame() == this) {
                SetActiveView(v, false);
                break;
            }
    }
    if (doc) {
        const auto views = doc->GetViews();
        for (CView* v : views)
            if (v->GetParentFrame() == this)
                v->OnInitialUpdate();
    }
    if (makeVisible) {
        ActivateFrame();
        if (m_pViewActive)
            m_pViewActive->setFocus();
    }
    OnUpdateFrameTitle(true);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    QWidget* w = GetWidget();
    if (nCmdShow == -1 || nCmdShow == SW_SHOWNORMAL || nCmdShow == SW_SHOW)
        w->show();
    else if (nCmdShow == SW_SHOWMAXIMIZED)
        w->showMaximized();
    else if (nCmdShow == SW_SHOWMINIMIZED)
        w->showMinimized();
    else if (nCmdShow == SW_HIDE)
        w->hide();
    else
        w->show();
}

void CFrameWnd::OnUpdateFrameTitle(bool) {}

void CFrameWnd::OnClose()
{
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;
    // The last frame of a document closes the document, which closes it.
    if (doc) {
        bool other = false;
        for (CView* v : doc->GetViews())
            if (v->GetParentFrame() != this)
                other = true;
        if (!other) {
            doc->OnCloseDocument();
            return;
        }
    }
    DestroyFrame();
}

void CFrameWnd::DestroyFrame()
{
    if (m_bDestroying)
        return;
    m_bDestroying = true;
    QWidget* w = GetWidget();
    // Views are told their window goes, then leave their documents now, so
    // that the document's view list is right before the widgets go (later).
    const auto views = w->findChildren<CView*>();
    for (CView* v : views)
        v->OnDestroy();
    for (CView* v : views)
        if (CDocument* d = v->GetDocument())
            d->RemoveView(v);
    m_pViewActive = nullptr;
    w->hide();
    w->deleteLater();
}

bool CFrameWnd::OnCmdMsg(UINT id, CCmdUI* update)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(id, update))
        return true;
    if (CCmdTarget::OnCmdMsg(id, update))
        return true;
    return AfxGetApp() != nullptr && AfxGetApp()->OnCmdMsg(id, update);
}

CCmdUI CFrameWnd::QueryCommand(UINT id)
{
    CCmdUI ui(id);
    if (!OnCmdMsg(id, &ui))
        ui.m_enabled = false; // no handler anywhere: greyed
    return ui;
}

bool CFrameWnd::SendCommand(UINT id)
{
    if (!QueryCommand(id).m_enabled)
        return false;
    return OnCmdMsg(id, nullptr);
}
