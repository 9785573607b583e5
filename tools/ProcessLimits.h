#pragma once
// Limits a tool puts on its own process when it handles files it cannot
// trust (a thumbnailer meets whatever a web browser saved): a ceiling on
// its data memory, no core file, and a deadline after which the process
// ends without leaving anything behind.
#include <QString>
#include <QtGlobal>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class ProcessLimits {
public:
    // Caps the process's data memory (heap, anonymous mappings, thread
    // stacks) at bytes, so that an allocation beyond it fails instead of
    // growing the process; decoded raster images are held to a quarter of
    // it by the raster layer. Also switches core files off: a crash must
    // not leave a file beside the user's. False when the limit was refused.
    static bool Apply(qint64 bytes);

    explicit ProcessLimits(int deadlineMs, int exitCode);
    ~ProcessLimits();
    ProcessLimits(const ProcessLimits&) = delete;
    ProcessLimits& operator=(const ProcessLimits&) = delete;

    // Runs write unless the deadline has passed; the deadline then waits for
    // it, so that a file is never left half written. False when too late
    // (write is not run) or when write fails.
    bool Commit(const std::function<bool()>& write);

private:
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_committed = false;
    bool m_expired = false;
    std::thread m_thread;
};
