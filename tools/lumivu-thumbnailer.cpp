// lumivu-thumbnailer: the desktop's thumbnailer for metafiles and the
// raster types nothing else thumbnails, drawn by the viewer's own code.
// Files from anywhere reach it before anyone opens them, so it holds
// itself to a time and a memory limit and writes nothing but its output.
#include "tools/ProcessLimits.h"
#include "tools/Thumbnailer.h"
#include "tools/ThumbnailerEntry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSaveFile>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <unistd.h>

namespace {

// The whole run ends within 2 s: playback stops at kPlaybackMs from the
// start, which leaves time to encode and write; past kDeadlineMs the process
// leaves without a thumbnail whatever it is doing (loading a huge Windows
// 3.x metafile, which is converted record by record, can take longer). The
// margin covers the loading of the program before main and its exit.
constexpr int kPlaybackMs = 1300;
constexpr int kDeadlineMs = 1700;
constexpr qint64 kMemoryBytes = qint64(256) << 20;
constexpr int kMaxSize = 4096;

void usage(FILE* out)
{
    std::fputs("usage: lumivu-thumbnailer -s SIZE INPUT OUTPUT\n"
               "       lumivu-thumbnailer -Register | -UnRegister\n"
               "Writes OUTPUT, a PNG thumbnail of INPUT (a path or a file:// URI) whose longer\n"
               "side is SIZE pixels. -Register adds the thumbnailer to the user's desktop,\n"
               "-UnRegister removes it.\n",
               out);
}

bool isOption(const char* arg, const char* name)
{
    // Options start with -, -- or /, in any case, as the viewer's do.
    while (*arg == '-' || *arg == '/')
        ++arg;
    return strcasecmp(arg, name) == 0;
}

int fail(const QString& what, const QString& reason)
{
    std::fprintf(stderr, "lumivu-thumbnailer: %s: %s\n", qPrintable(what), qPrintable(reason));
    return 1;
}

void quietQt()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A sandboxed run has no runtime folder; Qt's note about it is noise.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.startsWith(QLatin1String("QStandardPaths:")) && previous)
            previous(type, context, message);
    });
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    if (argc == 2 && (isOption(argv[1], "help") || isOption(argv[1], "h"))) {
        usage(stdout);
        return 0;
    }
    if (argc == 2 && (isOption(argv[1], "Register") || isOption(argv[1], "UnRegister"))) {
        quietQt();
        QApplication app(argc, argv);
        QString error;
        const bool ok = isOption(argv[1], "Register")
                            ? ThumbnailerEntry::Register(QApplication::applicationFilePath(), &error)
                            : ThumbnailerEntry::Unregister(&error);
        return ok ? 0 : fail(ThumbnailerEntry::UserPath(), error);
    }
    if (argc != 5 || !(isOption(argv[1], "s") || isOption(argv[1], "size"))) {
        usage(stderr);
        return 2;
    }
    char* end = nullptr;
    const long size = std::strtol(argv[2], &end, 10);
    if (!end || *end || size < 1 || size > kMaxSize) {
        std::fprintf(stderr, "lumivu-thumbnailer: the size must be a number of pixels from 1 to %d\n", kMaxSize);
        return 2;
    }

    ProcessLimits::Apply(kMemoryBytes);
    // Beyond the memory limit an allocation fails: end with a message and
    // the failure status, before anything was written.
    std::set_new_handler([] {
        static const char message[] = "lumivu-thumbnailer: out of memory, no thumbnail written\n";
        (void)!write(2, message, sizeof message - 1);
        _exit(1);
    });
    // Qt's containers allocate with malloc and throw when it fails, past
    // the new handler: that too ends with the failure status, not a crash.
    std::set_terminate([] {
        static const char message[] = "lumivu-thumbnailer: out of memory, no thumbnail written\n";
        (void)!write(2, message, sizeof message - 1);
        _exit(1);
    });
    ProcessLimits limits(kDeadlineMs, 1);
    quietQt();
    QApplication app(argc, argv);
    const QString input = QString::fromLocal8Bit(argv[3]), output = QString::fromLocal8Bit(argv[4]);
    const QString path = Thumbnailer::LocalPath(input);
    if (path.isEmpty())
        return fail(input, QStringLiteral("not a local file"));

    QString error;
    const int limit = std::max(100, kPlaybackMs - int(clock.elapsed()));
    const Thumbnailer::Result result = Thumbnailer::Render(path, int(size), limit, &error);
    if (result.image.isNull())
        return fail(path, error);
    const QByteArray png = Thumbnailer::Png(result, path);
    if (png.isEmpty())
        return fail(output, QStringLiteral("cannot be encoded"));
    const bool written = limits.Commit([&] {
        QSaveFile file(output);
        return file.open(QIODevice::WriteOnly) && file.write(png) == png.size() && file.commit();
    });
    if (!written)
        return fail(output, QStringLiteral("cannot be written"));
    return 0;
}
