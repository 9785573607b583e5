// lumivu-thumbnailer as a file manager meets it: the Exec line of its entry
// run with a URI, its limits on time and memory, what it writes, and the
// registration of its entry.
#include "tests/common/TestEnvironment.h"
#include "tests/platform/metafile/EmfBuilder.h"
#include "tools/Thumbnailer.h"
#include "tools/ThumbnailerEntry.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

struct ThumbRun {
    int code = -1;
    QString err;
    qint64 ms = 0;
};

QString program()
{
    return testenv::BuildDir() + QStringLiteral("/bin/lumivu-thumbnailer");
}

ThumbRun run(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    p.start(program(), args);
    p.waitForFinished(60000);
    ThumbRun r;
    r.ms = clock.elapsed();
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// 20 mm x 10 mm: red over the left half, white beyond.
QByteArray wideSample()
{
    EmfBuilder b(RECT(0, 0, 2000, 1000));
    b.Record(39, {1, BS_SOLID, RGB(255, 0, 0), 0}) // CREATEBRUSHINDIRECT: handle 1, solid red
        .Record(37, {1})                          // SELECTOBJECT 1
        .Record(43, {0, 0, 100, 100});            // RECTANGLE over the left half
    return b.Bytes();
}

// A metafile that plays for over two minutes at 256 px (about 60 us an
// ellipse here): millions of ellipses with a wide pen, then one green
// rectangle over everything that only a complete playback reaches.
QByteArray endlessSample()
{
    EmfBuilder b(RECT(0, 0, 20000, 15000));
    b.Record(38, {1, 0, 1000, 0, RGB(0, 0, 255)}) // CREATEPEN: handle 1, solid, 1000 wide, blue
        .Record(37, {1});                         // SELECTOBJECT 1
    for (uint32_t i = 0; i < 2400000; ++i) {
        const uint32_t x = (i * 37) % 1900, y = (i * 53) % 1400;
        b.Record(42, {x, y, x + 300, y + 300}); // ELLIPSE
    }
    b.Record(39, {2, BS_SOLID, RGB(0, 255, 0), 0}) // CREATEBRUSHINDIRECT: handle 2, solid green
        .Record(37, {2})                          // SELECTOBJECT 2
        .Record(43, {0, 0, 5000, 5000});          // RECTANGLE over everything
    return b.Bytes();
}

// The Exec line of an entry, with its codes replaced as a file manager does.
QStringList execLine(const QByteArray& entry, int size, const QString& uri, const QString& output)
{
    QStringList args;
    for (const QByteArray& line : entry.split('\n'))
        if (line.startsWith("Exec="))
            args = QProcess::splitCommand(QString::fromUtf8(line.mid(5)));
    for (QString& a : args) {
        if (a == QLatin1String("%s"))
            a = QString::number(size);
        else if (a == QLatin1String("%u"))
            a = uri;
        else if (a == QLatin1String("%o"))
            a = output;
    }
    return args;
}

// Every file under dir, relative to it.
QStringList filesUnder(const QString& dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(dir).relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace

TEST(LumivuThumbnailer, RunsItsExecLineWithAUriAtTheFileManagersSizes)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("a drawing #1.emf"));
    write(in, wideSample());
    const QString uri = QUrl::fromLocalFile(in).toString(QUrl::FullyEncoded);
    const QByteArray entry = ThumbnailerEntry::Text(program(), ThumbnailerEntry::MetafileTypes());
    for (int size : {128, 256}) {
        const QString out = dir.filePath(QStringLiteral("thumb%1.png").arg(size));
        QStringList args = execLine(entry, size, uri, out);
        ASSERT_EQ(args.size(), 5) << entry.toStdString();
        const QString exec = args.takeFirst();
        EXPECT_EQ(exec, program());
        const ThumbRun r = run(args);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        QImageReader reader(out);
        EXPECT_EQ(reader.format(), "png");
        const QImage image = reader.read();
        // The longer side fills the size; the aspect is the picture's (2:1).
        EXPECT_EQ(image.size(), QSize(size, size / 2));
        EXPECT_EQ(image.pixel(size / 8, size / 8), qRgb(255, 0, 0));
        EXPECT_EQ(image.pixel(size * 7 / 8, size / 4), qRgb(255, 255, 255));
        EXPECT_EQ(image.text(QStringLiteral("Thumb::URI")), uri);
        EXPECT_EQ(image.text(QStringLiteral("Thumb::Size")), QString::number(QFileInfo(in).size()));
        EXPECT_FALSE(image.text(QStringLiteral("Thumb::MTime")).isEmpty());
    }
    // A file manager scaled for a high-density screen passes its scale on:
    // the thumbnail keeps the size asked for.
    QProcessEnvironment scaled = QProcessEnvironment::systemEnvironment();
    scaled.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    const QString out = dir.filePath(QStringLiteral("scaled.png"));
    ASSERT_EQ(run({QStringLiteral("-s"), QStringLiteral("128"), uri, out}, scaled).code, 0);
    EXPECT_EQ(QImage(out).size(), QSize(128, 64));
}

TEST(LumivuThumbnailer, StopsAMetafileThatWouldPlayForMinutesAndKeepsWhatWasDrawn)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("endless.emf")), out = dir.filePath(QStringLiteral("t.png"));
    write(in, endlessSample());
    const ThumbRun r = run({QStringLiteral("-s"), QStringLiteral("256"), in, out});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_LT(r.ms, 2000);
    const QImage image(out);
    ASSERT_EQ(image.size(), QSize(256, 192));
    int blue = 0, green = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            blue += image.pixel(x, y) == qRgb(0, 0, 255);
            green += image.pixel(x, y) == qRgb(0, 255, 0);
        }
    EXPECT_GT(blue, 1000) << "the ellipses drawn before the stop are kept";
    EXPECT_EQ(green, 0) << "the playback did not reach its end";
}

// A placeable Windows 3.x metafile of millions of ellipses: converting it to
// an enhanced metafile on loading alone can outlast the time limit.
QByteArray hugeWmf()
{
    QByteArray b;
    auto word = [&b](int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto dword = [&](uint32_t v) { word(int(v & 0xFFFF)); word(int(v >> 16)); };
    const uint32_t records = 4000000;
    // Placeable header: key, handle, bounds 0,0,1000,1000, 1440 per inch, reserved, checksum.
    const uint16_t placeable[10] = {0xCDD7, 0x9AC6, 0, 0, 0, 1000, 1000, 1440, 0, 0};
    uint16_t checksum = 0;
    for (uint16_t w : placeable) {
        word(w);
        checksum ^= w;
    }
    word(checksum);
    // Header: type 1, 9 words, version 0x300, size in words, no objects, largest record 7 words.
    word(1), word(9), word(0x300), dword(9 + 5 + 5 + records * 7 + 3), word(0), dword(7), word(0);
    dword(5), word(0x020B), word(0), word(0);       // SETWINDOWORG 0,0
    dword(5), word(0x020C), word(1000), word(1000); // SETWINDOWEXT 1000,1000
    for (uint32_t i = 0; i < records; ++i) {
        const int x = int((i * 37) % 900), y = int((i * 53) % 900);
        dword(7), word(0x0418), word(y + 100), word(x + 100), word(y), word(x); // ELLIPSE bottom, right, top, left
    }
    dword(3), word(0); // end of file
    return b;
}

TEST(LumivuThumbnailer, EndsWithinTheTimeLimitEvenWhileLoading)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("huge.wmf")), out = dir.filePath(QStringLiteral("t.png"));
    write(in, hugeWmf());
    const ThumbRun r = run({QStringLiteral("-s"), QStringLiteral("256"), in, out});
    EXPECT_LT(r.ms, 2000);
    // A fast machine may get to draw part of it; a slow one gives up. Never
    // anything in between.
    if (r.code == 0) {
        EXPECT_FALSE(QImage(out).isNull());
    } else {
        EXPECT_EQ(r.code, 1) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden) == QStringList{QStringLiteral("huge.wmf")});
    }
}

TEST(LumivuThumbnailer, LeavesNoOutputForInputItCannotRead)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("t.png"));
    const QString text = dir.filePath(QStringLiteral("notes.emf"));
    write(text, "plain text, not a picture");
    // A bitmap whose header claims 30000 x 30000 pixels: more than the
    // thumbnailer's memory admits, refused before the pixels are allocated.
    QByteArray bmp(54, '\0');
    const uint32_t fields[] = {0, 54, 40, 30000, 30000};
    bmp[0] = 'B';
    bmp[1] = 'M';
    std::memcpy(bmp.data() + 6, &fields[0], 4);
    std::memcpy(bmp.data() + 10, &fields[1], 4);
    std::memcpy(bmp.data() + 14, &fields[2], 4);
    std::memcpy(bmp.data() + 18, &fields[3], 4);
    std::memcpy(bmp.data() + 22, &fields[4], 4);
    bmp[26] = 1;  // planes
    bmp[28] = 24; // bits per pixel
    const QString huge = dir.filePath(QStringLiteral("huge.bmp"));
    write(huge, bmp);
    for (const QString& input : {dir.filePath(QStringLiteral("missing.emf")), text, dir.path(), huge,
                                 QStringLiteral("http://example.com/a.emf"), QStringLiteral("file://elsewhere/a.emf")}) {
        const ThumbRun r = run({QStringLiteral("-s"), QStringLiteral("128"), input, out});
        EXPECT_EQ(r.code, 1) << input.toStdString() << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out)) << input.toStdString();
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("lumivu-thumbnailer: "))) << r.err.toStdString();
    }
    EXPECT_EQ(run({QStringLiteral("-s"), QStringLiteral("0"), text, out}).code, 2);
    EXPECT_EQ(run({text, out}).code, 2);
    EXPECT_EQ(run({QStringLiteral("--help")}).code, 0);
}

TEST(LumivuThumbnailer, HandlesTheMalformedCorpusFilesWithinTheTimeLimit)
{
    QFile index(testenv::CorpusDir() + QStringLiteral("/INDEX.tsv"));
    if (!index.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "no corpus";
    QTextStream lines(&index);
    const QStringList head = lines.readLine().split(QLatin1Char('\t'));
    const int malformed = int(head.indexOf(QStringLiteral("malformed_set")));
    ASSERT_GE(malformed, 0);
    QTemporaryDir dir;
    int count = 0;
    while (!lines.atEnd()) {
        const QStringList cols = lines.readLine().split(QLatin1Char('\t'));
        if (cols.size() <= malformed || cols[malformed] != QLatin1String("y"))
            continue;
        ++count;
        const QString in = testenv::CorpusDir() + QLatin1Char('/') + cols[0];
        const QString out = dir.filePath(QStringLiteral("t%1.png").arg(count));
        const ThumbRun r = run({QStringLiteral("-s"), QStringLiteral("256"),
                           QUrl::fromLocalFile(in).toString(QUrl::FullyEncoded), out});
        EXPECT_LT(r.ms, 2000) << cols[0].toStdString();
        if (r.code == 0) {
            // What plays before the fault is a picture.
            const QImage image(out);
            EXPECT_FALSE(image.isNull()) << cols[0].toStdString();
            EXPECT_LE(std::max(image.width(), image.height()), 256);
        } else {
            EXPECT_EQ(r.code, 1) << cols[0].toStdString() << r.err.toStdString();
            EXPECT_FALSE(QFileInfo::exists(out)) << cols[0].toStdString();
        }
    }
    EXPECT_GT(count, 0);
}

TEST(LumivuThumbnailer, WritesNothingButItsOutput)
{
    QTemporaryDir root;
    const QString in = root.filePath(QStringLiteral("in/a.emf"));
    QDir(root.path()).mkpath(QStringLiteral("in"));
    write(in, wideSample());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "TMPDIR"}) {
        const QString home = root.filePath(QStringLiteral("home/") + QLatin1String(var));
        QDir().mkpath(home);
        env.insert(QLatin1String(var), home);
    }
    QDir().mkpath(root.filePath(QStringLiteral("out")));
    const QString out = root.filePath(QStringLiteral("out/t.png"));
    const ThumbRun r = run({QStringLiteral("-s"), QStringLiteral("128"), in, out}, env);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(filesUnder(root.path()), QStringList({QStringLiteral("in/a.emf"), QStringLiteral("out/t.png")}));
}

TEST(LumivuThumbnailer, RegistersAndUnregistersItsEntry)
{
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("user")));
    // The system's only thumbnailer claims TGA under an alias.
    QDir().mkpath(dir.filePath(QStringLiteral("system/thumbnailers")));
    write(dir.filePath(QStringLiteral("system/thumbnailers/other.thumbnailer")),
          "[Thumbnailer Entry]\nExec=other %u %o\nMimeType=image/x-tga;image/png;\n");
    env.insert(QStringLiteral("XDG_DATA_DIRS"), dir.filePath(QStringLiteral("system")));
    const QString entry = dir.filePath(QStringLiteral("user/thumbnailers/lumivu.thumbnailer"));

    ASSERT_EQ(run({QStringLiteral("-Register")}, env).code, 0);
    QSettings keys(entry, QSettings::IniFormat);
    keys.beginGroup(QStringLiteral("Thumbnailer Entry"));
    EXPECT_EQ(keys.value(QStringLiteral("TryExec")).toString(), program());
    EXPECT_EQ(keys.value(QStringLiteral("Exec")).toString(), program() + QStringLiteral(" -s %s %u %o"));
    QFile f(entry);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    for (const char* type : {"image/emf;", "image/wmf;", "image/x-wmf;", "image/vnd.zbrush.pcx;", "image/x-mj;"})
        EXPECT_TRUE(text.contains(type)) << type;
    for (const char* type : {"image/x-tga;", "image/png;"})
        EXPECT_FALSE(text.contains(type)) << type << " has a thumbnailer already";

    ASSERT_EQ(run({QStringLiteral("--UnRegister")}, env).code, 0);
    EXPECT_FALSE(QFileInfo::exists(entry));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("system/thumbnailers/other.thumbnailer"))));

    // Another program's entry under our name is neither replaced nor removed.
    write(entry, "[Thumbnailer Entry]\nExec=someone-else %u %o\n");
    EXPECT_EQ(run({QStringLiteral("-Register")}, env).code, 1);
    EXPECT_EQ(run({QStringLiteral("-UnRegister")}, env).code, 0);
    EXPECT_TRUE(QFileInfo::exists(entry));
}

TEST(LumivuThumbnailer, TakesPathsAndLocalFileUris)
{
    EXPECT_EQ(Thumbnailer::LocalPath(QStringLiteral("/tmp/a.emf")), QStringLiteral("/tmp/a.emf"));
    EXPECT_EQ(Thumbnailer::LocalPath(QStringLiteral("file:///tmp/a%20b%23.emf")), QStringLiteral("/tmp/a b#.emf"));
    EXPECT_EQ(Thumbnailer::LocalPath(QStringLiteral("file://localhost/tmp/a.emf")), QStringLiteral("/tmp/a.emf"));
    EXPECT_TRUE(Thumbnailer::LocalPath(QStringLiteral("file://host/tmp/a.emf")).isEmpty());
    EXPECT_TRUE(Thumbnailer::LocalPath(QStringLiteral("sftp://host/a.emf")).isEmpty());
    EXPECT_TRUE(Thumbnailer::LocalPath(QString()).isEmpty());
    // A program path with a space is quoted in the entry's command line.
    const QByteArray text = ThumbnailerEntry::Text(QStringLiteral("/opt/my tools/lumivu-thumbnailer"), {});
    EXPECT_TRUE(text.contains("Exec=\"/opt/my tools/lumivu-thumbnailer\" -s %s %u %o\n")) << text.toStdString();
}
