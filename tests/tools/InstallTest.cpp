// The installed layout: `cmake --install` into a temporary prefix, then the
// installed programs run from there (their libraries found beside them, not
// in the build tree) and the desktop files pass the desktop's own checks.
#include "tests/common/TestEnvironment.h"
#include "tests/platform/metafile/EmfBuilder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

struct Tool {
    int code = -1;
    QString out;
    QString err;
};

Tool runTool(const QString& program, const QStringList& args,
             const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(120000))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// A prefix installed once for every test of this file.
class Installed : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_prefix = s_dir->filePath(QStringLiteral("prefix"));
        s_install = runTool(QStringLiteral("cmake"), {QStringLiteral("--install"), testenv::BuildDir(),
                                                      QStringLiteral("--prefix"), s_prefix});
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override { ASSERT_EQ(s_install.code, 0) << s_install.err.toStdString() << s_install.out.toStdString(); }

    static QString at(const QString& relative) { return s_prefix + QLatin1Char('/') + relative; }
    // The environment of a user's session without the build tree's paths.
    static QProcessEnvironment cleanEnvironment()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LD_LIBRARY_PATH"));
        return env;
    }

    static QTemporaryDir* s_dir;
    static QString s_prefix;
    static Tool s_install;
};

QTemporaryDir* Installed::s_dir = nullptr;
QString Installed::s_prefix;
Tool Installed::s_install;

QString sampleMetafile(const QString& dir)
{
    // A corpus file when there is one, else one of our own.
    for (const std::string& file : testenv::CorpusFiles([](const QString& f) { return f == QLatin1String("EMF"); })) {
        const QString path = testenv::CorpusDir() + QLatin1Char('/') + QString::fromStdString(file);
        if (!path.contains(QLatin1String("corrupt")) && !path.contains(QLatin1String("bad")))
            return path;
    }
    EmfBuilder b(RECT(0, 0, 2000, 1000));
    b.Record(39, {1, BS_SOLID, RGB(255, 0, 0), 0}).Record(37, {1}).Record(43, {0, 0, 100, 100});
    const QString path = dir + QStringLiteral("/sample.emf");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(b.Bytes());
    return path;
}

} // namespace

TEST_F(Installed, LaysOutProgramsLibrariesAndDesktopFiles)
{
    for (const char* file : {"bin/Lumivu", "bin/lumivu-render", "bin/lumivu-thumbnailer", "lib/libOwUtil.so.1",
                             "lib/libOwUt.so.1", "share/applications/Lumivue.Document.desktop",
                             "share/mime/packages/lumivu.xml", "share/thumbnailers/lumivu.thumbnailer",
                             "share/metainfo/works.orrery.Lumivu.metainfo.xml",
                             "share/icons/hicolor/scalable/apps/Lumivue.Document.svg",
                             "share/icons/hicolor/48x48/apps/Lumivue.Document.png",
                             "share/man/man1/lumivu.1", "share/man/man1/lumivu-render.1",
                             "share/man/man1/lumivu-thumbnailer.1"})
        EXPECT_TRUE(QFileInfo::exists(at(QLatin1String(file)))) << file;
    // The sonames name the files that are there.
    EXPECT_TRUE(QFileInfo(at(QStringLiteral("lib/libOwUtil.so.1"))).isSymLink());
    // The help file goes beside the program whenever the build made one.
    if (QFileInfo::exists(testenv::BuildDir() + QStringLiteral("/bin/Lumivu.chm")))
        EXPECT_TRUE(QFileInfo::exists(at(QStringLiteral("bin/Lumivu.chm"))));
}

TEST_F(Installed, ProgramsRunWithTheirOwnLibraries)
{
    QProcessEnvironment env = cleanEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const Tool help = runTool(at(QStringLiteral("bin/Lumivu")), {QStringLiteral("--help")}, env);
    EXPECT_EQ(help.code, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: "))) << help.out.toStdString();

    // Every library of ours is loaded from the prefix, none from the build tree.
    for (const char* program : {"bin/Lumivu", "bin/lumivu-render", "bin/lumivu-thumbnailer"}) {
        const Tool ldd = runTool(QStringLiteral("ldd"), {at(QLatin1String(program))}, env);
        ASSERT_EQ(ldd.code, 0) << program;
        int ours = 0;
        for (const QString& line : ldd.out.split(QLatin1Char('\n'))) {
            if (!line.contains(QLatin1String("libLv")) && !line.contains(QLatin1String("libOwUt")))
                continue;
            ++ours;
            EXPECT_TRUE(line.contains(s_prefix)) << program << ": " << line.toStdString();
        }
        EXPECT_EQ(ours, 5) << program << ldd.out.toStdString();
    }

    QTemporaryDir work;
    const QString in = sampleMetafile(work.path());
    const QString png = work.filePath(QStringLiteral("out.png"));
    const Tool render = runTool(at(QStringLiteral("bin/lumivu-render")), {QStringLiteral("--width"), QStringLiteral("300"), in, png}, env);
    EXPECT_EQ(render.code, 0) << render.err.toStdString();
    EXPECT_EQ(QImage(png).width(), 300);

    // The installed thumbnailer entry, run as a file manager runs it.
    QFile entry(at(QStringLiteral("share/thumbnailers/lumivu.thumbnailer")));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    QStringList exec;
    for (const QByteArray& line : entry.readAll().split('\n'))
        if (line.startsWith("Exec="))
            exec = QProcess::splitCommand(QString::fromUtf8(line.mid(5)));
    ASSERT_EQ(exec.size(), 5);
    EXPECT_EQ(exec[0], at(QStringLiteral("bin/lumivu-thumbnailer")));
    const QString thumb = work.filePath(QStringLiteral("thumb.png"));
    const Tool thumbnail = runTool(exec[0], {exec[1], QStringLiteral("128"), QUrl::fromLocalFile(in).toString(), thumb}, env);
    EXPECT_EQ(thumbnail.code, 0) << thumbnail.err.toStdString();
    const QImage image(thumb);
    EXPECT_EQ(std::max(image.width(), image.height()), 128);
}

TEST_F(Installed, DesktopFilesPassTheDesktopsChecks)
{
    if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("appstreamcli")).isEmpty())
        GTEST_SKIP() << "desktop-file-utils or appstream missing (deps/debian-packages.txt)";
    const Tool desktop = runTool(QStringLiteral("desktop-file-validate"),
                                 {at(QStringLiteral("share/applications/Lumivue.Document.desktop"))});
    EXPECT_EQ(desktop.code, 0) << desktop.out.toStdString() << desktop.err.toStdString();
    EXPECT_TRUE(desktop.out.isEmpty()) << desktop.out.toStdString();

    const Tool metainfo = runTool(QStringLiteral("appstreamcli"),
                                  {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                   at(QStringLiteral("share/metainfo/works.orrery.Lumivu.metainfo.xml"))});
    EXPECT_EQ(metainfo.code, 0) << metainfo.out.toStdString() << metainfo.err.toStdString();

    // The MIME package compiles, and defines the type the system lacks.
    const Tool mime = runTool(QStringLiteral("update-mime-database"), {at(QStringLiteral("share/mime"))});
    EXPECT_EQ(mime.code, 0) << mime.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(at(QStringLiteral("share/mime/image/x-mj.xml"))));

    // Each manual page formats without a warning and names its program.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    for (const char* page : {"lumivu", "lumivu-render", "lumivu-thumbnailer"}) {
        const QString path = at(QStringLiteral("share/man/man1/%1.1").arg(QLatin1String(page)));
        const Tool man = runTool(QStringLiteral("man"), {QStringLiteral("--warnings"), QStringLiteral("-l"), path}, env);
        EXPECT_EQ(man.code, 0) << page << man.err.toStdString();
        EXPECT_TRUE(man.err.isEmpty()) << page << ": " << man.err.toStdString();
        EXPECT_TRUE(man.out.contains(QStringLiteral("NAME"))) << page;
        EXPECT_TRUE(man.out.contains(QStringLiteral("EXIT STATUS")) || QLatin1String(page) == QLatin1String("lumivu")) << page;
    }
}
