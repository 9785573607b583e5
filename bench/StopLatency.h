#pragma once
// Stop latency as the view's painting thread sees it: the metafile plays on
// a thread that polls a stop flag before each record, and the request sets
// the flag and calls CancelDC for the record in progress. Measured from the
// request to the end of the enumeration, at random moments of the playback:
// wall time, and the painter's own CPU time (the work a stop still does,
// without the waits of a machine shared by other jobs).
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"

#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <pthread.h>
#include <random>
#include <thread>
#include <time.h>
#include <vector>

namespace stoplatency {

inline double cpuMicros(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
}

// The 99th of 100 sorted values.
inline double p99(std::vector<double>& values)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(std::ceil(values.size() * 0.99)) - 1)];
}

inline void Measure(benchmark::State& state, const QByteArray& bytes, QSize output, int minDelayMs, int maxDelayMs)
{
    using Clock = std::chrono::steady_clock;
    EnhMetaFilePtr mf(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
    QImage image(output, QImage::Format_RGB32);
    std::mt19937 rng(42);
    std::vector<double> wall, cpu;
    for (auto _ : state) {
        for (int run = 0; run < 100; ++run) {
            image.fill(Qt::white);
            CDC dc(std::make_unique<QPainterBackend>(&image));
            std::atomic<bool> stop{false}, started{false};
            Clock::time_point ended;
            double cpuEnded = 0;
            std::thread painter([&] {
                const RECT r(0, 0, output.width(), output.height());
                started = true;
                EnumEnhMetaFile(&dc, mf.get(), [](HDC h, HANDLETABLE* t, const ENHMETARECORD* rec, int n, void* d) {
                    if (static_cast<std::atomic<bool>*>(d)->load(std::memory_order_relaxed))
                        return 0;
                    return PlayEnhMetaFileRecord(h, t, rec, UINT(n));
                }, &stop, &r);
                ended = Clock::now();
                cpuEnded = cpuMicros(CLOCK_THREAD_CPUTIME_ID);
            });
            while (!started)
                std::this_thread::yield();
            std::this_thread::sleep_for(
                std::chrono::milliseconds(std::uniform_int_distribution<int>(minDelayMs, maxDelayMs)(rng)));
            clockid_t painterClock;
            pthread_getcpuclockid(painter.native_handle(), &painterClock);
            const double cpu0 = cpuMicros(painterClock);
            const auto t0 = Clock::now();
            stop = true;
            dc.CancelDC();
            painter.join();
            wall.push_back(std::max(0.0, std::chrono::duration<double, std::micro>(ended - t0).count()));
            cpu.push_back(std::max(0.0, cpuEnded - cpu0));
        }
    }
    state.counters["p99_us"] = p99(wall);
    state.counters["p50_us"] = wall[wall.size() / 2];
    state.counters["max_us"] = wall.back();
    state.counters["p99_cpu_us"] = p99(cpu);
}

// Plays bytes into an 800 x 600 image per iteration.
inline void PlayWidth800(benchmark::State& state, const QByteArray& bytes)
{
    EnhMetaFilePtr mf(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
    QImage image(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        CDC dc(std::make_unique<QPainterBackend>(&image));
        const RECT r(0, 0, 800, 600);
        PlayEnhMetaFile(&dc, mf.get(), &r);
        dc.Flush();
    }
}

} // namespace stoplatency
