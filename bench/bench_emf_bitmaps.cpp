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
    stoplatency::PlayWidth800(state, manyBitmaps());
}
BENCHMARK(BM_ManyBitmapsWidth800)->Unit(benchmark::kMillisecond);

void BM_HugeStretchDIBitsWidth800(benchmark::State& state)
{
    stoplatency::PlayWidth800(state, hugeStretchDIBits());
}
BENCHMARK(BM_HugeStretchDIBitsWidth800)->Unit(benchmark::kMillisecond);

// Stop requests at random moments inside the huge bitmap's decoding and
// transfer; the output is large so that the transfer itself takes long.
void BM_StopLatencyInsideHugeStretchDIBits(benchmark::State& state)
{
    stoplatency::Measure(state, hugeStretchDIBits(), QSize(4000, 3000), 1, 60);
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
