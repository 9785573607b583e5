#include "owutil/paths/FileMoves.h"
#include "owutil/paths/SystemPaths.h"

#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>
#include <sys/stat.h>

using namespace OwUtil;

namespace {

void writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray utf8(const QString& s) { return s.toUtf8(); }

bool moveFile(const QString& from, const QString& to)
{
    return EasyMoveFile(from.toUtf8().constData(), to.toUtf8().constData());
}

// A folder on another file system than the private HOME, when there is one.
QString otherFileSystem()
{
    struct stat home {}, shm {};
    if (::stat(QFile::encodeName(testenv::Home()).constData(), &home) != 0
        || ::stat("/dev/shm", &shm) != 0 || home.st_dev == shm.st_dev || ::access("/dev/shm", W_OK) != 0)
        return {};
    return QStringLiteral("/dev/shm/lumivu-move-%1").arg(::getpid());
}

} // namespace

TEST(FindUniqueSubPath, NumbersTheNameUntilItIsFree)
{
    const QString base = testenv::Home() + "/unique";
    QDir().mkpath(base);
    EXPECT_EQ(FindUniqueSubPath(base, "name"), base + "/name/");
    QDir(base).mkdir("name");
    EXPECT_EQ(FindUniqueSubPath(base + "/", "name"), base + "/name (2)/");
    QDir(base).mkdir("name (2)");
    EXPECT_EQ(FindUniqueSubPath(base, "name"), base + "/name (3)/");
    // A file of that name takes it as well.
    writeFile(base + "/name (3)", "");
    EXPECT_EQ(FindUniqueSubPath(base, "name"), base + "/name (4)/");
    EXPECT_FALSE(QDir(base + "/name (4)").exists()); // nothing is created
}

TEST(GetTempFile, CreatesAnEmptyPrivateFile)
{
    qputenv("TMPDIR", testenv::Home().toLocal8Bit());
    char buffer[260];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_TRUE(GetTempFile("lv", sizeof buffer, buffer));
    const QString path = QString::fromUtf8(buffer);
    EXPECT_TRUE(path.startsWith(testenv::Home() + "/lv"));
    EXPECT_TRUE(path.endsWith(".tmp"));
    const QFileInfo info(path);
    EXPECT_TRUE(info.isFile());
    EXPECT_EQ(info.size(), 0);
    EXPECT_EQ(info.permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());

    char second[260];
    ASSERT_TRUE(GetTempFile("lv", sizeof second, second));
    EXPECT_STRNE(buffer, second);

    // Refused: no room, no size, a prefix with a separator, a missing folder.
    char small[8];
    EXPECT_FALSE(GetTempFile("lv", sizeof small, small));
    const QByteArray folder = utf8(GetTempFolder());
    std::vector<char> justFolder(size_t(folder.size()) + 1);
    EXPECT_FALSE(GetTempFile("lv", unsigned(justFolder.size()), justFolder.data()));
    EXPECT_FALSE(GetTempFile("lv", 0, buffer));
    EXPECT_FALSE(GetTempFile("a/b", sizeof buffer, buffer));
    EXPECT_TRUE(GetTempFile(nullptr, sizeof buffer, buffer));
    qputenv("TMPDIR", QByteArray(testenv::Home().toLocal8Bit() + "/no/such/folder"));
    EXPECT_FALSE(GetTempFile("lv", sizeof buffer, buffer));
    qunsetenv("TMPDIR");
}

TEST(EasyMoveFile, MovesFilesAndFolders)
{
    const QString home = testenv::Home() + "/moves";
    writeFile(home + "/a.txt", "alpha");
    // To a new name, creating the folders on the way.
    EXPECT_TRUE(moveFile(home + "/a.txt", home + "/deep/er/b.txt"));
    EXPECT_FALSE(QFile::exists(home + "/a.txt"));
    EXPECT_EQ(readFile(home + "/deep/er/b.txt"), "alpha");
    // Into an existing folder.
    QDir().mkpath(home + "/into");
    EXPECT_TRUE(moveFile(home + "/deep/er/b.txt", home + "/into"));
    EXPECT_EQ(readFile(home + "/into/b.txt"), "alpha");
    // Over an existing file, without asking.
    writeFile(home + "/c.txt", "gamma");
    EXPECT_TRUE(moveFile(home + "/c.txt", home + "/into/b.txt"));
    EXPECT_EQ(readFile(home + "/into/b.txt"), "gamma");
    // A folder with what it holds; backslashes separate too.
    EXPECT_TRUE(moveFile(home + "/into", QString(home + "/moved").replace('/', '\\')));
    EXPECT_EQ(readFile(home + "/moved/b.txt"), "gamma");
}

TEST(EasyMoveFile, RefusesWhatCannotBeDone)
{
    const QString home = testenv::Home() + "/refuse";
    writeFile(home + "/f/x.txt", "x");
    EXPECT_FALSE(moveFile(home + "/missing", home + "/y"));
    EXPECT_FALSE(moveFile(home + "/f", home + "/f/inside"));
    EXPECT_FALSE(EasyMoveFile(nullptr, "x"));
    EXPECT_FALSE(EasyMoveFile("", "x"));
    EXPECT_TRUE(moveFile(home + "/f/x.txt", home + "/f/x.txt"));
    EXPECT_EQ(readFile(home + "/f/x.txt"), "x");
}

TEST(EasyMoveFile, AcrossFileSystems)
{
    const QString other = otherFileSystem();
    if (other.isEmpty())
        GTEST_SKIP() << "no second file system to move to";
    const QString home = testenv::Home() + "/across";
    writeFile(home + "/file.bin", QByteArray(200000, 'z'));
    ::chmod(QFile::encodeName(home + "/file.bin").constData(), 0640);
    writeFile(home + "/tree/sub/leaf.txt", "leaf");
    QFile::link("sub/leaf.txt", home + "/tree/link");

    EXPECT_TRUE(moveFile(home + "/file.bin", other + "/file.bin"));
    EXPECT_FALSE(QFile::exists(home + "/file.bin"));
    EXPECT_EQ(readFile(other + "/file.bin"), QByteArray(200000, 'z'));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(other + "/file.bin").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    EXPECT_TRUE(moveFile(home + "/tree", other + "/tree"));
    EXPECT_FALSE(QFileInfo::exists(home + "/tree"));
    EXPECT_EQ(readFile(other + "/tree/sub/leaf.txt"), "leaf");
    EXPECT_EQ(QFileInfo(other + "/tree/link").symLinkTarget(), other + "/tree/sub/leaf.txt");
    QDir(other).removeRecursively();
}
