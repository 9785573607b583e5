#pragma once
#include <QString>

// What the shell asks the program to do at start-up: the framework carries
// it out in CWinApp::ProcessShellCommand.
class CCommandLineInfo {
public:
    enum { FileNew = 0, FileOpen = 1, FilePrint = 2, FilePrintTo = 3, FileDDE = 4, AppUnregister = 5, FileNothing = -1 };

    int m_nShellCommand = FileNew;
    QString m_strFileName;
    QString m_strPrinterName;
    QString m_strDriverName;
    QString m_strPortName;
    bool m_bShowSplash = true;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;
};
