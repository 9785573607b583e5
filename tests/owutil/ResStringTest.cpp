#include "owutil/text/ResString.h"

#include <gtest/gtest.h>

namespace {

CModule& testModule()
{
    static CModule module("ResStringTest");
    static const bool filled = [] {
        module.AddString(1, "short");
        module.AddString(2, QString(300, QChar('x')));
        // Lengths around the buffer steps, where a cut text is easy to miss.
        for (int n : {253, 254, 255, 256, 509, 510, 511, 1000})
            module.AddString(UINT(1000 + n), QString(n, QChar(u'\u00e9')));
        module.AddString(3, QString());
        return true;
    }();
    (void)filled;
    return module;
}

} // namespace

TEST(ResString, LoadsStringsOfAnyLength)
{
    EXPECT_EQ(OwUtil::ResString(1, &testModule()), "short");
    EXPECT_EQ(OwUtil::ResString(2, &testModule()), QString(300, QChar('x')));
    for (int n : {253, 254, 255, 256, 509, 510, 511, 1000})
        EXPECT_EQ(OwUtil::ResString(UINT(1000 + n), &testModule()), QString(n, QChar(u'\u00e9'))) << n;
}

TEST(ResString, MissingStringsAreEmpty)
{
    EXPECT_EQ(OwUtil::ResString(999, &testModule()), QString());
    EXPECT_EQ(OwUtil::ResString(3, &testModule()), QString());
    EXPECT_EQ(OwUtil::ResString(1, nullptr), QString());
}
