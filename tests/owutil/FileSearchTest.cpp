#include "owutil/paths/FileSearch.h"

#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace OwUtil;

namespace {

class FileSearch : public testing::Test {
protected:
    void SetUp() override
    {
        m_root = testenv::Home() + "/search";
        QDir().mkpath(m_root + "/one");
        QDir().mkpath(m_root + "/two/Data");
        QDir().mkpath(m_root + "/.hiddenfolder");
        touch(m_root + "/two/target.txt");
        touch(m_root + "/one/.secret");
        touch(m_root + "/plain.txt");
        m_saved = QDir::currentPath();
        QDir::setCurrent(m_root);
    }
    void TearDown() override { QDir::setCurrent(m_saved); }

    static void touch(const QString& path) { QFile(path).open(QIODevice::WriteOnly); }

    QString m_root;
    QString m_saved;
};

} // namespace

TEST_F(FileSearch, IsFileValidChecksKindAndAttributes)
{
    const struct {
        const char* path;
        unsigned long flags;
        bool valid;
    } cases[] = {
        {"plain.txt", 0, true},
        {"plain.txt", 16, false},        // a file is no folder
        {"one", 16, true},
        {"one", 0, false},               // a folder is no file
        {"one/", 16, true},
        {R"(one\.secret)", 0, true},     // backslash separates too
        {"one/.secret", 2, false},       // hidden refused when asked
        {"one/.secret", 0x80, true},     // normal refused: a hidden file is not normal
        {"plain.txt", 0x80, false},
        {"plain.txt", 0x1 | 0x4 | 0x20 | 0x100 | 0x800, true},
        {".hiddenfolder", 16 | 2, false},
        {".hiddenfolder", 16, true},
        {"missing", 0, false},
        {"missing", 16, false},
        {"", 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsFileValid(QString::fromUtf8(c.path), c.flags), c.valid) << c.path << " " << c.flags;
}

TEST_F(FileSearch, SystemFilesAreRefusedWhenAsked)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strcpy(addr.sun_path, "sock");
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    EXPECT_TRUE(IsFileValid("sock", 0));
    EXPECT_FALSE(IsFileValid("sock", 4));
    ::close(fd);
}

TEST_F(FileSearch, FilesAlongAFolderList)
{
    QString name = "target.txt";
    EXPECT_TRUE(FindFile(name, QStringList{m_root + "/one", m_root + "/two"}, 0));
    EXPECT_EQ(name, m_root + "/two/target.txt");

    // The name's own folder is dropped for the list's folders.
    name = "elsewhere/target.txt";
    EXPECT_TRUE(FindFile(name, QStringList{m_root + "/two/"}, 0));
    EXPECT_EQ(name, m_root + "/two/target.txt");

    // Found where it is: relative names against the current folder.
    name = "plain.txt";
    EXPECT_TRUE(FindFile(name, QStringList{m_root + "/two"}, 0));
    EXPECT_EQ(name, "plain.txt");

    // A hidden file that exists is refused with flags 2 and accepted with 0.
    name = ".secret";
    EXPECT_FALSE(FindFile(name, m_root + "/one", 2));
    EXPECT_EQ(name, ".secret");
    EXPECT_TRUE(FindFile(name, m_root + "/one", 0));
    EXPECT_EQ(name, m_root + "/one/.secret");

    name = "nowhere.txt";
    EXPECT_FALSE(FindFile(name, QStringList{m_root + "/one", m_root + "/two"}, 0));
    EXPECT_EQ(name, "nowhere.txt");
    EXPECT_FALSE(FindFile(name, QString(), 0));
    // The directory bit is cleared for a file search.
    name = "target.txt";
    EXPECT_TRUE(FindFile(name, m_root + "/two", 16));
}

TEST_F(FileSearch, FoldersAlongAFolderList)
{
    // Not in the current folder: the listed folder itself is the candidate.
    QString name = "Data";
    ASSERT_FALSE(QDir(m_root + "/Data").exists());
    EXPECT_TRUE(FindFolder(name, QStringList{m_root + "/missing", m_root + "/one"}, 0));
    EXPECT_EQ(name, m_root + "/one/");

    name = "two";
    EXPECT_TRUE(FindFolder(name, QString(), 0));
    EXPECT_EQ(name, "two/");

    name = "Data";
    EXPECT_FALSE(FindFolder(name, QStringList{m_root + "/missing"}, 0));
    EXPECT_EQ(name, "Data");
    name = ".hiddenfolder";
    EXPECT_FALSE(FindFolder(name, QStringList(), 2));
}
