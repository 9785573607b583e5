#include "CLumivueApp.h"

#include "framework/cmd/CommandIds.h"
#include "framework/doc/CDocTemplate.h"
#include "framework/except/CException.h"
#include "owutil/debug/Trace.h"
#include "owutil/paths/FileExt.h"
#include "platform/ui/KeyState.h"
#include "toolkit/COXCommandLine.h"
#include "toolkit/COXSplashWnd.h"
#include "toolkit/COXWorkspaceState.h"
#include "viewer/dialogs/CAboutDlg.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/frame/CChildFrame.h"
#include "viewer/frame/CMainFrame.h"
#include "viewer/resources/Resource.h"
#include "viewer/settings/CPreferencesDlg.h"
#include "viewer/view/CLumivueView.h"

#include <QApplication>

namespace {
// The flag words of the toolkit's option table: a switch, and an option
// whose values are the arguments that follow it.
constexpr int kSwitch = 0;
constexpr int kList = 19;
} // namespace

CLumivueApp::CLumivueApp()
{
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(ID_PREFERENCES, [this] { OnPreferences(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
}

CLumivueApp::~CLumivueApp() = default;

CLumivueApp* CLumivueApp::Get() { return dynamic_cast<CLumivueApp*>(AfxGetApp()); }

void CLumivueApp::defineOptions()
{
    m_cmdOptions.Add(QStringLiteral("DDE"), kSwitch, QStringLiteral("Put the application in DDE mode"), QString());
    m_cmdOptions.Add(QStringLiteral("Register"), kSwitch, QStringLiteral("Register the application types"), QString());
    m_cmdOptions.Add(QStringLiteral("UnRegister"), kSwitch, QStringLiteral("UnRegister the application types"), QString());
    m_cmdOptions.Add(QStringLiteral("Open"), kList, QStringLiteral("Open the given document(s)"), QString());
    m_cmdOptions.Add(QStringLiteral("Print"), kList, QStringLiteral("Print the given document(s)"), QString());
}

BOOL CLumivueApp::InitInstance()
{
    // A build with tracing starts a fresh log at the outermost depth.
    OW_TRACE_DO(OWDebug::OwDTrace_Init(true));
    OW_TRACE_DO(OWDebug::OwDTrace_ResetIncr());

    // 1. The splash window shows while start-up goes on; it closes itself.
    if (m_pSplashWnd.isNull()) {
        auto* splash = new COXSplashWnd;
        if (splash->LoadBitmap(IDB_SPLASH, CLR_DEFAULT, nullptr, 10) && splash->Show(3000, nullptr, nullptr))
            m_pSplashWnd = splash;
        else
            delete splash;
    }

    // 2. The help file is the compiled HTML help beside the program.
    QString help = m_pszHelpFilePath;
    m_pszHelpFilePath = OwUtil::ReplaceFileExt(help, QStringLiteral("chm"));

    // 3 to 5.
    Enable3dControls();
    SetRegistryKey(QStringLiteral("Orrery Works"));
    LoadStdProfileSettings(9);

    try {
        // 7. One template per file type, all with the same classes.
        for (UINT id = IDR_EMFTYPE; id <= IDR_PCXTYPE; ++id)
            AddDocTemplate(new CMultiDocTemplate(id, RUNTIME_CLASS(CLumivueDoc), RUNTIME_CLASS(CChildFrame),
                                                 RUNTIME_CLASS(CLumivueView)));

        // 8. The main frame.
        auto* frame = new CMainFrame;
        if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr)) {
            delete frame;
            return FALSE;
        }

        // 9. Main window, dropped files, shell requests, file types.
        m_pMainWnd = frame;
        frame->DragAcceptFiles();
        EnableShellOpen();
        RegisterShellFileTypes(TRUE);

        // 10. The command line.
        defineOptions();
        COXCommandLine cmdLine(m_arguments.isEmpty() ? QCoreApplication::arguments() : m_arguments);
        CCommandLineInfo cmdInfo;
        QStringList moreFiles;
        cmdInfo.m_strFileName = m_cmdOptions.ParseCmdLine(cmdLine, &moreFiles);

        // 11. The shell requests.
        if (!dispatch(cmdInfo))
            return FALSE;
        // Every further file name on the command line opens too.
        for (const QString& file : moreFiles) {
            cmdInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
            cmdInfo.m_strFileName = file;
            ProcessShellCommand(cmdInfo);
        }

        // 12. Show the main window.
        frame->ShowWindow(m_nCmdShow);
        frame->UpdateWindow();

        // 13. Restore the workspace unless Ctrl is held down.
        if (GetKeyState(VK_CONTROL) >= 0) {
            COXWorkspaceState workspace;
            workspace.IncludeMainWindow(GetProfileInt(QStringLiteral("Settings"), QStringLiteral("PersistentPos"), 0) == 1);
            workspace.IncludeBarProperty(TRUE);
            workspace.IncludeChildFrame(FALSE);
            workspace.IncludeSplitterPane(FALSE);
            workspace.LoadFromRegistry(QString(), QString(), TRUE);
            frame->ShowWindow(m_nCmdShow);
        }
    } catch (const CException& e) {
        // The program runs with what was set up before the failure.
        e.ReportError(MB_OK);
    }
    return TRUE;
}

bool CLumivueApp::dispatch(CCommandLineInfo& cmdInfo)
{
    if (m_cmdOptions.IsEnabled(QStringLiteral("DDE"))) {
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileDDE;
        ProcessShellCommand(cmdInfo);
    }
    if (m_cmdOptions.IsEnabled(QStringLiteral("Register"))) {
        RegisterShellFileTypes(TRUE);
        return false;
    }
    if (m_cmdOptions.IsEnabled(QStringLiteral("UnRegister"))) {
        cmdInfo.m_nShellCommand = CCommandLineInfo::AppUnregister;
        ProcessShellCommand(cmdInfo);
        return false;
    }
    if (m_cmdOptions.IsEnabled(QStringLiteral("Print"))) {
        cmdInfo.m_nShellCommand = CCommandLineInfo::FilePrint;
        for (const QString& file : m_cmdOptions.GetValues(QStringLiteral("Print"))) {
            cmdInfo.m_strFileName = file;
            ProcessShellCommand(cmdInfo);
        }
        return false;
    }
    // Never defined, so the parser reports it enabled only if it ever learns it.
    if (m_cmdOptions.IsEnabled(QStringLiteral("PrintTo"))) {
        cmdInfo.m_nShellCommand = CCommandLineInfo::FilePrintTo;
        ProcessShellCommand(cmdInfo);
    }
    if (m_cmdOptions.IsEnabled(QStringLiteral("Open"))) {
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
        const QString remembered = cmdInfo.m_strFileName;
        for (const QString& file : m_cmdOptions.GetValues(QStringLiteral("Open"))) {
            cmdInfo.m_strFileName = file;
            ProcessShellCommand(cmdInfo);
        }
        cmdInfo.m_strFileName = remembered;
    }
    if (!cmdInfo.m_strFileName.isEmpty()) {
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
        ProcessShellCommand(cmdInfo);
    }
    return true;
}

void CLumivueApp::OnAppAbout()
{
    try {
        CAboutDlg dlg;
        dlg.DoModal();
    } catch (const CException& e) {
        e.ReportError();
    }
}

void CLumivueApp::OnPreferences()
{
    try {
        CPreferencesDlg dlg;
        dlg.DoModal();
    } catch (const CException& e) {
        e.ReportError();
    }
}
