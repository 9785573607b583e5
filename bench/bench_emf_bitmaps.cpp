// Bitmap-heavy playback: many stretched bitmaps with the raster operations
// real files use, and how fast a stop request ends a playback that is
// inside one huge StretchDIBits.
#include "EmfGenerator.h"
#include "StopLatency.h"

#include <QGuiApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

QByteArray manyBitmaps()
{
    EmfGenerator g;
    g.Record(21, {4}); // SETSTRETCHBLTMODE HALFTONE
    for (int i = 0; i < 60; ++i) {
        const int x = (i % 10) * 200, y = (i / 10) * 250;
        g.StretchDIBits(x, y, 190, 240, 256, 256, 0x00CC0020);  // SRCCOPY
        g.StretchDIBits(x + 20, y + 20, 100, 100, 64, 64, 0x008800C6); // SRCAND
        g.StretchDIBits(x + 20, y + 20, 100, 100, 64, 64, 0x00EE0086); // SRCPAINT
    }
    return g.Bytes();
}

void BM_ManyBitmapsWidth800(benchmark::State& state)
{
    stoplatency::PlayWidth800(state, manyBitmaps());
}
BENCHMARK(BM_ManyBitmapsWidth800)->Unit(benchmark::kMillisecond);

void BM_HugeStretchDIBitsWidth800(benchmark::State& state)
{
    stoplatency::PlayWidth800(state, EmfGenerator::HugeStretchDIBits());
}
BENCHMARK(BM_HugeStretchDIBitsWidth800)->Unit(benchmark::kMillisecond);

// Stop requests at random moments inside the huge bitmap's decoding and
// transfer; the output is large so that the transfer itself takes long.
void BM_StopLatencyInsideHugeStretchDIBits(benchmark::State& state)
{
    stoplatency::Measure(state, EmfGenerator::HugeStretchDIBits(), QSize(4000, 3000), 1, 60);
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
