#include "CDocManager.h"

#include "CDocTemplate.h"
#include "CDocument.h"
#include "framework/app/CWinApp.h"
#include "framework/cmd/CommandIds.h"
#include "framework/frame/CFrameWnd.h"
#include "framework/frame/CMDIChildWnd.h"
#include "framework/view/CView.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>

CDocManager::~CDocManager()
{
    for (CDocTemplate* t : m_templates)
        delete t;
}

void CDocManager::AddDocTemplate(CDocTemplate* tmpl)
{
    if (tmpl)
        m_templates.push_back(tmpl);
}

CDocument* CDocManager::OpenDocumentFile(const QString& path)
{
    CDocTemplate* best = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocument* openDoc = nullptr;
    const QString full = QFileInfo(path).absoluteFilePath();
    for (CDocTemplate* t : m_templates) {
        CDocument* match = nullptr;
        const auto c = t->MatchDocType(full, match);
        if (c > bestMatch) {
            bestMatch = c;
            best = t;
            if (c == CDocTemplate::yesAlreadyOpen)
                openDoc = match;
        }
        if (c == CDocTemplate::yesAlreadyOpen)
            break;
    }
    if (openDoc) {
        // Bring the existing window forward instead of opening the file twice.
        for (CView* v : openDoc->GetViews())
            if (auto* f = dynamic_cast<CMDIChildWnd*>(v->GetParentFrame())) {
                f->ActivateFrame();
                break;
            }
        return openDoc;
    }
    if (best == nullptr)
        return nullptr;
    return best->OpenDocumentFile(full);
}

QStringList CDocManager::FilterList() const
{
    QStringList filters;
    for (CDocTemplate* t : m_templates) {
        QString name;
        if (t->GetDocString(name, CDocTemplate::filterName) && !t->FilterExtensions().isEmpty())
            filters << name;
    }
    filters << (AfxGetApp() ? AfxGetApp()->LoadFrameworkString(AFX_IDS_ALLFILTER) : QStringLiteral("All Files (*.*)"));
    return filters;
}

bool CDocManager::DoPromptFileName(QString& fileName, const QString& title, bool openDialog)
{
    QWidget* parent = AfxGetApp() && AfxGetApp()->m_pMainWnd ? AfxGetApp()->m_pMainWnd->GetWidget() : nullptr;
    QFileDialog dialog(parent, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(openDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(openDialog ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = FilterList();
    dialog.setNameFilters(filters);
    // "*.*" would hide files without a dot here: the all-files entry shows every file.
    const QString all = filters.last();
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, all](const QString& f) {
        if (f == all)
            if (auto* model = dialog.findChild<QFileSystemModel*>())
                model->setNameFilters({QStringLiteral("*")});
    });
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileName = dialog.selectedFiles().first();
    return true;
}

void CDocManager::OnFileOpen()
{
    QString name;
    if (!DoPromptFileName(name, QStringLiteral("Open"), true))
        return;
    if (AfxGetApp())
        AfxGetApp()->OpenDocumentFile(name);
}

int CDocManager::GetOpenDocumentCount() const
{
    int n = 0;
    for (CDocTemplate* t : m_templates)
        n += int(t->GetDocuments().size());
    return n;
}

std::vector<CDocument*> CDocManager::GetDocuments() const
{
    std::vector<CDocument*> out;
    for (CDocTemplate* t : m_templates)
        for (CDocument* d : t->GetDocuments())
            out.push_back(d);
    return out;
}

bool CDocManager::SaveAllModified()
{
    for (CDocTemplate* t : m_templates)
        if (!t->SaveAllModified())
            return false;
    return true;
}

void CDocManager::CloseAllDocuments(bool endSession)
{
    for (CDocTemplate* t : m_templates)
        t->CloseAllDocuments(endSession);
}
