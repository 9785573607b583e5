#include "CWinThread.h"

#include <chrono>
#include <system_error>

CWinThread::CWinThread(AFX_THREADPROC proc, void* param) : m_proc(proc), m_param(param) {}

CWinThread::~CWinThread()
{
    if (m_thread.joinable()) {
        if (m_thread.get_id() == std::this_thread::get_id()) {
            m_thread.detach();
        } else {
            ResumeThread();
            m_thread.join();
        }
    }
}

bool CWinThread::CreateThread(DWORD flags)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_started)
            return false;
        m_started = true;
        m_resumed = (flags & CREATE_SUSPENDED) == 0;
    }
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_started = false;
        return false;
    }
    return true;
}

DWORD CWinThread::ResumeThread()
{
    std::lock_guard<std::mutex> guard(m_lock);
    const DWORD previous = m_resumed ? 0 : 1;
    m_resumed = true;
    m_ended.notify_all();
    return previous;
}

void CWinThread::run()
{
    {
        std::unique_lock<std::mutex> guard(m_lock);
        m_ended.wait(guard, [this] { return m_resumed; });
    }
    const UINT code = m_proc ? m_proc(m_param) : 0;
    bool autoDelete;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_exitCode.store(code);
        m_finished = true;
        autoDelete = m_bAutoDelete;
        m_ended.notify_all();
    }
    // Nothing of the object may be touched once another thread can delete it.
    if (autoDelete)
        delete this;
}

BOOL CWinThread::GetExitCode(DWORD* code) const
{
    if (!code)
        return FALSE;
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_started)
        return FALSE;
    *code = m_exitCode.load();
    return TRUE;
}

DWORD CWinThread::Wait(DWORD timeoutMs) const
{
    std::unique_lock<std::mutex> guard(m_lock);
    if (!m_started)
        return 0;
    const auto done = [this] { return m_finished; };
    if (timeoutMs == 0xFFFFFFFFu) {
        m_ended.wait(guard, done);
        return 0;
    }
    return m_ended.wait_for(guard, std::chrono::milliseconds(timeoutMs), done) ? 0 : 258;
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, void* param, int, UINT, DWORD flags)
{
    auto* thread = new CWinThread(proc, param);
    if (!thread->CreateThread(flags)) {
        delete thread;
        return nullptr;
    }
    return thread;
}
