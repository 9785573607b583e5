#include "CDocTemplate.h"

#include "CDocument.h"
#include "framework/app/CWinApp.h"
#include "framework/cmd/CommandIds.h"
#include "framework/frame/CCreateContext.h"
#include "framework/frame/CFrameWnd.h"
#include "framework/frame/CMDIFrameWnd.h"

#include <QFileInfo>
#include <algorithm>

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass)
    : m_nIDResource(nIDResource), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass)
{
    if (HINSTANCE res = AfxGetResourceHandle())
        if (const QString* s = res->FindString(nIDResource))
            m_strDocStrings = *s;
}

CDocTemplate::~CDocTemplate()
{
    for (CDocument* d : m_docList)
        d->m_pDocTemplate = nullptr;
}

bool CDocTemplate::GetDocString(QString& out, DocStringIndex index) const
{
    const QStringList fields = m_strDocStrings.split('\n');
    out = int(index) < fields.size() ? fields.at(int(index)) : QString();
    return !out.isEmpty();
}

QStringList CDocTemplate::FilterExtensions() const
{
    QString ext;
    GetDocString(ext, filterExt);
    QStringList out;
    for (const QString& e : ext.split(';', Qt::SkipEmptyParts))
        out << e.trimmed();
    return out;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(const QString& path, CDocument*& match) const
{
    match = nullptr;
    const QString full = QFileInfo(path).absoluteFilePath();
    for (CDocument* d : m_docList)
        if (d->GetPathName() == full) {
            match = d;
            return yesAlreadyOpen;
        }
    for (const QString& ext : FilterExtensions())
        if (full.endsWith(ext, Qt::CaseInsensitive))
            return yesAttemptNative;
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == nullptr)
        return nullptr;
    CDocument* doc = m_pDocClass->CreateAs<CDocument>();
    if (doc)
        AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other)
{
    if (m_pFrameClass == nullptr)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = other;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CFrameWnd* frame = m_pFrameClass->CreateAs<CFrameWnd>();
    if (frame == nullptr)
        return nullptr;
    QWidget* parent = AfxGetApp() && AfxGetApp()->m_pMainWnd ? AfxGetApp()->m_pMainWnd->GetWidget() : nullptr;
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, parent, &context)) {
        // Views already created belong to the frame's window and go with it.
        frame->DestroyFrame();
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, bool makeVisible)
{
    frame->InitialUpdateFrame(doc, makeVisible);
}

CDocument* CDocTemplate::OpenDocumentFile(const QString& path, bool makeVisible)
{
    CDocument* doc = CreateNewDocument();
    if (doc == nullptr)
        return nullptr;
    // A document never shown keeps its frame until it is closed.
    const bool autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = false;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (frame == nullptr) {
        delete doc;
        return nullptr;
    }
    if (path.isEmpty()) {
        doc->SetTitle(AfxGetApp() ? AfxGetApp()->LoadFrameworkString(AFX_IDS_UNTITLED) : QStringLiteral("Untitled"));
        if (!doc->OnNewDocument()) {
            frame->DestroyFrame();
            delete doc;
            return nullptr;
        }
    } else if (!doc->OnOpenDocument(path)) {
        // The failure has been reported; the window goes without being seen.
        doc->m_bAutoDelete = false;
        frame->DestroyFrame();
        delete doc;
        return nullptr;
    } else {
        doc->SetPathName(path);
    }
    InitialUpdateFrame(frame, doc, makeVisible);
    return doc;
}

void CDocTemplate::AddDocument(CDocument* doc)
{
    m_docList.push_back(doc);
    doc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* doc)
{
    m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), doc), m_docList.end());
    doc->m_pDocTemplate = nullptr;
}

void CDocTemplate::CloseAllDocuments(bool)
{
    while (!m_docList.empty()) {
        CDocument* d = m_docList.front();
        const size_t before = m_docList.size();
        d->OnCloseDocument();
        if (m_docList.size() == before && !m_docList.empty() && m_docList.front() == d)
            RemoveDocument(d); // not auto-deleting: it leaves the list all the same
    }
}

bool CDocTemplate::SaveAllModified()
{
    for (CDocument* d : m_docList)
        if (!d->SaveModified())
            return false;
    return true;
}
