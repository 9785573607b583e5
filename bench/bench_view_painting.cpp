// The image view as a user meets it: how fast a scroll, a resize or a new
// repaint stops the painting thread (StopPainting on the user-interface
// thread, also inside one huge record), how soon a window shows its first
// pixels, and the longest user-interface event while scrolling and
// resizing continuously over a million-record metafile and a 12000 x 9000
// raster image.
#include "EmfGenerator.h"
#include "StopLatency.h"
#include "framework/frame/CCreateContext.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/view/CLumivueView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QWheelEvent>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fstream>
#include <memory>
#include <random>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Times every event the application delivers: the longest is the longest
// time the window did not answer.
class TimingApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        if (m_depth++ > 0) {
            const bool r = QApplication::notify(receiver, event);
            --m_depth;
            return r;
        }
        const auto t0 = Clock::now();
        const bool r = QApplication::notify(receiver, event);
        const double us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
        m_longest = std::max(m_longest, us);
        --m_depth;
        return r;
    }
    double TakeLongest()
    {
        const double v = m_longest;
        m_longest = 0;
        return v;
    }

private:
    int m_depth = 0;
    double m_longest = 0;
};

TimingApplication* timingApp() { return static_cast<TimingApplication*>(QCoreApplication::instance()); }

void pump(int ms)
{
    QElapsedTimer t;
    t.start();
    do
        QApplication::processEvents(QEventLoop::AllEvents, 2);
    while (t.elapsed() < ms);
}

QString writeTemp(const QString& name, const QByteArray& bytes)
{
    const QString path = QDir::tempPath() + QStringLiteral("/lumivu-bench-") + name;
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

// A shown view of a document loaded from path, in a fit mode.
struct ViewUnderTest {
    std::unique_ptr<CLumivueDoc> doc = std::make_unique<CLumivueDoc>();
    std::unique_ptr<CLumivueView> view = std::make_unique<CLumivueView>();

    ViewUnderTest(const QString& path, QSize size, int fit, bool show = true)
    {
        doc->m_bAutoDelete = false;
        doc->LoadImageFile(path);
        doc->m_nFitOption = fit;
        CCreateContext context;
        context.m_pCurrentDoc = doc.get();
        view->Create(nullptr, &context);
        view->resize(size);
        view->OnInitialUpdate();
        if (show)
            view->show();
    }
    ~ViewUnderTest()
    {
        view.reset();
        doc.reset();
    }
    void Repaint()
    {
        view->Invalidate();
        view->UpdateWindow();
    }
    bool WaitIdle(int ms = 120000)
    {
        QElapsedTimer t;
        t.start();
        while (view->IsPainting() && t.elapsed() < ms)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        pump(5);
        return !view->IsPainting();
    }
};

// StopPainting on the user-interface thread at random moments of a painting.
void stopLatency(benchmark::State& state, const QByteArray& bytes, int maxDelayMs)
{
    ViewUnderTest v(writeTemp(QStringLiteral("stop.emf"), bytes), QSize(1280, 1024), FIT_PAGE);
    v.WaitIdle();
    std::mt19937 rng(7);
    std::vector<double> us;
    int missed = 0;
    for (auto _ : state) {
        for (int run = 0; run < 100; ++run) {
            v.Repaint();
            std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(1, maxDelayMs)(rng)));
            if (!v.view->IsPainting())
                ++missed;
            const auto t0 = Clock::now();
            v.view->StopPainting();
            us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
            pump(1);
        }
    }
    state.counters["p99_us"] = stoplatency::p99(us);
    state.counters["p50_us"] = us[us.size() / 2];
    state.counters["max_us"] = us.back();
    state.counters["ended_before_stop"] = missed;
}

void BM_ViewStopMillionRecords(benchmark::State& s) { stopLatency(s, EmfGenerator::Mixed(1000000), 400); }
void BM_ViewStopInsideHugePolygon(benchmark::State& s) { stopLatency(s, EmfGenerator::HugePolygon(1000000), 60); }
void BM_ViewStopInsideLongText(benchmark::State& s) { stopLatency(s, EmfGenerator::LongText(1000000), 25); }
void BM_ViewStopInsideHugeStretchDIBits(benchmark::State& s) { stopLatency(s, EmfGenerator::HugeStretchDIBits(), 60); }
BENCHMARK(BM_ViewStopMillionRecords)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewStopInsideHugePolygon)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewStopInsideLongText)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewStopInsideHugeStretchDIBits)->Iterations(1)->Unit(benchmark::kMillisecond);

// From showing the window to the first presentation of painted pixels.
double firstPixelsMs(const QString& path)
{
    ViewUnderTest v(path, QSize(1024, 768), FIT_PAGE, false);
    QElapsedTimer t;
    t.start();
    v.view->show();
    while (v.view->Surface().Publications() == 0 && t.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 1);
    // The presentation the publication asked for.
    QApplication::processEvents();
    const double ms = t.nsecsElapsed() / 1e6;
    v.WaitIdle();
    return ms;
}

std::vector<QString> corpusFiles()
{
    std::vector<QString> out;
    std::ifstream index(LUMIVU_CORPUS_DIR "/INDEX.tsv");
    std::string line;
    std::getline(index, line);
    while (std::getline(index, line)) {
        const QStringList f = QString::fromStdString(line).split(QLatin1Char('\t'));
        // Real-world files: not the deliberately malformed set.
        if (f.size() > 16 && (f[3] == QLatin1String("EMF") || f[3].startsWith(QLatin1String("WMF"))) &&
            f[16] != QLatin1String("y"))
            out.push_back(QStringLiteral(LUMIVU_CORPUS_DIR "/") + f[0]);
    }
    return out;
}

void BM_FirstPresentedPixelsCorpus(benchmark::State& state)
{
    std::vector<double> ms;
    for (auto _ : state)
        for (const QString& file : corpusFiles()) {
            ms.push_back(firstPixelsMs(file));
            if (qEnvironmentVariableIsSet("LUMIVU_BENCH_VERBOSE"))
                fprintf(stderr, "%8.2f ms  %s\n", ms.back(), qPrintable(file));
        }
    if (ms.empty())
        return state.SkipWithError("no corpus");
    std::sort(ms.begin(), ms.end());
    state.counters["files"] = double(ms.size());
    state.counters["p50_ms"] = ms[ms.size() / 2];
    state.counters["max_ms"] = ms.back();
}
BENCHMARK(BM_FirstPresentedPixelsCorpus)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_FirstPresentedPixelsMillionRecords(benchmark::State& state)
{
    const QString path = writeTemp(QStringLiteral("million.emf"), EmfGenerator::Mixed(1000000));
    std::vector<double> ms;
    for (auto _ : state)
        for (int i = 0; i < 5; ++i)
            ms.push_back(firstPixelsMs(path));
    std::sort(ms.begin(), ms.end());
    state.counters["p50_ms"] = ms[ms.size() / 2];
    state.counters["max_ms"] = ms.back();
}
BENCHMARK(BM_FirstPresentedPixelsMillionRecords)->Iterations(1)->Unit(benchmark::kMillisecond);

QString bigRaster()
{
    const QString path = QDir::tempPath() + QStringLiteral("/lumivu-bench-12000x9000.bmp");
    if (QFileInfo(path).size() > 300000000)
        return path;
    QImage image(12000, 9000, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = uchar(x / 47), row[3 * x + 1] = uchar(y / 35), row[3 * x + 2] = uchar((x ^ y) & 0xFF);
        }
    }
    image.save(path, "BMP");
    return path;
}

// Continuous scrolling with the wheel, then continuous resizing, while the
// view paints; the longest event of each.
void scrollAndResize(benchmark::State& state, const QString& path)
{
    ViewUnderTest v(path, QSize(1280, 1024), FIT_ZOOM);
    v.view->m_dZoom = 1.0;
    v.view->ApplyFitOption(FIT_ZOOM);
    pump(50);
    timingApp()->TakeLongest();
    double scroll = 0, resize = 0;
    const qint64 pixels0 = v.view->Surface().PresentedPixels();
    for (auto _ : state) {
        QWidget* vp = v.view->viewport();
        const QPoint c = vp->rect().center();
        for (int i = 0; i < 120; ++i) {
            QWheelEvent wheel(c, vp->mapToGlobal(c), QPoint(), QPoint(0, i < 60 ? -40 : 40), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(vp, &wheel);
            pump(8);
        }
        scroll = timingApp()->TakeLongest();
        for (int i = 0; i < 60; ++i) {
            v.view->resize(1280 - 6 * (i % 30), 1024 - 4 * (i % 30));
            pump(8);
        }
        resize = timingApp()->TakeLongest();
    }
    state.counters["longest_scroll_event_ms"] = scroll / 1000;
    state.counters["longest_resize_event_ms"] = resize / 1000;
    (void)pixels0;
    v.WaitIdle();
}

void BM_ScrollResizeMillionRecords(benchmark::State& state)
{
    scrollAndResize(state, writeTemp(QStringLiteral("million.emf"), EmfGenerator::Mixed(1000000)));
}
BENCHMARK(BM_ScrollResizeMillionRecords)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ScrollResizeRaster12000x9000(benchmark::State& state) { scrollAndResize(state, bigRaster()); }
BENCHMARK(BM_ScrollResizeRaster12000x9000)->Iterations(1)->Unit(benchmark::kMillisecond);

// One line down on a raster view: what the painting thread redraws and what
// the window presents of it.
void BM_RasterLineScroll(benchmark::State& state)
{
    ViewUnderTest v(bigRaster(), QSize(1280, 1024), FIT_ZOOM);
    v.view->m_dZoom = 1.0;
    v.view->ApplyFitOption(FIT_ZOOM);
    v.WaitIdle();
    qint64 presented = 0;
    double paintMs = 0;
    int steps = 0;
    for (auto _ : state) {
        const qint64 before = v.view->Surface().PresentedPixels();
        QElapsedTimer t;
        t.start();
        v.view->OnScrollBy(CSize(0, v.view->GetLineSize().cy), TRUE);
        v.WaitIdle();
        paintMs += t.nsecsElapsed() / 1e6;
        presented += v.view->Surface().PresentedPixels() - before;
        ++steps;
    }
    const CRect client = v.view->GetClientRect();
    state.counters["line_px"] = v.view->GetLineSize().cy;
    state.counters["presented_px_per_scroll"] = double(presented) / std::max(1, steps);
    state.counters["client_px"] = double(client.Width()) * client.Height();
    state.counters["repaint_ms"] = paintMs / std::max(1, steps);
    state.counters["redrawn_rect_px"] =
        double(v.view->PaintingInfo().UpdateRect.Width()) * v.view->PaintingInfo().UpdateRect.Height();
}
BENCHMARK(BM_RasterLineScroll)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TimingApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
