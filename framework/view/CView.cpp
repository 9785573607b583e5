#include "CView.h"

#include "framework/app/CWinApp.h"
#include "framework/cmd/CommandIds.h"
#include "framework/doc/CDocument.h"
#include "framework/frame/CCreateContext.h"
#include "framework/frame/CFrameWnd.h"

CView::CView()
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
}

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget())
        if (auto* f = dynamic_cast<CFrameWnd*>(w))
            return f;
    return nullptr;
}

bool CView::Create(QWidget* parent, CCreateContext* context)
{
    setParent(parent);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return true;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, intptr_t, CObject*) { update(); }

void CView::OnDraw(CDC*) {}

void CView::OnActivateView(bool, CView*, CView*) {}

bool CView::OnCmdMsg(UINT id, CCmdUI* update)
{
    if (CCmdTarget::OnCmdMsg(id, update))
        return true;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(id, update);
}

void CView::OnFilePrint()
{
    AfxMessageBox(AfxGetApp() ? AfxGetApp()->LoadFrameworkString(AFX_IDP_PRINT_NOT_AVAILABLE)
                              : QStringLiteral("Printing is not available yet."),
                  MB_ICONINFORMATION);
}

void CView::OnFilePrintPreview() { OnFilePrint(); }
