// lumivu-render's batch conversion: names, parallel runs, failures that
// stop nothing, the summary, and exit statuses.
#include "tests/common/TestEnvironment.h"
#include "tests/platform/metafile/EmfBuilder.h"
#include "tools/BatchConverter.h"
#include "tools/BatchProgress.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct BatchRun {
    int code = -1;
    QString out;
    QString err;
};

BatchRun render(const QStringList& args)
{
    QProcess p;
    p.start(testenv::BuildDir() + QStringLiteral("/bin/lumivu-render"), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QByteArray square(COLORREF colour)
{
    EmfBuilder b(RECT(0, 0, 1000, 1000)); // 10 mm x 10 mm
    b.Record(39, {1, BS_SOLID, colour, 0}) // CREATEBRUSHINDIRECT: handle 1
        .Record(37, {1})                  // SELECTOBJECT 1
        .Record(43, {0, 0, 100, 100});    // RECTANGLE over everything
    return b.Bytes();
}

QStringList hidden(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden).filter(QRegularExpression(QStringLiteral("^\\.")));
}

} // namespace

TEST(LumivuRenderBatch, ConvertsEveryFileInParallelAndReportsTheOnesThatFail)
{
    QTemporaryDir dir;
    const QString red = write(dir, QStringLiteral("red.emf"), square(RGB(255, 0, 0)));
    const QString blue = write(dir, QStringLiteral("sub/red.emf"), square(RGB(0, 0, 255)));
    const QString bad = write(dir, QStringLiteral("bad.emf"), "not a picture");
    const QString out = dir.filePath(QStringLiteral("out"));
    // An older output that a failed conversion must leave as it was.
    write(dir, QStringLiteral("out/bad.png"), "older");

    const BatchRun r = render({QStringLiteral("--width"), QStringLiteral("40"), QStringLiteral("--jobs"),
                               QStringLiteral("2"), QStringLiteral("--out-dir"), out, red, bad, blue,
                               dir.filePath(QStringLiteral("missing.wmf"))});
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    const QImage first(out + QStringLiteral("/red.png")), second(out + QStringLiteral("/red.emf.png"));
    EXPECT_EQ(first.size(), QSize(40, 40));
    EXPECT_EQ(first.pixel(20, 20), qRgb(255, 0, 0));
    EXPECT_EQ(second.pixel(20, 20), qRgb(0, 0, 255)) << "the second red.emf keeps its own name";
    QFile older(out + QStringLiteral("/bad.png"));
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), QByteArray("older"));
    EXPECT_TRUE(hidden(out).isEmpty()) << hidden(out).join(' ').toStdString();

    // The summary names each failure with its reason; without a terminal
    // the progress is one line per file.
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("2 of 4 converted into ") + out + QStringLiteral(", 2 failed:\n")))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(bad + QStringLiteral(": not a metafile or an image the viewer can open"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(dir.filePath(QStringLiteral("missing.wmf: cannot be read")))) << r.out.toStdString();
    EXPECT_EQ(r.err.count(QLatin1Char('\n')), 4) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("converted ") + red + QStringLiteral(" -> ") + out + QStringLiteral("/red.png")));
    EXPECT_FALSE(r.err.contains(QLatin1Char('\r')));
}

TEST(LumivuRenderBatch, WritesTheChosenFormatAndSucceedsWhenAllConvert)
{
    QTemporaryDir dir;
    const QString a = write(dir, QStringLiteral("a.emf"), square(RGB(0, 128, 0)));
    const QString b = write(dir, QStringLiteral("b.wmf.emf"), square(RGB(0, 0, 0)));
    const QString out = dir.filePath(QStringLiteral("new/folder"));
    for (const char* format : {"pdf", "svg", "emf", "bmp"}) {
        const BatchRun r = render({QStringLiteral("--out-dir"), out, QStringLiteral("--format"),
                                   QLatin1String(format), a, b});
        EXPECT_EQ(r.code, 0) << format << r.err.toStdString();
        EXPECT_EQ(r.out, QStringLiteral("2 of 2 converted into %1\n").arg(out)) << format;
        for (const QString& name : {QStringLiteral("a."), QStringLiteral("b.wmf.")})
            EXPECT_GT(QFileInfo(out + QLatin1Char('/') + name + QLatin1String(format)).size(), 0) << format;
    }
    // PNG by default, laid out as the window would in a fit mode.
    const BatchRun r = render({QStringLiteral("--fit"), QStringLiteral("page"), QStringLiteral("--page"),
                               QStringLiteral("64x32"), QStringLiteral("--out-dir"), out, a});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(out + QStringLiteral("/a.png")).height(), 32);
}

TEST(LumivuRenderBatch, RefusesBadUsageBeforeConvertingAnything)
{
    QTemporaryDir dir;
    const QString a = write(dir, QStringLiteral("a.emf"), square(RGB(0, 0, 0)));
    const QString out = dir.filePath(QStringLiteral("out"));
    const QList<QStringList> bad = {
        {QStringLiteral("--out-dir"), out, QStringLiteral("--format"), QStringLiteral("gif"), a},
        {QStringLiteral("--out-dir"), out, QStringLiteral("--jobs"), QStringLiteral("0"), a},
        {QStringLiteral("--format"), QStringLiteral("png"), a, dir.filePath(QStringLiteral("a.png"))},
        {QStringLiteral("--out-dir"), out},
        {QStringLiteral("--out-dir"), out, QStringLiteral("--sharpen"), a},
        {QStringLiteral("--out-dir"), out, QStringLiteral("--width"), QStringLiteral("-3"), a},
        {QStringLiteral("--out-dir"), out, QStringLiteral("--print"), a},
        {QStringLiteral("--out-dir")},
    };
    for (const QStringList& args : bad) {
        const BatchRun r = render(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("usage:"))) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST(LumivuRenderBatch, NamesOutputsAfterTheirInputs)
{
    const QStringList names = BatchConverter::OutputNames(
        {QStringLiteral("a.emf"), QStringLiteral("x/a.emf"), QStringLiteral("y/a.emf"), QStringLiteral("a.wmf"),
         QStringLiteral("archive.tar.emf"), QStringLiteral(".hidden")},
        QStringLiteral("/out"), QStringLiteral("png"));
    EXPECT_EQ(names, QStringList({QStringLiteral("/out/a.png"), QStringLiteral("/out/a.emf.png"),
                                  QStringLiteral("/out/a-2.png"), QStringLiteral("/out/a.wmf.png"),
                                  QStringLiteral("/out/archive.tar.png"), QStringLiteral("/out/.hidden.png")}));
    // Converting enhanced metafiles into their own folder never replaces one.
    EXPECT_EQ(BatchConverter::OutputNames({QStringLiteral("/d/a.emf"), QStringLiteral("/d/a.emf.emf")},
                                          QStringLiteral("/d"), QStringLiteral("emf")),
              QStringList({QStringLiteral("/d/a-2.emf"), QStringLiteral("/d/a.emf.emf.emf")}));
    EXPECT_EQ(BatchConverter::ReasonFrom(QStringLiteral("libpng warning: x\nlumivu-render: in.emf: cannot be read\n"),
                                         QStringLiteral("in.emf")),
              QStringLiteral("cannot be read"));
    EXPECT_EQ(BatchProgress::BarLine(5, 10, QStringLiteral("file.emf"), 60),
              QStringLiteral("[##########----------] 5/10 file.emf"));
    // A long name gives way to the bar, keeping its end.
    const QString line = BatchProgress::BarLine(10, 10, QString(100, QLatin1Char('n')) + QStringLiteral(".emf"), 50);
    EXPECT_EQ(line.size(), 49);
    EXPECT_TRUE(line.startsWith(QStringLiteral("[################] 10/10 ...")));
    EXPECT_TRUE(line.endsWith(QStringLiteral("n.emf")));
}
