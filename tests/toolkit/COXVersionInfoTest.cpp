#include "toolkit/COXVersionInfo.h"

#include "tests/common/TestEnvironment.h"

#include <gtest/gtest.h>

TEST(COXVersionInfo, ReadsAModuleFile)
{
    COXVersionInfo info;
    EXPECT_FALSE(info.ContainsValidInfo());
    ASSERT_TRUE(info.ReadInfo(testenv::BuildDir() + "/lib/libOwUtil.so"));
    EXPECT_TRUE(info.ContainsValidInfo());
    EXPECT_EQ(info.GetProductName(), "Lumivue");
    EXPECT_EQ(info.GetCompanyName(), "Orrery Works");
    EXPECT_EQ(info.GetValue("productname"), "Lumivue");
    EXPECT_EQ(info.GetSpecialBuild(), QString());
    // A failed read leaves nothing behind.
    EXPECT_FALSE(info.ReadInfo(testenv::BuildDir() + "/lib/libOwUt.so"));
    EXPECT_FALSE(info.ContainsValidInfo());
    EXPECT_EQ(info.GetProductName(), QString());
}

TEST(COXVersionInfo, ParsesVersionNumbers)
{
    const struct {
        const char* text;
        bool ok;
        DWORD ms, ls;
    } cases[] = {
        {"9, 0, 0, 99", true, 0x00090000, 0x00000063},
        {"9.1.2.3", true, 0x00090001, 0x00020003},
        {"1,2", true, 0x00010002, 0},
        {"  7 ", true, 0x00070000, 0},
        {"2, x, 3", true, 0x00020000, 0},
        {"70000, 1", false, 0, 0},
        {"beta", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const auto& c : cases) {
        DWORD ms = 1, ls = 1;
        EXPECT_EQ(COXVersionInfo::ParseVersion(c.text, ms, ls) != FALSE, c.ok) << c.text;
        EXPECT_EQ(ms, c.ms) << c.text;
        EXPECT_EQ(ls, c.ls) << c.text;
    }
}
