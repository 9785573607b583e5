// Bitmap-heavy playback: many stretched bitmaps with the raster operations
// real files use, and how fast a stop request ends a playback that is
// inside one huge StretchDIBits.
#include "EmfGenerator.h"
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"

#include <QGuiApplication>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <random>
#include <pthread.h>
#include <thread>
#include <time.h>

namespace {

using Clock = std::chrono::steady_clock;

// EMR_STRETCHDIBITS of a w x h 24-bit bitmap of a colour ramp into the
// destination rectangle (metafile pixels).
void stretchDIBits(EmfGenerator& g, int x, int y, int cx, int cy, uint32_t w, uint32_t h, uint32_t rop)
{
    const uint32_t stride = (w * 3 + 3) / 4 * 4;
    std::vector<uint32_t> p = {0, 0, 0, 0, uint32_t(x), uint32_t(y), 0, 0, w, h, 80, 40, 120, stride * h, 0, rop,
                               uint32_t(cx), uint32_t(cy), 40, w, h, 1 | (24u << 16), 0, stride * h, 0, 0, 0, 0};
    std::vector<uint8_t> bits(size_t(stride) * h);
    for (uint32_t r = 0; r < h; ++r)
        for (uint32_t c = 0; c < w; ++c) {
            uint8_t* px = &bits[size_t(r) * stride + size_t(c) * 3];
            px[0] = uint8_t(c * 255 / std::max(1u, w - 1)), px[1] = uint8_t(r * 255 / std::max(1u, h - 1)), px[2] = 0x80;
        }
    for (size_t i = 0; i < bits.size(); i += 4) {
        uint32_t v = 0;
        for (size_t k = 0; k < 4 && i + k < bits.size(); ++k)
            v |= uint32_t(bits[i + k]) << (8 * k);
        p.push_back(v);
    }
    g.Record(81, p);
}

QByteArray manyBitmaps()
{
    EmfGenerator g;
    g.Record(21, {4}); // SETSTRETCHBLTMODE HALFTONE
    for (int i = 0; i < 60; ++i) {
        const int x = (i % 10) * 200, y = (i / 10) * 250;
        stretchDIBits(g, x, y, 190, 240, 256, 256, 0x00CC0020);  // SRCCOPY
        stretchDIBits(g, x + 20, y + 20, 100, 100, 64, 64, 0x008800C6); // SRCAND
        stretchDIBits(g, x + 20, y + 20, 100, 100, 64, 64, 0x00EE0086); // SRCPAINT
    }
    return g.Bytes();
}

QByteArray hugeStretchDIBits()
{
    EmfGenerator g;
    stretchDIBits(g, 0, 0, 2000, 1500, 4000, 3000, 0x00660046); // SRCINVERT reads the destination
    return g.Bytes();
}

void BM_ManyBitmapsWidth800(benchmark::State& state)
{
    const QByteArray bytes = manyBitmaps();
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
BENCHMARK(BM_ManyBitmapsWidth800)->Unit(benchmark::kMillisecond);

void BM_HugeStretchDIBitsWidth800(benchmark::State& state)
{
    const QByteArray bytes = hugeStretchDIBits();
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
BENCHMARK(BM_HugeStretchDIBitsWidth800)->Unit(benchmark::kMillisecond);

// From the stop request (flag and CancelDC, as the view's painting thread
// does) to the end of the enumeration, at random moments inside the huge
// bitmap's decoding and transfer; the output is large so that the transfer
// itself takes long.
void BM_StopLatencyInsideHugeStretchDIBits(benchmark::State& state)
{
    const QByteArray bytes = hugeStretchDIBits();
    EnhMetaFilePtr mf(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
    QImage image(4000, 3000, QImage::Format_RGB32);
    std::mt19937 rng(7);
    std::vector<double> latencies, cpuLatencies;
    auto cpuMicros = [](clockid_t clock) {
        timespec ts{};
        clock_gettime(clock, &ts);
        return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
    };
    for (auto _ : state) {
        for (int run = 0; run < 100; ++run) {
            CDC dc(std::make_unique<QPainterBackend>(&image));
            std::atomic<bool> stop{false}, started{false};
            Clock::time_point ended;
            double cpuEnded = 0;
            std::thread painter([&] {
                const RECT r(0, 0, 4000, 3000);
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
            std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(1, 60)(rng)));
            // The painter's own CPU time from the request on: the work a stop
            // still does, without the waits of a machine shared by other jobs.
            clockid_t painterClock;
            pthread_getcpuclockid(painter.native_handle(), &painterClock);
            const double cpu0 = cpuMicros(painterClock);
            const auto t0 = Clock::now();
            stop = true;
            dc.CancelDC();
            painter.join();
            latencies.push_back(std::max(0.0, std::chrono::duration<double, std::micro>(ended - t0).count()));
            cpuLatencies.push_back(std::max(0.0, cpuEnded - cpu0));
        }
    }
    std::sort(latencies.begin(), latencies.end());
    state.counters["p50_us"] = latencies[latencies.size() / 2];
    state.counters["p99_us"] = latencies[std::min(latencies.size() - 1, size_t(std::ceil(latencies.size() * 0.99)) - 1)];
    state.counters["max_us"] = latencies.back();
    std::sort(cpuLatencies.begin(), cpuLatencies.end());
    state.counters["p99_cpu_us"] =
        cpuLatencies[std::min(cpuLatencies.size() - 1, size_t(std::ceil(cpuLatencies.size() * 0.99)) - 1)];
}
BENCHMARK(BM_StopLatencyInsideHugeStretchDIBits)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
