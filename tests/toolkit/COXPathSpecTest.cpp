#include "toolkit/COXPathSpec.h"

#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(COXPathSpec, SplitsDriveDirectoryBaseAndExtension)
{
    const struct {
        const char* path;
        const char* drive;
        const char* directory;
        const char* base;
        const char* ext;
    } cases[] = {
        {R"(C:\docs\report.final.txt)", "C:", R"(\docs\)", "report.final", "txt"},
        {"/usr/share/tips.txt", "", "/usr/share/", "tips", "txt"},
        {R"(\\srv\pub\a.b)", "", R"(\\srv\pub\)", "a", "b"},
        {"relative/noext", "", "relative/", "noext", ""},
        {"name.", "", "", "name", ""},
        {"/folder/", "", "/folder/", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        COXPathSpec pathSpec;
        ASSERT_TRUE(pathSpec.SetPath(QString::fromUtf8(c.path)));
        EXPECT_EQ(pathSpec.GetDrive(), QString::fromUtf8(c.drive));
        EXPECT_EQ(pathSpec.GetDirectory(), QString::fromUtf8(c.directory));
        EXPECT_EQ(pathSpec.GetBaseName(), QString::fromUtf8(c.base));
        EXPECT_EQ(pathSpec.GetExtension(), QString::fromUtf8(c.ext));
        EXPECT_EQ(pathSpec.GetPath(), QString::fromUtf8(c.path));
    }
}

TEST(COXPathSpec, PartsCanBeReplaced)
{
    COXPathSpec pathSpec("/a/b/report.txt");
    pathSpec.SetExtension("md");
    EXPECT_EQ(pathSpec.GetPath(), "/a/b/report.md");
    pathSpec.SetExtension(".html");
    pathSpec.SetBaseName("index");
    pathSpec.SetDirectory("/srv/www");
    EXPECT_EQ(pathSpec.GetPath(), "/srv/www/index.html");
    pathSpec.SetExtension(QString());
    EXPECT_EQ(pathSpec.GetPath(), "/srv/www/index");
    EXPECT_FALSE(pathSpec.SetPath(QString("bad") + QChar(0) + "name"));
    EXPECT_EQ(pathSpec.GetPath(), "/srv/www/index");
}

TEST(COXPathSpec, MakeAbsoluteResolvesAgainstTheCurrentFolder)
{
    const QString saved = QDir::currentPath();
    const QString home = QDir(testenv::Home()).canonicalPath();
    QDir(home).mkpath("w/sub");
    QFile(home + "/w/tips.txt").open(QIODevice::WriteOnly);
    ASSERT_TRUE(QDir::setCurrent(home + "/w/sub"));

    COXPathSpec pathSpec(R"(..\tips.txt)");
    EXPECT_FALSE(pathSpec.IsAbsolute());
    EXPECT_TRUE(pathSpec.MakeAbsolute());
    EXPECT_EQ(pathSpec.GetPath(), home + "/w/tips.txt");
    EXPECT_TRUE(pathSpec.Exists());

    COXPathSpec here("file.txt");
    EXPECT_TRUE(here.MakeAbsolute());
    EXPECT_EQ(here.GetPath(), home + "/w/sub/file.txt");
    EXPECT_FALSE(here.Exists());

    COXPathSpec folder("./");
    folder.MakeAbsolute();
    EXPECT_TRUE(folder.Exists());

    // Another drive's relative path cannot be resolved here.
    COXPathSpec drive("C:tips.txt");
    EXPECT_FALSE(drive.MakeAbsolute());
    EXPECT_EQ(drive.GetPath(), "C:tips.txt");
    QDir::setCurrent(saved);
}
