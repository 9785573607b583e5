#include "owutil/paths/SystemPaths.h"
#include "owutil/resources/OwUtilModule.h"

#include "tests/common/TestEnvironment.h"
#include "toolkit/COXVersionInfo.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <memory>

TEST(GetModuleFileName, ProgramAndLibrary)
{
    EXPECT_EQ(OwUtil::GetModuleFileName(nullptr), QCoreApplication::applicationFilePath());
    const QString library = OwUtil::GetModuleFileName(OwUtilModule());
    // The loader names the library by its soname.
    EXPECT_TRUE(QFileInfo(library).fileName().startsWith("libOwUtil.so")) << library.toStdString();
    EXPECT_TRUE(QFileInfo(library).isAbsolute());
    EXPECT_TRUE(QFile::exists(library));
}

TEST(SystemFolders, NearestCounterparts)
{
    EXPECT_EQ(OwUtil::GetWindowsFolder(), "/etc/");
    EXPECT_EQ(OwUtil::GetSystemFolder(), "/usr/lib/");
    qputenv("TMPDIR", testenv::Home().toLocal8Bit());
    EXPECT_EQ(OwUtil::GetTempFolder(), testenv::Home() + "/");
    qunsetenv("TMPDIR");
    EXPECT_EQ(OwUtil::GetTempFolder(), "/tmp/");
}

TEST(GetVersionInfo, TheLibrarysOwBlock)
{
    std::unique_ptr<COXVersionInfo> info(OwUtil::GetVersionInfo(OwUtil::GetModuleFileName(OwUtilModule())));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->GetProductName(), "Lumivue");
    EXPECT_EQ(info->GetProductVersion(), "9, 0, 0, 99");
    EXPECT_EQ(info->GetOriginalFileName(), "libOwUtil.so");
    EXPECT_TRUE(info->GetLegalCopyright().startsWith(QString::fromUtf8("Copyright \xC2\xA9")));
}

TEST(GetVersionInfo, TheViewersBlock)
{
    const QString program = testenv::BuildDir() + "/bin/Lumivu";
    if (!QFile::exists(program))
        GTEST_SKIP() << "the viewer is not part of this build";
    std::unique_ptr<COXVersionInfo> info(OwUtil::GetVersionInfo(program));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->GetProductName(), "Lumivue");
    EXPECT_EQ(info->GetInternalName(), "Lumivu");
    DWORD ms = 0, ls = 0;
    EXPECT_TRUE(COXVersionInfo::ParseVersion(info->GetProductVersion(), ms, ls));
    EXPECT_EQ(ms, 0x00090000u);
    EXPECT_EQ(ls, 0x00000063u);
}

TEST(GetVersionInfo, FilesWithoutABlock)
{
    // The test program carries no version block; a text file is no module.
    EXPECT_EQ(OwUtil::GetVersionInfo(QCoreApplication::applicationFilePath()), nullptr);
    const QString text = testenv::Home() + "/notes.txt";
    QFile f(text);
    f.open(QIODevice::WriteOnly);
    f.write("VERSIONBLOCK 1\nProductName=Fake\n");
    f.close();
    EXPECT_EQ(OwUtil::GetVersionInfo(text), nullptr);
    EXPECT_EQ(OwUtil::GetVersionInfo(testenv::Home() + "/missing"), nullptr);
    EXPECT_EQ(OwUtil::GetVersionInfo(QString()), nullptr);
}
