// Reading compiled help files: context ids, the contents tree, files inside,
// and files that are not (or no longer) help files.
#include "platform/help/ChmFile.h"
#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

void write(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QByteArray page(const char* title) { return QByteArray("<html><head><title>") + title + "</title></head><body>" + title + "</body></html>"; }

// A small help project compiled with chmcmd: three topics (one in a
// folder), a nested contents tree and three context ids.
QString compileSample()
{
    const QString dir = testenv::Home() + QStringLiteral("/chm");
    QDir(dir).removeRecursively();
    write(dir + "/start.htm", page("Start"));
    write(dir + "/more.htm", page("More"));
    write(dir + "/sub/deep.htm", page("Deep"));
    write(dir + "/toc.hhc",
          "<html><body><ul>\n"
          "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Start\"><param name=\"Local\" value=\"start.htm\"></object>\n"
          "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"More\"><param name=\"Local\" value=\"more.htm#two\"></object>\n"
          "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Deep\"><param name=\"Local\" value=\"sub/deep.htm\"></object></ul>\n"
          "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Last\"></object>\n"
          "</ul></body></html>\n");
    write(dir + "/s.hhp",
          "[OPTIONS]\nCompiled file=s.chm\nContents file=toc.hhc\nDefault topic=start.htm\nTitle=Sample Help\n\n"
          "[FILES]\nstart.htm\nmore.htm\nsub/deep.htm\n\n"
          "[ALIAS]\nIDH_START=start.htm\nIDH_MORE=more.htm\nIDH_DEEP=sub/deep.htm\n\n"
          "[MAP]\n#define IDH_START 1001\n#define IDH_MORE 0x18002\n#define IDH_DEEP 0x2008E\n");
    QProcess chmcmd;
    chmcmd.setWorkingDirectory(dir);
    chmcmd.start(QStringLiteral("chmcmd"), {QStringLiteral("s.hhp")});
    if (!chmcmd.waitForFinished(30000) || chmcmd.exitCode() != 0)
        return {};
    return dir + QStringLiteral("/s.chm");
}

class ChmFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("chmcmd")).isEmpty())
            GTEST_SKIP() << "chmcmd (fp-utils) is not installed";
        path = compileSample();
        ASSERT_FALSE(path.isEmpty());
    }
    QString path;
};

} // namespace

TEST_F(ChmFileTest, ContextIdsContentsAndFiles)
{
    ChmFile chm;
    ASSERT_TRUE(chm.Open(path));
    EXPECT_EQ(chm.Title(), "Sample Help");
    EXPECT_EQ(chm.DefaultTopic(), "/start.htm");
    EXPECT_EQ(chm.TopicOf(1001), "/start.htm");
    EXPECT_EQ(chm.TopicOf(0x18002), "/more.htm");
    EXPECT_EQ(chm.TopicOf(0x2008E), "/sub/deep.htm");
    EXPECT_EQ(chm.TopicOf(0x18003), "");

    ASSERT_EQ(chm.Contents().size(), 2u);
    const ChmFile::Entry& start = chm.Contents()[0];
    EXPECT_EQ(start.name, "Start");
    EXPECT_EQ(start.local, "/start.htm");
    ASSERT_EQ(start.children.size(), 2u);
    EXPECT_EQ(start.children[0].local, "/more.htm#two");
    EXPECT_EQ(start.children[1].local, "/sub/deep.htm");
    EXPECT_EQ(chm.Contents()[1].name, "Last");
    EXPECT_TRUE(chm.Contents()[1].local.isEmpty());

    EXPECT_EQ(chm.Read("/sub/deep.htm"), page("Deep"));
    EXPECT_EQ(chm.Read("more.htm"), page("More"));
    EXPECT_TRUE(chm.Read("/missing.htm").isEmpty());
    EXPECT_FALSE(chm.Exists("/missing.htm"));
}

TEST_F(ChmFileTest, NotAHelpFileOrACutOffOneFailsQuietly)
{
    ChmFile chm;
    EXPECT_FALSE(chm.Open(testenv::Home() + "/no-such.chm"));
    EXPECT_FALSE(chm.IsOpen());
    EXPECT_TRUE(chm.Read("/start.htm").isEmpty());
    EXPECT_EQ(chm.TopicOf(1001), "");

    const QString text = testenv::Home() + "/text.chm";
    write(text, QByteArray(4096, 'x'));
    EXPECT_FALSE(chm.Open(text));

    // A file cut short: opening may succeed on what is left, and reading
    // never crashes nor returns more than was there.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    for (qsizetype cut : {qsizetype(96), whole.size() / 3, whole.size() - 200}) {
        const QString shortFile = testenv::Home() + QStringLiteral("/cut%1.chm").arg(cut);
        write(shortFile, whole.left(cut));
        ChmFile partial;
        if (partial.Open(shortFile)) {
            EXPECT_LE(partial.Read("/start.htm").size(), whole.size());
            (void)partial.TopicOf(1001);
        }
    }
}
