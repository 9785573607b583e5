#pragma once
// A worker thread as the framework starts it (AfxBeginThread): it runs a
// procedure on an argument and keeps its exit code, which can be read while
// the thread runs (STILL_ACTIVE) and after it has ended. With m_bAutoDelete
// the object deletes itself when the procedure returns; a caller that keeps
// the object (to read the exit code and wait) turns that off before the
// thread can finish, by starting it suspended or through the flag at start.
#include "platform/types/Win32Types.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

using AFX_THREADPROC = UINT (*)(void* param);

enum : DWORD {
    STILL_ACTIVE = 259,
    CREATE_SUSPENDED = 0x4,
};

enum : int {
    THREAD_PRIORITY_NORMAL = 0,
};

class CWinThread {
public:
    CWinThread(AFX_THREADPROC proc, void* param);
    // Waits for a thread that is still running: a thread object never
    // outlives its thread's use of it.
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Starts the procedure; false when no thread could be made.
    bool CreateThread(DWORD flags = 0);
    // Starts a thread created suspended.
    DWORD ResumeThread();
    // STILL_ACTIVE while the procedure runs (or waits to start), then its result.
    BOOL GetExitCode(DWORD* code) const;
    // Waits for the end of the procedure: WAIT_OBJECT_0 (0) when it ended
    // within timeoutMs (0xFFFFFFFF: no limit), WAIT_TIMEOUT (258) otherwise.
    DWORD Wait(DWORD timeoutMs) const;

    bool m_bAutoDelete = true;

private:
    void run();

    AFX_THREADPROC m_proc;
    void* m_param;
    std::thread m_thread;
    mutable std::mutex m_lock;
    mutable std::condition_variable m_ended;
    bool m_started = false;
    bool m_resumed = false;
    bool m_finished = false;
    std::atomic<DWORD> m_exitCode{STILL_ACTIVE};
};

// Starts proc(param) on a new thread. The object deletes itself at the end
// unless the caller clears m_bAutoDelete first, which it can do safely only
// with CREATE_SUSPENDED (then ResumeThread). Null when no thread started.
CWinThread* AfxBeginThread(AFX_THREADPROC proc, void* param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD flags = 0);
