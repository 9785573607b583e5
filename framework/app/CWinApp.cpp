#include "CWinApp.h"

#include "CRecentFileList.h"
#include "FrameworkModule.h"
#include "framework/cmd/CommandIds.h"
#include "framework/doc/CDocManager.h"
#include "framework/doc/CDocTemplate.h"
#include "framework/doc/CDocument.h"
#include "framework/except/CException.h"
#include "framework/frame/CFrameWnd.h"
#include "framework/frame/CMDIFrameWnd.h"
#include "platform/shell/ShellRegistration.h"
#include "platform/shell/SingleInstanceChannel.h"
#include "platform/ui/ShowWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>

namespace {
CWinApp* s_app = nullptr;
HINSTANCE s_resources = nullptr;
} // namespace

CWinApp* AfxGetApp() { return s_app; }
CFrameWnd* AfxGetMainWnd() { return s_app ? s_app->m_pMainWnd : nullptr; }
HINSTANCE AfxGetResourceHandle() { return s_resources; }
void AfxSetResourceHandle(HINSTANCE module) { s_resources = module; }
HINSTANCE AfxGetInstanceHandle() { return s_app ? s_app->m_hInstance : nullptr; }

CWinApp::CWinApp(const QString& appName) : m_pszAppName(appName)
{
    s_app = this;
    m_pDocManager = new CDocManager;
    OnCommand(ID_APP_EXIT, [this] { OnAppExit(); });
    OnCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, [this](UINT id) { OnOpenRecentFile(id); });
    OnUpdateCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, [this](CCmdUI* ui) {
        ui->Enable(m_pRecentFileList != nullptr && m_pRecentFileList->GetSize() > 0);
    });
}

CWinApp::~CWinApp()
{
    delete m_pDocManager;
    delete m_pRecentFileList;
    if (s_app == this)
        s_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

void CWinApp::WinHelp(DWORD data, UINT cmd)
{
    // As the platform's framework does: the main window shows the help.
    if (m_pMainWnd)
        m_pMainWnd->WinHelp(data, cmd);
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return m_nExitCode;
}

int CWinApp::Run()
{
    // A process that handed its requests to the running instance is done.
    if (m_bForward && (m_pMainWnd == nullptr || !m_pMainWnd->GetWidget()->isVisible()))
        return ExitInstance();
    // Started for the shell and nothing asked to show the window: a launch
    // from the desktop's menu with no file must not stay invisible.
    if (m_bDDEMode && m_pMainWnd && !m_pMainWnd->GetWidget()->isVisible())
        showMainWindowForShell();
    if (m_pMainWnd == nullptr)
        return ExitInstance();
    QApplication::exec();
    // Windows closed on the way out are deleted now, while the application
    // still exists: a view's destructor may have a thread to stop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const int code = ExitInstance();
    if (m_pMainWnd)
        delete m_pMainWnd->GetWidget();
    return code;
}

// --- profile ---------------------------------------------------------------

void CWinApp::SetRegistryKey(const QString& key)
{
    m_pszRegistryKey = key;
    m_pszProfileName = m_pszAppName;
    QCoreApplication::setOrganizationName(key);
}

std::unique_ptr<QSettings> CWinApp::OpenProfile() const
{
    const QString profile = m_pszProfileName.isEmpty() ? m_pszAppName : m_pszProfileName;
    // Without a registry key the profile is the program's own file.
    const QString org = m_pszRegistryKey.isEmpty() ? profile : m_pszRegistryKey;
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, org, profile);
}

UINT CWinApp::GetProfileInt(const QString& section, const QString& entry, int defaultValue) const
{
    auto s = OpenProfile();
    const QVariant v = s->value(section + '/' + entry);
    bool ok = false;
    const int i = v.toInt(&ok);
    return UINT(ok ? i : defaultValue);
}

BOOL CWinApp::WriteProfileInt(const QString& section, const QString& entry, int value)
{
    auto s = OpenProfile();
    s->setValue(section + '/' + entry, value);
    s->sync();
    return s->status() == QSettings::NoError;
}

QString CWinApp::GetProfileString(const QString& section, const QString& entry, const QString& defaultValue) const
{
    auto s = OpenProfile();
    const QVariant v = s->value(section + '/' + entry);
    return v.isValid() ? v.toString() : defaultValue;
}

BOOL CWinApp::WriteProfileString(const QString& section, const QString& entry, const QString& value)
{
    auto s = OpenProfile();
    s->setValue(section + '/' + entry, value);
    s->sync();
    return s->status() == QSettings::NoError;
}

void CWinApp::RemoveProfileEntry(const QString& section, const QString& entry)
{
    auto s = OpenProfile();
    s->remove(section + '/' + entry);
}

void CWinApp::LoadStdProfileSettings(UINT maxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (maxMRU == 0)
        return;
    m_pRecentFileList = new CRecentFileList(QStringLiteral("Recent File List"), QStringLiteral("File%1"), int(maxMRU));
    m_pRecentFileList->ReadList(this);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList(this);
}

// --- documents -------------------------------------------------------------

void CWinApp::AddDocTemplate(CDocTemplate* tmpl) { m_pDocManager->AddDocTemplate(tmpl); }

CDocument* CWinApp::OpenDocumentFile(const QString& path) { return m_pDocManager->OpenDocumentFile(path); }

void CWinApp::AddToRecentFileList(const QString& path)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(path);
}

bool CWinApp::SaveAllModified() { return m_pDocManager->SaveAllModified(); }

void CWinApp::CloseAllDocuments(bool endSession) { m_pDocManager->CloseAllDocuments(endSession); }

QString CWinApp::LoadFrameworkString(UINT id) const
{
    if (s_resources)
        if (const QString* s = s_resources->FindString(id))
            return *s;
    const QString* s = FrameworkModule()->FindString(id);
    return s ? *s : QString();
}

QPrinter* CWinApp::GetPrinter()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

void CWinApp::OnFileNew()
{
    const auto& templates = m_pDocManager->GetTemplates();
    if (!templates.empty())
        templates.front()->OpenDocumentFile(QString());
}

void CWinApp::OnFileOpen() { m_pDocManager->OnFileOpen(); }

void CWinApp::OnFilePrintSetup()
{
    QPageSetupDialog dialog(GetPrinter(), m_pMainWnd ? m_pMainWnd->GetWidget() : nullptr);
    dialog.exec();
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->GetWidget()->close();
    else
        QCoreApplication::quit();
}

bool CWinApp::OnOpenRecentFile(UINT id)
{
    if (m_pRecentFileList == nullptr)
        return false;
    const int index = int(id - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetSize())
        return false;
    const QString path = (*m_pRecentFileList)[index];
    if (OpenDocumentFile(path) == nullptr) {
        // A file that no longer opens leaves the list.
        m_pRecentFileList->Remove(index);
        return false;
    }
    return true;
}

void CWinApp::OnMainWindowClosed() { QCoreApplication::quit(); }

// --- shell -----------------------------------------------------------------

QString CWinApp::fileTypeId() const
{
    for (CDocTemplate* t : m_pDocManager->GetTemplates()) {
        QString id;
        if (t->GetDocString(id, CDocTemplate::regFileTypeId))
            return id;
    }
    return m_pszAppName;
}

void CWinApp::EnableShellOpen()
{
    if (m_channel)
        return;
    m_channel = std::make_unique<SingleInstanceChannel>(fileTypeId());
    m_channel->Listen([this](const ShellRequest& r) { return OnShellRequest(r); });
}

void CWinApp::RegisterShellFileTypes(BOOL compat)
{
    ShellRegistrationInfo info;
    info.fileTypeId = fileTypeId();
    info.appName = m_pszAppName;
    info.genericName = QStringLiteral("Image Viewer");
    info.program = QCoreApplication::applicationFilePath();
    info.openArguments = m_channel ? m_shellOpenArguments : m_shellOpenArguments.mid(m_shellOpenArguments.size() - 1);
    if (compat)
        info.printArguments = m_shellPrintArguments;
    if (s_resources)
        if (const QString* icon = s_resources->FindImage(m_pMainWnd ? m_pMainWnd->m_nIDHelp : 0))
            info.iconPath = *icon;
    for (CDocTemplate* t : m_pDocManager->GetTemplates()) {
        QString name;
        t->GetDocString(name, CDocTemplate::regFileTypeName);
        if (info.fileTypeName.isEmpty())
            info.fileTypeName = name;
        QString filter;
        t->GetDocString(filter, CDocTemplate::filterName);
        const int paren = filter.lastIndexOf(QStringLiteral(" ("));
        const QString description = paren > 0 ? filter.left(paren) : filter;
        for (const QString& ext : t->FilterExtensions()) {
            ShellFileType ft;
            ft.extension = ext;
            ft.description = description;
            if (s_resources && compat)
                if (const QString* icon = s_resources->FindImage(t->m_nIDResource))
                    ft.iconPath = *icon;
            info.types.push_back(ft);
        }
    }
    // A registration that cannot be written (a read-only data folder) does
    // not stop the program.
    if (!ShellRegistration::Register(info))
        qWarning("Lumivu: the file types could not be registered with the desktop.");
}

bool CWinApp::UnregisterShellFileTypes() { return ShellRegistration::Unregister(fileTypeId()); }

BOOL CWinApp::Unregister()
{
    bool ok = UnregisterShellFileTypes();
    auto s = OpenProfile();
    const QString file = s->fileName();
    s->clear();
    s->sync();
    s.reset();
    if (QFileInfo::exists(file))
        ok = QFile::remove(file) && ok;
    // The organisation's folder goes when this was its last profile.
    const QDir org = QFileInfo(file).dir();
    if (org.exists() && org.isEmpty())
        QDir().rmdir(org.path());
    return ok ? TRUE : FALSE;
}

bool CWinApp::forward(const QString& verb, const QString& path)
{
    if (!m_channel)
        return false;
    return m_channel->Send({ShellRequest{verb, QFileInfo(path).absoluteFilePath()}});
}

void CWinApp::showMainWindowForShell()
{
    if (m_pMainWnd == nullptr)
        return;
    int show = m_bDDEMode ? m_nCmdShowBeforeDDE : m_nCmdShow;
    m_bDDEMode = false;
    m_nCmdShow = show;
    QWidget* w = m_pMainWnd->GetWidget();
    if (show == SW_HIDE || show == SW_SHOWNORMAL || show == -1)
        show = w->isMinimized() ? SW_RESTORE : SW_SHOW;
    ShowWindow(w, show);
}

bool CWinApp::OnShellRequest(const ShellRequest& r)
{
    if (r.verb == QLatin1String("open")) {
        CDocument* doc = OpenDocumentFile(r.path);
        showMainWindowForShell();
        return doc != nullptr;
    }
    if (r.verb == QLatin1String("print")) {
        // Printed where it is open; a document opened only for printing closes again.
        bool wasOpen = false;
        for (CDocument* d : m_pDocManager->GetDocuments())
            wasOpen = wasOpen || d->GetPathName() == QFileInfo(r.path).absoluteFilePath();
        CDocument* doc = OpenDocumentFile(r.path);
        if (doc == nullptr || m_pMainWnd == nullptr)
            return false;
        m_pMainWnd->SendCommand(ID_FILE_PRINT_DIRECT);
        if (!wasOpen)
            doc->OnCloseDocument();
        return true;
    }
    return false;
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    BOOL result = TRUE;
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        if (m_pMainWnd == nullptr)
            result = FALSE;
        break;
    case CCommandLineInfo::FileOpen:
        if (m_bForward)
            result = forward(QStringLiteral("open"), info.m_strFileName);
        else if (OpenDocumentFile(info.m_strFileName) == nullptr)
            result = FALSE;
        break;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        if (m_bForward) {
            forward(QStringLiteral("print"), info.m_strFileName);
        } else {
            m_nCmdShow = SW_HIDE;
            if (OpenDocumentFile(info.m_strFileName) != nullptr && m_pMainWnd) {
                m_pCmdInfo = &info;
                m_pMainWnd->SendCommand(ID_FILE_PRINT_DIRECT);
                m_pCmdInfo = nullptr;
            }
        }
        result = FALSE;
        break;
    case CCommandLineInfo::FileDDE:
        // The main window waits hidden for the shell's request; when another
        // instance runs, the requests go to it.
        if (!m_bDDEMode && !m_bForward)
            m_nCmdShowBeforeDDE = m_nCmdShow;
        m_nCmdShow = SW_HIDE;
        if (m_channel && !m_channel->IsListening() && m_channel->IsOtherInstanceRunning())
            m_bForward = true;
        else
            m_bDDEMode = true;
        break;
    case CCommandLineInfo::AppUnregister: {
        const BOOL ok = Unregister();
        if (!info.m_bRunEmbedded)
            AfxMessageBox(LoadFrameworkString(ok ? AFX_IDP_UNREG_DONE : AFX_IDP_UNREG_FAILURE));
        result = FALSE;
        break;
    }
    default: break;
    }
    return result;
}

bool AfxWinInit(HINSTANCE resources)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return false;
    AfxSetResourceHandle(resources);
    app->m_hInstance = resources;
    const QString exe = QCoreApplication::applicationFilePath();
    app->m_pszExeName = QFileInfo(exe).completeBaseName();
    if (app->m_pszAppName.isEmpty() && resources)
        if (const QString* name = resources->FindString(AFX_IDS_APP_TITLE))
            app->m_pszAppName = *name;
    if (app->m_pszAppName.isEmpty())
        app->m_pszAppName = app->m_pszExeName;
    QCoreApplication::setApplicationName(app->m_pszAppName);
    // The framework's help file: the program's path with the help extension.
    const QFileInfo fi(exe);
    app->m_pszHelpFilePath = fi.path() + '/' + fi.completeBaseName() + QStringLiteral(".hlp");
    return true;
}

int AfxWinMain(HINSTANCE resources)
{
    if (!AfxWinInit(resources))
        return 1;
    CWinApp* app = AfxGetApp();
    if (!app->InitInstance()) {
        if (app->m_pMainWnd)
            app->m_pMainWnd->GetWidget()->hide();
        return app->ExitInstance();
    }
    return app->Run();
}
