#include "tools/ProcessLimits.h"

#include "raster/RasterMemoryBound.h"

#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

bool ProcessLimits::Apply(qint64 bytes)
{
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    rlimit data{};
    if (getrlimit(RLIMIT_DATA, &data) != 0)
        return false;
    const rlim_t wanted = rlim_t(bytes);
    if (data.rlim_max != RLIM_INFINITY && data.rlim_max < wanted)
        return true; // already tighter
    data.rlim_cur = wanted;
    if (setrlimit(RLIMIT_DATA, &data) != 0)
        return false;
    // The raster layer reads the limit when it is first asked; a quarter of
    // it leaves room for the scaled copy and the thumbnail itself.
    RasterMemoryBound::SetOverride(bytes / 4);
    return true;
}

ProcessLimits::ProcessLimits(int deadlineMs, int exitCode)
{
    m_thread = std::thread([this, deadlineMs, exitCode] {
        std::unique_lock<std::mutex> lock(m_lock);
        if (m_wake.wait_for(lock, std::chrono::milliseconds(deadlineMs), [this] { return m_committed; }))
            return;
        m_expired = true;
        // Nothing has been written yet (Commit holds the lock while it
        // writes): leaving at once leaves nothing behind. _exit skips the
        // destructors that the still running main thread may be inside.
        std::fputs("lumivu-thumbnailer: time limit reached, no thumbnail written\n", stderr);
        std::fflush(stderr);
        _exit(exitCode);
    });
}

ProcessLimits::~ProcessLimits()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_committed = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

bool ProcessLimits::Commit(const std::function<bool()>& write)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_expired)
        return false;
    m_committed = true;
    m_wake.notify_all();
    return write();
}
