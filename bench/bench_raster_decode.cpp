// Raster images: open-to-decoded time and peak memory of a 6000 x 4000
// photograph-like image as JPEG, PNG and PCX, beside the reader the format
// would otherwise be read with (Qt's own QImageReader; for PCX, which no Qt
// plugin reads, GraphicsMagick); and the cost of stretch-drawing that image
// at several zooms onto an 800 x 600 surface.
//
// Peak memory is measured in a child process per decoder and file: the
// child notes its resident size, decodes once, and reports the peak
// resident size (getrusage's ru_maxrss) less that start. Resident memory
// counts everything the decode touches (heap, mappings, the libraries'
// own caches), not only what passes through malloc. The codecs are loaded
// in the parent first, so their code does not count. The counters:
// peak_MB, image_MB (the decoded image's bytes) and peak_ratio (their
// quotient; the target is at most 1.2).
#include "platform/gdi/CDC.h"
#include "platform/gdi/QPainterBackend.h"
#include "raster/CRasterImage.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <Magick++.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

enum class Format { Jpeg, Png, Pcx };

const char* formatName(Format f)
{
    return f == Format::Jpeg ? "JPEG" : f == Format::Png ? "PNG" : "PCX";
}

int formatId(Format f)
{
    return f == Format::Jpeg ? RASTER_FORMAT_JPG : f == Format::Png ? RASTER_FORMAT_PNG : RASTER_FORMAT_PCX;
}

// Smooth gradients with a little deterministic grain, as a photograph has:
// neither trivially compressible nor noise.
QImage photograph()
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    uint32_t state = 0x9E3779B9u;
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int grain = int(state & 7) - 4;
            const int r = (x * 255) / kWidth + grain;
            const int g = (y * 255) / kHeight + grain;
            const int b = ((x / 40 + y / 40) % 2 ? 180 : 60) + grain;
            row[x] = qRgb(qBound(0, r, 255), qBound(0, g, 255), qBound(0, b, 255));
        }
    }
    return img;
}

struct Files {
    QTemporaryDir dir;
    std::map<Format, QString> path;
};

Files& files()
{
    static Files* f = [] {
        auto* out = new Files;
        const QImage img = photograph();
        out->path[Format::Jpeg] = out->dir.filePath("photo.jpg");
        out->path[Format::Png] = out->dir.filePath("photo.png");
        out->path[Format::Pcx] = out->dir.filePath("photo.pcx");
        QImageWriter jpg(out->path[Format::Jpeg], "jpeg");
        jpg.setQuality(90);
        jpg.write(img);
        QImageWriter(out->path[Format::Png], "png").write(img);
        // The PCX file comes from GraphicsMagick's writer, not from this
        // project's code.
        Magick::Image m(kWidth, kHeight, "BGRA", Magick::CharPixel, img.constBits());
        m.matte(false);
        m.write("PCX:" + out->path[Format::Pcx].toStdString());
        return out;
    }();
    return *f;
}

// The decoders compared.
QImage decodeLumivu(Format f)
{
    CRasterImage img;
    img.Load(files().path[f], formatId(f));
    return img.Image();
}

QImage decodeReference(Format f)
{
    if (f != Format::Pcx) {
        QImageReader reader(files().path[f]);
        return reader.read();
    }
    Magick::Image m;
    m.read("PCX:" + files().path[f].toStdString());
    QImage out(int(m.columns()), int(m.rows()), QImage::Format_RGB32);
    m.write(0, 0, m.columns(), m.rows(), "BGRA", Magick::CharPixel, out.bits());
    return out;
}

long residentBytes()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGE_SIZE);
}

struct Peak {
    double peakBytes = 0;
    double imageBytes = 0;
};

Peak measurePeak(const std::function<QImage()>& decode)
{
    int pipeFd[2];
    if (pipe(pipeFd) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFd[0]);
        const long start = residentBytes();
        const QImage img = decode();
        rusage ru{};
        getrusage(RUSAGE_SELF, &ru);
        const Peak p{double(ru.ru_maxrss) * 1024.0 - double(start), double(img.sizeInBytes())};
        if (write(pipeFd[1], &p, sizeof p) != ssize_t(sizeof p))
            _exit(1);
        _exit(0);
    }
    close(pipeFd[1]);
    Peak p;
    if (read(pipeFd[0], &p, sizeof p) != ssize_t(sizeof p))
        p = {};
    close(pipeFd[0]);
    waitpid(pid, nullptr, 0);
    return p;
}

void warmUp()
{
    static bool done = [] {
        // Loads the codecs' plugins and GraphicsMagick's coders in the
        // parent, so that children do not count their code.
        QImage small(8, 8, QImage::Format_RGB32);
        small.fill(Qt::gray);
        QTemporaryDir dir;
        for (const char* fmt : {"jpeg", "png"}) {
            const QString p = dir.filePath(QString("w.") + fmt);
            small.save(p, fmt);
            CRasterImage().Load(p, -1);
            QImageReader(p).read();
        }
        Magick::Image m(Magick::Geometry(8, 8), Magick::Color("gray"));
        const QString pcx = dir.filePath("w.pcx");
        m.write("PCX:" + pcx.toStdString());
        CRasterImage().Load(pcx, RASTER_FORMAT_PCX);
        Magick::Image back("PCX:" + pcx.toStdString());
        return true;
    }();
    (void)done;
}

void runDecode(benchmark::State& state, Format f, bool lumivu)
{
    files();
    warmUp();
    const auto decode = [f, lumivu] { return lumivu ? decodeLumivu(f) : decodeReference(f); };
    const Peak peak = measurePeak(decode);
    for (auto _ : state) {
        QImage img = decode();
        if (img.width() != kWidth || img.height() != kHeight)
            state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(img);
    }
    state.counters["peak_MB"] = peak.peakBytes / (1 << 20);
    state.counters["image_MB"] = peak.imageBytes / (1 << 20);
    state.counters["peak_ratio"] = peak.imageBytes > 0 ? peak.peakBytes / peak.imageBytes : 0;
    state.SetLabel(std::string(formatName(f)) + (lumivu ? " CRasterImage" : f == Format::Pcx ? " GraphicsMagick" : " QImageReader"));
}

void BM_DecodeJpeg(benchmark::State& s) { runDecode(s, Format::Jpeg, true); }
void BM_DecodeJpegQtReader(benchmark::State& s) { runDecode(s, Format::Jpeg, false); }
void BM_DecodePng(benchmark::State& s) { runDecode(s, Format::Png, true); }
void BM_DecodePngQtReader(benchmark::State& s) { runDecode(s, Format::Png, false); }
void BM_DecodePcx(benchmark::State& s) { runDecode(s, Format::Pcx, true); }
void BM_DecodePcxGraphicsMagick(benchmark::State& s) { runDecode(s, Format::Pcx, false); }

#define DECODE_BENCH(fn) BENCHMARK(fn)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0)
DECODE_BENCH(BM_DecodeJpeg);
DECODE_BENCH(BM_DecodeJpegQtReader);
DECODE_BENCH(BM_DecodePng);
DECODE_BENCH(BM_DecodePngQtReader);
DECODE_BENCH(BM_DecodePcx);
DECODE_BENCH(BM_DecodePcxGraphicsMagick);

// Stretch-drawing the decoded photograph onto an 800 x 600 surface with
// the painting thread's mapping, at a zoom in percent; the view is scrolled
// to the image's middle. Enlarged, the cost follows the surface, not the
// image.
void BM_Draw2(benchmark::State& state)
{
    static const CRasterImage image = [] {
        CRasterImage img;
        img.Load(files().path[Format::Jpeg], RASTER_FORMAT_JPG);
        return img;
    }();
    const double zoom = double(state.range(0)) / 100.0;
    QImage surface(800, 600, QImage::Format_RGB32);
    CDC dc(std::make_unique<QPainterBackend>(&surface));
    const int destW = int(kWidth * zoom), destH = int(kHeight * zoom);
    dc.SetViewportOrg(-(destW - 800) / 2, -(destH - 600) / 2);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(kWidth, kHeight);
    dc.SetViewportExt(destW, destH);
    for (auto _ : state) {
        image.Draw2(&dc, CRect(0, 0, kWidth, kHeight));
        dc.Flush();
    }
    state.SetLabel("zoom " + std::to_string(state.range(0)) + "%");
}
BENCHMARK(BM_Draw2)->Arg(13)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    MagickLib::ExceptionInfo ex;
    MagickLib::GetExceptionInfo(&ex);
    MagickLib::InitializeMagickEx(argv[0], MAGICK_OPT_NO_SIGNAL_HANDER, &ex);
    MagickLib::DestroyExceptionInfo(&ex);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
