#include "CDocument.h"

#include "CDocTemplate.h"
#include "framework/app/CWinApp.h"
#include "framework/cmd/CommandIds.h"
#include "framework/frame/CFrameWnd.h"
#include "framework/view/CView.h"
#include "platform/shell/MailHandler.h"

#include <QFileInfo>
#include <algorithm>

CDocument::CDocument()
{
    OnCommand(ID_FILE_SEND_MAIL, [this] { OnFileSendMail(); });
    OnUpdateCommand(ID_FILE_SEND_MAIL, [this](CCmdUI* ui) { OnUpdateFileSendMail(ui); });
}

CDocument::~CDocument()
{
    // Views of a document being deleted must not call back into it.
    for (CView* v : m_viewList)
        v->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const QString& title)
{
    m_strTitle = title;
    for (CView* v : m_viewList) {
        if (CFrameWnd* f = v->GetParentFrame())
            f->OnUpdateFrameTitle(true);
    }
}

void CDocument::SetPathName(const QString& path, bool addToMRU)
{
    m_strPathName = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(m_strPathName).fileName());
    if (addToMRU && AfxGetApp())
        AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* view)
{
    if (std::find(m_viewList.begin(), m_viewList.end(), view) != m_viewList.end())
        return;
    m_viewList.push_back(view);
    view->m_pDocument = this;
    UpdateFrameCounts();
}

void CDocument::RemoveView(CView* view)
{
    auto it = std::find(m_viewList.begin(), m_viewList.end(), view);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    view->m_pDocument = nullptr;
    // The last view gone closes an auto-deleting document.
    if (m_viewList.empty() && m_bAutoDelete && !m_closing)
        OnCloseDocument();
    else if (!m_closing)
        UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    std::vector<CFrameWnd*> frames;
    for (CView* v : m_viewList)
        if (CFrameWnd* f = v->GetParentFrame(); f && std::find(frames.begin(), frames.end(), f) == frames.end())
            frames.push_back(f);
    for (CFrameWnd* f : frames)
        f->OnUpdateFrameTitle(true);
}

void CDocument::UpdateAllViews(CView* sender, intptr_t hint, CObject* hintObject)
{
    const auto views = m_viewList;
    for (CView* v : views)
        if (v != sender)
            v->OnUpdate(sender, hint, hintObject);
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const QString& path)
{
    CFile file;
    CFileException fe;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(path, &fe, false, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    try {
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = this;
        Serialize(ar);
        file.Close();
    } catch (const CException& e) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(path, &e, false, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    SetModifiedFlag(false);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const QString& path)
{
    // Documents that save do so in their own format; the base class has none.
    ReportSaveLoadException(path, nullptr, true, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
}

void CDocument::Serialize(CArchive&) {}

void CDocument::OnCloseDocument()
{
    if (m_closing)
        return;
    m_closing = true;
    const bool autoDelete = m_bAutoDelete;
    // Destroying a frame destroys its views, which leave the list.
    while (!m_viewList.empty()) {
        CView* v = m_viewList.front();
        CFrameWnd* frame = v->GetParentFrame();
        if (frame && !frame->IsMainFrame()) {
            frame->DestroyFrame();
        } else {
            RemoveView(v);
            delete v;
        }
    }
    DeleteContents();
    if (autoDelete)
        delete this;
    else
        m_closing = false;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame)
{
    // Other frames still show the document: it stays open.
    for (CView* v : m_viewList)
        if (v->GetParentFrame() != frame)
            return TRUE;
    return SaveModified();
}

BOOL CDocument::SaveModified() { return TRUE; }

void CDocument::ReportSaveLoadException(const QString& path, const CException* e, bool saving,
                                        UINT defaultPrompt)
{
    QString text;
    if (e != nullptr) {
        text = e->GetErrorMessage();
        if (auto* fe = dynamic_cast<const CFileException*>(e); fe && fe->m_strFileName.isEmpty())
            text = CFileException(fe->m_cause, fe->m_lOsError, path).GetErrorMessage();
    }
    if (text.isEmpty())
        text = AfxGetApp() ? AfxGetApp()->LoadFrameworkString(defaultPrompt)
                           : (saving ? QStringLiteral("Failed to save document.")
                                     : QStringLiteral("Failed to open document."));
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

bool CDocument::OnCmdMsg(UINT id, CCmdUI* update)
{
    if (CCmdTarget::OnCmdMsg(id, update))
        return true;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(id, update);
}

void CDocument::OnFileSendMail()
{
    if (m_strPathName.isEmpty() || !SendFileByMail(m_strPathName))
        AfxMessageBox(AfxGetApp() ? AfxGetApp()->LoadFrameworkString(AFX_IDP_NO_MAIL_HANDLER)
                                  : QStringLiteral("No mail program could be started."),
                      MB_ICONEXCLAMATION);
}

void CDocument::OnUpdateFileSendMail(CCmdUI* cmdUI) { cmdUI->Enable(IsMailHandlerAvailable()); }
