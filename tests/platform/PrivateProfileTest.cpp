#include "platform/profile/PrivateProfile.h"

#include "tests/common/TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QString writeFile(const QString& name, const QByteArray& content)
{
    const QString path = testenv::Home() + "/" + name;
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(content);
    return path;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

TEST(PrivateProfile, ReadsWithThePlatformRules)
{
    const QString path = writeFile("read.ini", "; a comment\n"
                                               "top=before any section\n"
                                               "[Main]\n"
                                               "  Name = Some Value  \n"
                                               "name=second occurrence\n"
                                               "quoted=\"  spaced  \"\n"
                                               "single='x'\n"
                                               "half=\"open\n"
                                               "empty=\n"
                                               "no equals sign\n"
                                               "[ Other ]\r\n"
                                               "k=v=w\n"
                                               "[main]\n"
                                               "late=1\n");
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Main", "name", "Some Value"},   // names without case, the first occurrence
        {"MAIN", "Quoted", "  spaced  "}, // enclosing quotes go, what they hold stays
        {"Main", "single", "x"},
        {"Main", "half", "\"open"},
        {"Main", "empty", ""},
        {"Other", "k", "v=w"},
        {"Main", "late", "default"},      // only the first section of a name counts
        {"Main", "top", "default"},
        {"Missing", "k", "default"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetPrivateProfileString(c.section, c.key, "default  ", path), QString::fromUtf8(c.expected))
            << c.section << "/" << c.key;
    EXPECT_EQ(GetPrivateProfileString("Main", "x", "d", testenv::Home() + "/missing.ini"), "d");
    EXPECT_EQ(GetPrivateProfileKeyNames("main", path),
              QStringList({"Name", "name", "quoted", "single", "half", "empty"}));
    EXPECT_EQ(GetPrivateProfileSectionNames(path), QStringList({"Main", "Other", "main"}));
    EXPECT_TRUE(GetPrivateProfileKeyNames("Missing", path).isEmpty());
}

TEST(PrivateProfile, IntegersReadLikeThePlatform)
{
    const QString path = writeFile("int.ini", "[S]\na=42\nb=-3\nc=12px\nd=px\n");
    EXPECT_EQ(GetPrivateProfileInt("S", "a", 7, path), 42u);
    EXPECT_EQ(int(GetPrivateProfileInt("S", "b", 7, path)), -3);
    EXPECT_EQ(GetPrivateProfileInt("S", "c", 7, path), 12u);
    EXPECT_EQ(GetPrivateProfileInt("S", "d", 7, path), 0u);
    EXPECT_EQ(GetPrivateProfileInt("S", "e", 7, path), 7u);
}

TEST(PrivateProfile, WritesKeepEveryOtherLine)
{
    const QString path = writeFile("write.ini", "; keep me\n[A]\nx=1\n\n[B]\ny=2\n");
    ASSERT_TRUE(WritePrivateProfileString("a", "X", "10", path));
    ASSERT_TRUE(WritePrivateProfileString("A", "z", "3", path));
    ASSERT_TRUE(WritePrivateProfileString("C", "w", "4", path));
    EXPECT_EQ(readFile(path), "; keep me\n[A]\nx=10\nz=3\n\n[B]\ny=2\n[C]\nw=4\n");

    ASSERT_TRUE(DeletePrivateProfileKey("A", "x", path));
    ASSERT_TRUE(DeletePrivateProfileSection("b", path));
    EXPECT_EQ(readFile(path), "; keep me\n[A]\nz=3\n\n[C]\nw=4\n");
    EXPECT_TRUE(DeletePrivateProfileKey("Missing", "x", path));
}

TEST(PrivateProfile, CreatesFilesAndKeepsLineEnds)
{
    const QString path = testenv::Home() + "/new.ini";
    ASSERT_TRUE(WritePrivateProfileString("S", "k", "v", path));
    EXPECT_EQ(readFile(path), "[S]\nk=v\n");

    const QString crlf = writeFile("crlf.ini", "\xEF\xBB\xBF[S]\r\nk=1\r\n");
    ASSERT_TRUE(WritePrivateProfileString("S", "k", "2", crlf));
    EXPECT_EQ(readFile(crlf), "\xEF\xBB\xBF[S]\r\nk=2\r\n");
    EXPECT_EQ(GetPrivateProfileString("S", "k", "", crlf), "2");

    // A bare file name lies in the user's configuration folder.
    ASSERT_TRUE(WritePrivateProfileString("S", "k", "v", "bare.ini"));
    EXPECT_TRUE(QFile::exists(testenv::Home() + "/.config/bare.ini"));
    EXPECT_EQ(GetPrivateProfileString("S", "k", "", "bare.ini"), "v");
    // Backslashes separate folders too.
    EXPECT_EQ(GetPrivateProfileString("S", "k", "", QString(path).replace('/', '\\')), "v");
}

TEST(PrivateProfile, RefusesWhatWouldDamageTheFile)
{
    const QString path = writeFile("refuse.ini", "[S]\nk=v\n");
    EXPECT_FALSE(WritePrivateProfileString("S", "k", "two\nlines", path));
    EXPECT_FALSE(WritePrivateProfileString("S", "a=b", "v", path));
    EXPECT_FALSE(WritePrivateProfileString("", "k", "v", path));
    EXPECT_FALSE(WritePrivateProfileString("S", "", "v", path));
    EXPECT_FALSE(WritePrivateProfileString("S", "k", "v", testenv::Home() + "/no/such/folder/x.ini"));
    EXPECT_EQ(readFile(path), "[S]\nk=v\n");
}
