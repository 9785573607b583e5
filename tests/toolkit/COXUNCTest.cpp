#include "toolkit/COXUNC.h"

#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct SplitCase {
    const char* path;
    const char* server;
    const char* share;
    const char* directory;
    const char* file;
};

const SplitCase splitCases[] = {
    {R"(\\srv\pub\docs\a.txt)", R"(\\srv)", R"(\pub)", R"(\docs\)", "a.txt"},
    {"//srv/pub/a.txt", "//srv", "/pub", "/", "a.txt"},
    {R"(\\srv\pub)", R"(\\srv)", R"(\pub)", "", ""},
    {R"(\\srv)", R"(\\srv)", "", "", ""},
    {R"(C:\my.dir\readme)", "", "C:", R"(\my.dir\)", "readme"},
    {"c:/x/y/", "", "c:", "/x/y/", ""},
    {"C:readme.txt", "", "C:", "", "readme.txt"},
    {"/home/user/a.txt", "", "", "/home/user/", "a.txt"},
    {"/", "", "", "/", ""},
    {"notes/a.txt", "", "", "notes/", "a.txt"},
    {R"(mixed/sep\file)", "", "", R"(mixed/sep\)", "file"},
    {"a.txt", "", "", "", "a.txt"},
    {"", "", "", "", ""},
    // Three separators are no UNC name; a colon after a digit is no drive.
    {"///x/y", "", "", "///x/", "y"},
    {"1:/x", "", "", "1:/", "x"},
};

} // namespace

TEST(COXUNC, SplitsIntoPartsThatConcatenateToThePath)
{
    for (const auto& c : splitCases) {
        SCOPED_TRACE(c.path);
        const COXUNC unc(QString::fromUtf8(c.path));
        EXPECT_EQ(unc.Server(), QString::fromUtf8(c.server));
        EXPECT_EQ(unc.Share(), QString::fromUtf8(c.share));
        EXPECT_EQ(unc.Directory(), QString::fromUtf8(c.directory));
        EXPECT_EQ(unc.File(), QString::fromUtf8(c.file));
        EXPECT_EQ(unc.Full(), QString::fromUtf8(c.path));
    }
}

TEST(COXUNC, ComposesWithThePlatformSeparatorWhereItAddsOne)
{
    COXUNC unc(R"(C:\a\b\f.txt)");
    unc.SetDirectory(R"(\a)");
    EXPECT_EQ(unc.Directory(), R"(\a/)");
    EXPECT_EQ(unc.Full(), R"(C:\a/f.txt)");

    COXUNC share(R"(\\srv\pub)");
    share.SetFile("f.txt");
    EXPECT_EQ(share.Full(), R"(\\srv\pub/f.txt)");
    share.SetDirectory("docs");
    EXPECT_EQ(share.Full(), R"(\\srv\pub/docs/f.txt)");
    share.SetShare("other");
    EXPECT_EQ(share.Full(), R"(\\srv/other/docs/f.txt)");

    COXUNC folder("/tmp/x/name");
    folder.SetFile(QString());
    EXPECT_EQ(folder.Full(), "/tmp/x/");
    EXPECT_EQ(COXUNC(R"(C:\a\b)").FileSystemPath(), "C:/a/b");
}

TEST(COXUNC, BaseAndExtensionComeFromTheFilePartOnly)
{
    const struct {
        const char* path;
        const char* base;
        const char* ext;
    } cases[] = {
        {R"(C:\img\photo.JPG)", "photo", ".JPG"},
        {R"(C:\img.d\photo)", "photo", ""},
        {"/a/archive.tar.gz", "archive.tar", ".gz"},
        {"/a/.profile", "", ".profile"},
        {"/a/name.", "name", "."},
        {"/a/..", "..", ""},
        {"/a/", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const COXUNC unc(QString::fromUtf8(c.path));
        EXPECT_EQ(unc.Base(), QString::fromUtf8(c.base));
        EXPECT_EQ(unc.Extension(), QString::fromUtf8(c.ext));
        EXPECT_EQ(unc.Extension(false), QString::fromUtf8(c.ext).mid(1));
    }
}

TEST(COXUNC, AttributesMapPosixFileKinds)
{
    const QString home = testenv::Home();
    const QString file = home + "/plain.txt";
    const QString hidden = home + "/.hidden";
    QFile(file).open(QIODevice::WriteOnly);
    QFile(hidden).open(QIODevice::WriteOnly);
    QDir(home).mkdir("sub");

    EXPECT_EQ(COXUNC(file).GetAttributes(), DWORD(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(COXUNC(hidden).GetAttributes(), DWORD(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(COXUNC(home + "/sub").GetAttributes(), DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(COXUNC(home + "/sub/").GetAttributes(), DWORD(FILE_ATTRIBUTE_DIRECTORY));
    // Backslashes are separators here too.
    EXPECT_EQ(COXUNC(QString(home + "/sub/").replace('/', '\\')).GetAttributes(),
              DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(COXUNC(home + "/missing").GetAttributes(), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(COXUNC(home + "/missing").Exists());
    EXPECT_TRUE(COXUNC(file).Exists());
    // A file named as a folder does not exist.
    EXPECT_EQ(COXUNC(file + "/").GetAttributes(), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(COXUNC(QString()).GetAttributes(), INVALID_FILE_ATTRIBUTES);

    // A socket is neither a file nor a folder.
    const QString socketPath = home + "/sock";
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(socketPath);
    ASSERT_LT(size_t(native.size()), sizeof addr.sun_path);
    memcpy(addr.sun_path, native.constData(), size_t(native.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    EXPECT_EQ(COXUNC(socketPath).GetAttributes() & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NORMAL),
              DWORD(FILE_ATTRIBUTE_SYSTEM));
    ::close(fd);
}

TEST(COXUNCDeathTest, ReadOnlyMeansTheUserMayNotWrite)
{
    // The superuser may write every file: check as an ordinary user then.
    const QString folder = testenv::Home() + "/shared";
    QDir().mkpath(folder);
    const QString file = folder + "/readonly.txt";
    QFile(file).open(QIODevice::WriteOnly);
    ::chmod(QFile::encodeName(testenv::Home()).constData(), 0755);
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    ::chmod(QFile::encodeName(file).constData(), 0444);
    if (::geteuid() != 0) {
        EXPECT_EQ(COXUNC(file).GetAttributes(), DWORD(FILE_ATTRIBUTE_READONLY));
        return;
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (::seteuid(65534) != 0)
                std::exit(2);
            const DWORD attributes = COXUNC(file).GetAttributes();
            // Back to the superuser, so that the child removes its private HOME on exit.
            if (::seteuid(0) != 0)
                std::exit(2);
            std::exit(attributes == FILE_ATTRIBUTE_READONLY ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(COXUNC, AbbreviationKeepsRootAndFileName)
{
    const COXUNC unc(R"(C:\alpha\beta\gamma\file.txt)");
    const struct {
        int max;
        bool atLeastFile;
        const char* expected;
    } cases[] = {
        {100, true, R"(C:\alpha\beta\gamma\file.txt)"},
        {28, true, R"(C:\alpha\beta\gamma\file.txt)"},
        {27, true, R"(C:\...\beta\gamma\file.txt)"},
        {22, true, R"(C:\...\gamma\file.txt)"},
        {21, true, R"(C:\...\gamma\file.txt)"},
        {20, true, R"(C:\...\file.txt)"},
        {15, true, R"(C:\...\file.txt)"},
        {14, true, R"(...\file.txt)"},
        {11, true, "file.txt"},
        {5, true, "file.txt"},
        {5, false, "file."},
        {0, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.max);
        EXPECT_EQ(unc.GetAbbreviation(c.max, c.atLeastFile), QString::fromUtf8(c.expected));
    }
}

TEST(COXUNC, AbbreviationOfUncPosixAndFolderPaths)
{
    EXPECT_EQ(COXUNC(R"(\\srv\pub\one\two\f.txt)").GetAbbreviation(20), R"(\\srv\pub\...\f.txt)");
    EXPECT_EQ(COXUNC("/home/user/docs/f.txt").GetAbbreviation(16), "/.../docs/f.txt");
    EXPECT_EQ(COXUNC("rel/one/two/f.txt").GetAbbreviation(15), ".../two/f.txt");
    // A folder keeps its last folder in place of a file name.
    EXPECT_EQ(COXUNC("/home/user/docs/").GetAbbreviation(12), "/.../docs/");
    // The separator beside the ellipsis is the one that followed the removed folder.
    EXPECT_EQ(COXUNC(R"(/home/user\docs/f)").GetAbbreviation(12), R"(/...\docs/f)");
}

TEST(COXUNC, SystemFoldersAreExistingFolders)
{
    for (const COXUNC& folder :
         {COXUNC::GetWindowsDirectory(), COXUNC::GetSystemDirectory(), COXUNC::GetTempDirectory()}) {
        SCOPED_TRACE(folder.Full().toStdString());
        EXPECT_TRUE(folder.Full().endsWith('/'));
        EXPECT_TRUE(folder.File().isEmpty());
        EXPECT_NE(folder.GetAttributes() & FILE_ATTRIBUTE_DIRECTORY, 0u);
    }
    qputenv("TMPDIR", testenv::Home().toLocal8Bit());
    EXPECT_EQ(COXUNC::GetTempDirectory().Full(), testenv::Home() + "/");
    qunsetenv("TMPDIR");
}
