#include "owutil/text/IniString.h"

#include "tests/common/TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QString iniFile()
{
    const QString path = testenv::Home() + "/values.ini";
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write("[Keys]\nalpha=1\nbeta=22\ngamma=333\n[Empty]\n");
    return path;
}

} // namespace

TEST(GetIniString, ValuesAreCutToTheSize)
{
    const QString path = iniFile();
    EXPECT_EQ(OwUtil::GetIniString("Keys", "gamma", path, "d", 100), "333");
    EXPECT_EQ(OwUtil::GetIniString("Keys", "gamma", path, "d", 3), "33");
    EXPECT_EQ(OwUtil::GetIniString("Keys", "delta", path, "default", 100), "default");
    EXPECT_EQ(OwUtil::GetIniString("Keys", "gamma", path, "d", 0), "");
}

TEST(GetIniString, AnEmptyKeyListsTheKeyNames)
{
    const QString path = iniFile();
    EXPECT_EQ(OwUtil::GetIniString("keys", "", path, "ignored", 100), "alpha,beta,gamma");
    EXPECT_EQ(OwUtil::GetIniString("Empty", "", path, "ignored", 100), "");
    EXPECT_EQ(OwUtil::GetIniString("Missing", "", path, "ignored", 100), "");
    // "alpha\0beta\0gamma\0" and the closing zero need 18 characters.
    EXPECT_EQ(OwUtil::GetIniString("Keys", "", path, "", 18), "alpha,beta,gamma");
    EXPECT_EQ(OwUtil::GetIniString("Keys", "", path, "", 17), "alpha,beta,gamm");
    EXPECT_EQ(OwUtil::GetIniString("Keys", "", path, "", 8), "alpha");
}
