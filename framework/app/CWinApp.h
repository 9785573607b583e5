#pragma once
// The framework's application object: start-up (InitInstance), the message
// loop (Run), the profile, the document templates, the recent-file list,
// shell commands and shell registration. One object per process.
#include "CCommandLineInfo.h"
#include "framework/cmd/CCmdTarget.h"
#include "platform/module/CModule.h"

#include <QString>
#include <QStringList>
#include <memory>

class CDocManager;
class CDocTemplate;
class CDocument;
class CFrameWnd;
class CRecentFileList;
class QPrinter;
class QSettings;
class SingleInstanceChannel;
struct ShellRequest;

class CWinApp : public CCmdTarget {
public:
    // appName empty: the name is string resource 57344 of the program.
    explicit CWinApp(const QString& appName = QString());
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // Saves the recent-file list; returns the process's exit code.
    virtual int ExitInstance();
    // The message loop; returns the exit code.
    virtual int Run();

    // Profile: the per-user registry key Software\<registry key>\<profile name>.
    void SetRegistryKey(const QString& key);
    void LoadStdProfileSettings(UINT maxMRU = 4);
    void SaveStdProfileSettings();
    UINT GetProfileInt(const QString& section, const QString& entry, int defaultValue) const;
    BOOL WriteProfileInt(const QString& section, const QString& entry, int value);
    QString GetProfileString(const QString& section, const QString& entry, const QString& defaultValue = QString()) const;
    BOOL WriteProfileString(const QString& section, const QString& entry, const QString& value);
    void RemoveProfileEntry(const QString& section, const QString& entry);
    // The profile as settings in the platform's native format.
    std::unique_ptr<QSettings> OpenProfile() const;

    void AddDocTemplate(CDocTemplate* tmpl);
    virtual CDocument* OpenDocumentFile(const QString& path);
    virtual void AddToRecentFileList(const QString& path);
    bool SaveAllModified();
    void CloseAllDocuments(bool endSession);

    // Carries out a shell command; FALSE when start-up should end.
    virtual BOOL ProcessShellCommand(CCommandLineInfo& info);
    // Lets other processes hand over their open and print requests.
    void EnableShellOpen();
    // Registers the templates' file types with the desktop; compat adds the
    // print action and the type icons.
    void RegisterShellFileTypes(BOOL compat = FALSE);
    // Removes exactly what the registration wrote. False when something stays.
    bool UnregisterShellFileTypes();
    // Removes the application's profile; FALSE when something stays.
    virtual BOOL Unregister();
    // The platform's 3-D control look: Qt's style always has it.
    void Enable3dControls() {}

    // Help for data (a help context, see HelpIds.h) and cmd (HELP_CONTEXT,
    // HELP_FINDER...): the main window's WinHelp, which a program that offers
    // help overrides.
    virtual void WinHelp(DWORD data, UINT cmd);

    // A framework string: the program's table first, then the framework's.
    QString LoadFrameworkString(UINT id) const;
    // The printer the print commands use (Print Setup changes it).
    QPrinter* GetPrinter();

    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    bool OnOpenRecentFile(UINT id);

    // A request of another process, received through the shell channel.
    virtual bool OnShellRequest(const ShellRequest& request);
    // The main window closed: the loop ends.
    void OnMainWindowClosed();
    // This process only handed its requests to a running instance.
    bool IsForwarding() const { return m_bForward; }

    QString m_pszAppName;
    QString m_pszExeName;
    QString m_pszHelpFilePath;
    QString m_pszRegistryKey;
    QString m_pszProfileName;
    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CFrameWnd* m_pMainWnd = nullptr;
    CDocManager* m_pDocManager = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;
    // The command line being carried out by ProcessShellCommand (print to).
    CCommandLineInfo* m_pCmdInfo = nullptr;
    // The program's own options that the shell's open and print actions use.
    QStringList m_shellOpenArguments{QStringLiteral("-DDE"), QStringLiteral("-Open")};
    QStringList m_shellPrintArguments{QStringLiteral("-Print")};
    int m_nExitCode = 0;

private:
    bool forward(const QString& verb, const QString& path);
    void showMainWindowForShell();
    QString fileTypeId() const;

    std::unique_ptr<SingleInstanceChannel> m_channel;
    std::unique_ptr<QPrinter> m_printer;
    bool m_bDDEMode = false;
    bool m_bForward = false;
    int m_nCmdShowBeforeDDE = SW_SHOWNORMAL;
};

CWinApp* AfxGetApp();
CFrameWnd* AfxGetMainWnd();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);
HINSTANCE AfxGetInstanceHandle();
// Prepares the application object: its resources, names and help path.
// The Qt application must exist. resources: the program's own module.
bool AfxWinInit(HINSTANCE resources);
// AfxWinInit, InitInstance, then the loop; returns the exit code.
int AfxWinMain(HINSTANCE resources);
