#include "owutil/paths/PathParts.h"
#include "owutil/paths/Slashes.h"

#include <gtest/gtest.h>

using namespace OwUtil;

TEST(Slashes, AppendAndRemove)
{
    const struct {
        const char* in;
        const char* appended;
        const char* removed;
    } cases[] = {
        {"", "", ""},
        {R"(C:\a/)", R"(C:\a/)", R"(C:\a)"},
        {R"(C:\a\)", R"(C:\a\)", R"(C:\a)"},
        {"/home/u", "/home/u/", "/home/u"},
        {R"(a\\)", R"(a\\)", R"(a\)"}, // one separator only
        {"/", "/", ""},
    };
    for (const auto& c : cases) {
        QString s = QString::fromUtf8(c.in);
        EXPECT_EQ(AppendSlash(s), QString::fromUtf8(c.appended)) << c.in;
        s = QString::fromUtf8(c.in);
        EXPECT_EQ(RemoveSlash(s), QString::fromUtf8(c.removed)) << c.in;
    }
}

TEST(Slashes, ExpandAndReduce)
{
    const struct {
        const char* in;
        const char* reduced;
    } reduce[] = {
        {R"(a//b\\c)", "a/b/c"},
        {"abc", "abc"},
        {R"(a/b\c)", R"(a/b\c)"},   // single separators stay as they are
        {R"(a\/b)", "a/b"},          // a mixed pair is a pair
        {R"(a\\\b)", R"(a/\b)"},     // a run of three: one, then the third
        {"////", "//"},
        {R"(\)", R"(\)"},
        {"", ""},
    };
    for (const auto& c : reduce) {
        QString s = QString::fromUtf8(c.in);
        EXPECT_EQ(ReduceSlashes(s), QString::fromUtf8(c.reduced)) << c.in;
    }
    QString s = R"(C:\a/b)";
    EXPECT_EQ(ExpandSlashes(s), "C://a//b");
    EXPECT_EQ(ReduceSlashes(s), "C:/a/b");
    EXPECT_EQ(PathSeparators(), R"(/\)");
}

TEST(PathParts, FileNameAndFolder)
{
    const struct {
        const char* path;
        const char* file;
        const char* folder;
    } cases[] = {
        {R"(C:\docs\readme.txt)", "readme.txt", R"(C:\docs\)"},
        {"/home/u/readme.txt", "readme.txt", "/home/u/"},
        {R"(\\srv\pub\a.b)", "a.b", R"(\\srv\pub\)"},
        {R"(\\srv\pub)", "", R"(\\srv\pub)"},
        {"plain", "plain", ""},
        {"dir/", "", "dir/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetFileName(QString::fromUtf8(c.path)), QString::fromUtf8(c.file)) << c.path;
        EXPECT_EQ(GetFileFolder(QString::fromUtf8(c.path)), QString::fromUtf8(c.folder)) << c.path;
    }
}

TEST(PathParts, ReplaceAndMake)
{
    QString p = R"(C:\docs\readme.txt)";
    EXPECT_EQ(ReplaceFileName(p, "notes.md"), R"(C:\docs\notes.md)");
    EXPECT_EQ(ReplaceFileFolder(p, R"(D:\x\y)"), R"(C:\x\y/notes.md)"); // the drive of path stays
    p = R"(\\srv\pub\old\f.txt)";
    EXPECT_EQ(ReplaceFileFolder(p, "/new/place/"), R"(\\srv\pub/new/place/f.txt)");
    p = "/home/u/f.txt";
    EXPECT_EQ(ReplaceFileFolder(p, "/tmp"), "/tmp/f.txt");
    EXPECT_EQ(ReplaceFileFolder(p, "rel"), "rel/f.txt");

    EXPECT_EQ(MakePath("/tmp", "f.txt"), "/tmp/f.txt");
    EXPECT_EQ(MakePath(R"(C:\a\)", "f.txt"), R"(C:\a\f.txt)");
    EXPECT_EQ(MakePath(R"(\\srv\pub)", "f.txt"), R"(\\srv\pub/f.txt)");
    EXPECT_EQ(MakePath("", "f.txt"), "f.txt");
    EXPECT_EQ(MakePath("/tmp/", ""), "/tmp/");
}
