#pragma once
// The utility library's application object: one per process, constructed
// when the library loads. It owns the trace state: the lock that orders the
// lines of the trace log within the process, the log file's name and the
// prefix the next lines carry.
#include <QString>
#include <mutex>

class COwUtilApp {
public:
    // The library's one object.
    static COwUtilApp& Instance();

    // The trace lock exists from here to ExitInstance.
    bool InitInstance();
    int ExitInstance();

    // Serialises line assembly and every access to the log file.
    std::recursive_mutex& TraceLock() { return m_traceLock; }

    // Full path of the log file; empty until OwDTrace_Init settles it.
    QString m_strLogFileName;
    // The caller's texts, not copied: they must outlive their use (string
    // literals in practice).
    const char* m_pszPrefixTag = nullptr;
    const char* m_pszPrefixFile = nullptr;
    int m_nPrefixLine = 0;

private:
    COwUtilApp();
    ~COwUtilApp();

    std::recursive_mutex m_traceLock;
    bool m_bInitialised = false;
};
