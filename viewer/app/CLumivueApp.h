#pragma once
// The viewer's application object: start-up, the command line, the shell
// registration and the document counter.
#include "framework/app/CWinApp.h"
#include "toolkit/COXCommandOptions.h"

#include <QPointer>
#include <QStringList>

class COXSplashWnd;

class CLumivueApp : public CWinApp {
public:
    CLumivueApp();
    ~CLumivueApp() override;

    BOOL InitInstance() override;

    // The application object of the process, when it is this class.
    static CLumivueApp* Get();

    // The About box and the Preferences dialog, each run modally without a
    // parent; a framework exception is reported and goes no further.
    void OnAppAbout();
    void OnPreferences();

    // The options of the command line, defined and parsed in InitInstance.
    COXCommandOptions m_cmdOptions;
    // Created once; it closes and frees itself.
    QPointer<COXSplashWnd> m_pSplashWnd;
    // The next document number.
    int32_t m_nDocCounter = 1;
    // The command line to parse (program first); empty: the process's own.
    QStringList m_arguments;

private:
    void defineOptions();
    // Carries out the shell requests of the command line; false when
    // start-up ends here.
    bool dispatch(CCommandLineInfo& cmdInfo);
};
