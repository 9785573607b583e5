// Playback speed: the real-world EMF files of the corpus at width 800 beside
// the reference renderer's times, records per second on a large generated
// metafile, and how fast a stop request ends a playback.
#include "EmfGenerator.h"
#include "StopLatency.h"
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/RenderLayout.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

QString corpusDir()
{
    const QByteArray env = qgetenv("LUMIVU_CORPUS_DIR");
    return env.isEmpty() ? QStringLiteral(LUMIVU_CORPUS_DIR) : QString::fromLocal8Bit(env);
}

struct CorpusFile {
    QString path;
    EnhMetaFilePtr mf;
    QImage image;
};

std::vector<CorpusFile>& corpus()
{
    static std::vector<CorpusFile> files = [] {
        std::vector<CorpusFile> out;
        QFile index(corpusDir() + QStringLiteral("/INDEX.tsv"));
        if (!index.open(QIODevice::ReadOnly))
            return out;
        QTextStream in(&index);
        in.readLine();
        while (!in.atEnd()) {
            const QStringList c = in.readLine().split(QLatin1Char('\t'));
            if (c.size() < 18 || c[3] != QLatin1String("EMF") || c[17] != QLatin1String("real-world"))
                continue;
            CorpusFile f;
            f.path = c[0];
            f.mf.reset(GetEnhMetaFile(corpusDir() + QLatin1Char('/') + c[0]));
            if (!f.mf)
                continue;
            // The reference renderer's size: height from the frame, at most 4 x 800.
            const RECT& fr = f.mf->Header().frame;
            int h = 800;
            const double fw = double(fr.right) - fr.left, fh = double(fr.bottom) - fr.top;
            if (fw > 0 && fh > 0)
                h = int(std::clamp(800.0 * fh / fw + 0.5, 1.0, 3200.0));
            h = std::clamp(h, 1, 3200);
            f.image = QImage(800, h, QImage::Format_RGB32);
            out.push_back(std::move(f));
        }
        return out;
    }();
    return files;
}

// The reference renderer's playback microseconds per file, run once.
std::map<QString, double>& referenceTimes()
{
    static std::map<QString, double> times = [] {
        std::map<QString, double> t;
        const QString render = QDir(corpusDir()).filePath(QStringLiteral("../tools/gdi-reference/render"));
        if (!QFile::exists(render) || corpus().empty() || qEnvironmentVariableIsSet("LUMIVU_NO_REFERENCE"))
            return t;
        QTemporaryDir out;
        QStringList args = {QStringLiteral("--width"), QStringLiteral("800"), QStringLiteral("--out"), out.path()};
        for (const auto& f : corpus())
            args << f.path;
        QProcess p;
        p.setWorkingDirectory(corpusDir());
        p.start(render, args);
        p.waitForFinished(600000);
        for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            const QStringList c = line.split(QLatin1Char('\t'));
            if (c.size() >= 3 && c[1] == QLatin1String("played"))
                t[c[0]] = c[2].toDouble();
        }
        return t;
    }();
    return times;
}

double playOnce(CorpusFile& f)
{
    f.image.fill(Qt::white);
    const auto t0 = Clock::now();
    {
        CDC dc(std::make_unique<QPainterBackend>(&f.image));
        const RECT r(0, 0, f.image.width(), f.image.height());
        PlayEnhMetaFile(&dc, f.mf.get(), &r);
    }
    return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}

void BM_CorpusPlaybackWidth800(benchmark::State& state)
{
    auto& files = corpus();
    if (files.empty()) {
        state.SkipWithError("corpus not present");
        return;
    }
    std::vector<double> best(files.size(), 1e300);
    for (auto _ : state) {
        double total = 0;
        for (size_t i = 0; i < files.size(); ++i) {
            const double us = playOnce(files[i]);
            best[i] = std::min(best[i], us);
            total += us;
        }
        state.SetIterationTime(total / 1e6);
    }
    double reference = 0, ours = 0;
    auto& ref = referenceTimes();
    std::vector<std::tuple<double, double, QString>> rows;
    for (size_t i = 0; i < files.size(); ++i) {
        const auto it = ref.find(files[i].path);
        const double r = it == ref.end() ? 0 : it->second;
        reference += r;
        ours += best[i];
        rows.emplace_back(best[i], r, files[i].path);
    }
    state.counters["files"] = double(files.size());
    state.counters["ours_best_total_ms"] = ours / 1000;
    state.counters["reference_total_ms"] = reference / 1000;
    std::sort(rows.rbegin(), rows.rend());
    std::fprintf(stderr, "slowest files (ours best us / reference us):\n");
    for (size_t i = 0; i < std::min<size_t>(8, rows.size()); ++i)
        std::fprintf(stderr, "  %9.0f %9.0f  %s\n", std::get<0>(rows[i]), std::get<1>(rows[i]),
                     qPrintable(std::get<2>(rows[i])));
}
BENCHMARK(BM_CorpusPlaybackWidth800)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RecordsPerSecond(benchmark::State& state)
{
    const QByteArray bytes = EmfGenerator::Mixed(size_t(state.range(0)));
    EnhMetaFilePtr mf(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
    QImage image(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        CDC dc(std::make_unique<QPainterBackend>(&image));
        const RECT r(0, 0, 800, 600);
        PlayEnhMetaFile(&dc, mf.get(), &r);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_RecordsPerSecond)->Arg(200000)->Unit(benchmark::kMillisecond);

// The reference renderer's playback microseconds for a generated metafile
// (0 without the reference), run once per name.
double referenceMicros(const QString& name, const QByteArray& bytes)
{
    static std::map<QString, double> times;
    if (const auto it = times.find(name); it != times.end())
        return it->second;
    double us = 0;
    const QString render = QDir(corpusDir()).filePath(QStringLiteral("../tools/gdi-reference/render"));
    QTemporaryDir dir;
    QFile file(dir.filePath(name + QStringLiteral(".emf")));
    if (QFile::exists(render) && !qEnvironmentVariableIsSet("LUMIVU_NO_REFERENCE") && file.open(QIODevice::WriteOnly) &&
        file.write(bytes) == bytes.size()) {
        file.close();
        QProcess p;
        // The best of a few runs, as ours is the best of its iterations.
        const QStringList args = {QStringLiteral("--width"), QStringLiteral("800"), QStringLiteral("--out"),
                                  dir.path(),           file.fileName(),        file.fileName(),
                                  file.fileName()};
        p.start(render, args);
        p.waitForFinished(600000);
        for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            const QStringList c = line.split(QLatin1Char('\t'));
            if (c.size() >= 3 && c[1] == QLatin1String("played"))
                us = us == 0 ? c[2].toDouble() : std::min(us, c[2].toDouble());
        }
    }
    times[name] = us;
    return us;
}

// Long thin lines under a raster operation, each with a pen of its own, at
// width 800: arg 0 is the ROP2 (R2_XORPEN 7, R2_COPYPEN 13).
void BM_RadialSpokesWidth800(benchmark::State& state)
{
    const uint32_t rop2 = uint32_t(state.range(0));
    const QByteArray bytes = EmfGenerator::RadialSpokes(528, rop2);
    EnhMetaFilePtr mf(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
    const RECT& fr = mf->Header().frame;
    const int h = int(800.0 * (fr.bottom - fr.top) / (fr.right - fr.left) + 0.5);
    QImage image(800, h, QImage::Format_RGB32);
    double best = 1e300;
    for (auto _ : state) {
        image.fill(Qt::white);
        const auto t0 = Clock::now();
        {
            CDC dc(std::make_unique<QPainterBackend>(&image));
            const RECT r(0, 0, 800, h);
            PlayEnhMetaFile(&dc, mf.get(), &r);
        }
        const double us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
        best = std::min(best, us);
        state.SetIterationTime(us / 1e6);
    }
    const double ref = referenceMicros(QStringLiteral("spokes-rop%1").arg(rop2), bytes);
    state.counters["ours_best_us"] = best;
    state.counters["reference_us"] = ref;
    if (ref > 0)
        state.counters["ratio"] = best / ref;
}
BENCHMARK(BM_RadialSpokesWidth800)->Arg(7)->Arg(13)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_StopLatencyMillionRecords(benchmark::State& state)
{
    stoplatency::Measure(state, EmfGenerator::Mixed(1000000), QSize(800, 600), 2, 40);
}
BENCHMARK(BM_StopLatencyMillionRecords)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_StopLatencyInsideHugePolygon(benchmark::State& state)
{
    stoplatency::Measure(state, EmfGenerator::HugePolygon(1000000), QSize(800, 600), 1, 25);
}
BENCHMARK(BM_StopLatencyInsideHugePolygon)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_StopLatencyInsideLongText(benchmark::State& state)
{
    stoplatency::Measure(state, EmfGenerator::LongText(1000000), QSize(800, 600), 1, 25);
}
BENCHMARK(BM_StopLatencyInsideLongText)->Iterations(1)->Unit(benchmark::kMillisecond);

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
