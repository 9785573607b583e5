// lumivu-render end to end: formats, exit codes and messages.
#include "tests/common/TestEnvironment.h"
#include "tests/platform/metafile/EmfBuilder.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct RenderRun {
    int code;
    QString err;
};

RenderRun render(const QStringList& args)
{
    QProcess p;
    p.start(testenv::BuildDir() + QStringLiteral("/bin/lumivu-render"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

QString sample(const QTemporaryDir& dir)
{
    EmfBuilder b(RECT(0, 0, 2000, 1000)); // 20 mm x 10 mm
    b.Description(QStringLiteral("Writer") + QChar(0) + QStringLiteral("Title") + QChar(0));
    b.Record(39, {1, BS_SOLID, RGB(255, 0, 0), 0}).Record(37, {1}).Record(43, {0, 0, 100, 100});
    const QString path = dir.filePath(QStringLiteral("in.emf"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(b.Bytes());
    return path;
}

} // namespace

TEST(LumivuRender, ConvertsToEveryFormat)
{
    QTemporaryDir dir;
    const QString in = sample(dir);
    const RenderRun png = render({QStringLiteral("--width"), QStringLiteral("200"), QStringLiteral("--timing"), in,
                            dir.filePath(QStringLiteral("out.png"))});
    EXPECT_EQ(png.code, 0) << png.err.toStdString();
    EXPECT_TRUE(png.err.contains(QStringLiteral("playback_us="))) << png.err.toStdString();
    const QImage image(dir.filePath(QStringLiteral("out.png")));
    EXPECT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(150, 50), qRgb(255, 255, 255));
    EXPECT_EQ(render({QStringLiteral("--zoom"), QStringLiteral("2"), QStringLiteral("--dpi"), QStringLiteral("254"),
                      in, dir.filePath(QStringLiteral("out.bmp"))}).code, 0);
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("out.bmp"))).size(), QSize(400, 200));
    for (const char* ext : {"pdf", "svg"}) {
        const QString out = dir.filePath(QStringLiteral("out.") + QLatin1String(ext));
        EXPECT_EQ(render({in, out}).code, 0) << ext;
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << ext;
        const QByteArray all = f.readAll();
        EXPECT_TRUE(all.startsWith("%PDF") || all.startsWith("<?xml")) << ext;
        EXPECT_FALSE(all.contains('\0') && all.startsWith("<?xml")) << "no null characters in XML";
    }
}

TEST(LumivuRender, WritesEnhancedMetafilesThatRenderTheSame)
{
    QTemporaryDir dir;
    const QString in = sample(dir);
    const QString saved = dir.filePath(QStringLiteral("saved.emf"));
    const RenderRun run = render({in, saved});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QString a = dir.filePath(QStringLiteral("a.png")), b = dir.filePath(QStringLiteral("b.png"));
    ASSERT_EQ(render({QStringLiteral("--width"), QStringLiteral("200"), in, a}).code, 0);
    ASSERT_EQ(render({QStringLiteral("--width"), QStringLiteral("200"), saved, b}).code, 0);
    EXPECT_EQ(QImage(a), QImage(b));

    // A raster image has no metafile to save; a folder that does not exist
    // cannot take the file.
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString png = dir.filePath(QStringLiteral("p.png"));
    image.save(png);
    EXPECT_EQ(render({png, dir.filePath(QStringLiteral("p.emf"))}).code, 1);
    EXPECT_EQ(render({in, dir.filePath(QStringLiteral("none/x.emf"))}).code, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("p.emf"))));
}

TEST(LumivuRender, ReportsUnreadableInputsAndUsageErrors)
{
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("junk.emf"));
    QFile f(junk);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray(500, 'j'));
    f.close();
    RenderRun r = render({junk, dir.filePath(QStringLiteral("o.png"))});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("junk.emf: not a metafile"))) << r.err.toStdString();
    EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << "one line";
    r = render({dir.filePath(QStringLiteral("missing.emf")), dir.filePath(QStringLiteral("o.png"))});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("cannot be read")));
    const QString in = sample(dir);
    EXPECT_EQ(render({in}).code, 2);
    EXPECT_EQ(render({in, dir.filePath(QStringLiteral("o.gif"))}).code, 2);
    EXPECT_EQ(render({QStringLiteral("--width"), QStringLiteral("10"), QStringLiteral("--height"), QStringLiteral("5"),
                      in, dir.filePath(QStringLiteral("o.png"))}).code, 2);
    EXPECT_EQ(render({QStringLiteral("--help")}).code, 0);
}

// Raster files go through the viewer's document loading: the extension is
// only a hint, the resolution gives the physical size, and enlarging keeps
// sharp pixels.
TEST(LumivuRender, RendersRasterImagesLikeTheViewer)
{
    QTemporaryDir dir;
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 255));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setDotsPerMeterX(int(48 / 0.0254 + 0.5)); // 48 dpi: each pixel is two at 96 dpi
    image.setDotsPerMeterY(int(48 / 0.0254 + 0.5));
    const QString disguised = dir.filePath(QStringLiteral("picture.jpeg"));
    ASSERT_TRUE(image.save(disguised, "PNG"));

    RenderRun r = render({QStringLiteral("--width"), QStringLiteral("40"), disguised, dir.filePath(QStringLiteral("w.png"))});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QImage wide(dir.filePath(QStringLiteral("w.png")));
    ASSERT_EQ(wide.size(), QSize(40, 20));
    EXPECT_EQ(wide.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(wide.pixel(9, 9), qRgb(255, 0, 0)) << "a pixel enlarged ten times stays one colour";
    EXPECT_EQ(wide.pixel(10, 0), qRgb(0, 0, 255));
    EXPECT_EQ(wide.pixel(39, 19), qRgb(0, 0, 255));

    // The physical size at 96 dpi.
    r = render({disguised, dir.filePath(QStringLiteral("z.png"))});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("z.png"))).size(), QSize(8, 4));
}
