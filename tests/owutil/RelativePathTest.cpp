#include "owutil/OwUtilC.h"
#include "owutil/paths/RelativePath.h"

#include <gtest/gtest.h>

#include <cstring>

using OwUtil::DetermineRelPath;
using OwUtil::ResolveRelPath;

TEST(DetermineRelPath, RelativeToTheBase)
{
    const struct {
        const char* source;
        const char* base;
        const char* expected;
    } cases[] = {
        {"/a/b/c/f.txt", "/a/x", "../b/c/f.txt"},
        {R"(C:\a\b\c\f.txt)", R"(C:\a\x)", R"(../b\c/f.txt)"},
        {"/a/b/f.txt", "/a/b", "f.txt"},          // in the base folder itself
        {"/a/b/f.txt", "/a/b/", "f.txt"},
        {"/a/b/c/f.txt", "/a/b", "c/f.txt"},
        {"/a/bc/f.txt", "/a/b", "c/f.txt"},       // folders compare character by character
        {"/A/B/f.txt", "/a/b", "f.txt"},          // ... and without case
        {"/x/f.txt", "/a/b/c", "../../../x/f.txt"},
        {"/f.txt", "/a", "../f.txt"},
        {R"(\a/b\f.txt)", "/a/c", "../b/f.txt"},  // both separators in the input
        // Another drive, server or share: the source stays whole.
        {R"(D:\a\f.txt)", R"(C:\a)", R"(D:\a\f.txt)"},
        {R"(\\srv\pub\f.txt)", R"(\\srv\other)", R"(\\srv\pub\f.txt)"},
        // A base that cannot be cut further: the source stays whole.
        {"/a/f.txt", "rel", "/a/f.txt"},
        {"rel/f.txt", "other", "rel/f.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetermineRelPath(QString::fromUtf8(c.source), QString::fromUtf8(c.base)),
                  QString::fromUtf8(c.expected))
            << c.source << " against " << c.base;
}

TEST(ResolveRelPath, AbsoluteAgainstTheBase)
{
    const struct {
        const char* source;
        const char* base;
        const char* expected;
    } cases[] = {
        {"f.txt", "/a/b", "/a/b/f.txt"},
        {"../f.txt", "/a/b", "/a/f.txt"},
        {R"(..\..\f.txt)", "/a", "/f.txt"},       // one level below the root
        {"../../../f.txt", "/a", "/f.txt"},       // never above the root
        {"../c/d/f.txt", "/a/b/", "/a/c/d/f.txt"},
        {R"(..\f.txt)", R"(C:\a\b)", R"(C:\a/f.txt)"},
        {R"(..\..\f.txt)", R"(C:\a)", "C:/f.txt"},
        {"/abs/f.txt", "/a", "/abs/f.txt"},       // absolute sources stay
        {R"(\abs\f.txt)", "/a", R"(\abs\f.txt)"},
        {R"(D:\f.txt)", "/a", R"(D:\f.txt)"},
        {"..hidden/f.txt", "/a", "/a/..hidden/f.txt"},
        {"..", "/a/b", "/a/"},
        {"", "/a/b", "/a/b/"},
        {"x", "", "x"},
        // A relative base keeps the climbs it cannot make.
        {"../f.txt", "docs", "f.txt"},
        {"../../f.txt", "docs", "../f.txt"},
        {"../f.txt", "", "../f.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveRelPath(QString::fromUtf8(c.source), QString::fromUtf8(c.base)),
                  QString::fromUtf8(c.expected))
            << c.source << " against " << c.base;
}

TEST(RelativePathPlain, BufferIsClearedAndCut)
{
    char buffer[OWUTIL_PATH_BUFFER];
    std::memset(buffer, 'x', sizeof buffer);
    std::strcpy(buffer, "/a/b/c/f.txt");
    EXPECT_EQ(DetermineRelativePath(buffer, "/a/x"), buffer);
    EXPECT_STREQ(buffer, "../b/c/f.txt");
    for (size_t i = std::strlen(buffer); i < sizeof buffer; ++i)
        ASSERT_EQ(buffer[i], '\0') << i;

    std::strcpy(buffer, "../f.txt");
    EXPECT_STREQ(ResolveRelativePath(buffer, "/a/b"), "/a/f.txt");

    // A result longer than 259 bytes is cut, never inside a character.
    const std::string base = "/" + std::string(250, 'd');
    std::strcpy(buffer, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.txt");
    ResolveRelativePath(buffer, base.c_str());
    EXPECT_EQ(std::strlen(buffer), 258u);
    EXPECT_EQ(buffer[259], '\0');
    EXPECT_EQ(ResolveRelativePath(nullptr, "/a"), nullptr);
    std::strcpy(buffer, "f");
    EXPECT_STREQ(ResolveRelativePath(buffer, nullptr), "f");
}
