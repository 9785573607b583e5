#include "owutil/paths/ShortFileName.h"

#include <gtest/gtest.h>

namespace {

// Every character is 10 units wide.
class FixedExtent : public OwUtil::CTextExtent {
public:
    int GetTextWidth(const QString& text) const override
    {
        ++calls;
        return int(text.size()) * 10;
    }
    mutable int calls = 0;
};

} // namespace

TEST(MakeShortFileName, ByLength)
{
    const QString path = R"(C:\alpha\beta\gamma\file.txt)";
    EXPECT_EQ(OwUtil::MakeShortFileName(path, 100), path);
    EXPECT_EQ(OwUtil::MakeShortFileName(path, 22), R"(C:\...\gamma\file.txt)");
    EXPECT_EQ(OwUtil::MakeShortFileName(path, 3), "file.txt"); // at least the file name
    EXPECT_EQ(OwUtil::MakeShortFileName("/home/user/docs/f.txt", 16), "/.../docs/f.txt");
}

TEST(MakeShortFileName, ByWidth)
{
    const QString path = R"(C:\alpha\beta\gamma\file.txt)"; // 28 characters
    FixedExtent dc;
    EXPECT_EQ(OwUtil::MakeShortFileName(path, dc, 1), "");
    EXPECT_EQ(OwUtil::MakeShortFileName(path, dc, 280), path); // a path that fits stays whole
    EXPECT_EQ(OwUtil::MakeShortFileName(path, dc, 279), R"(C:\...\beta\gamma\file.txt)");
    EXPECT_EQ(OwUtil::MakeShortFileName(path, dc, 215), R"(C:\...\gamma\file.txt)");
    EXPECT_EQ(OwUtil::MakeShortFileName(path, dc, 150), R"(C:\...\file.txt)");
    EXPECT_EQ(OwUtil::MakeShortFileName(path, dc, 120), R"(...\file.txt)");
    // Nothing fits: the file name alone.
    dc.calls = 0;
    EXPECT_EQ(OwUtil::MakeShortFileName(path, dc, 20), "file.txt");
    EXPECT_LE(dc.calls, 6); // each different text is measured once
    EXPECT_EQ(OwUtil::MakeShortFileName(QString(), dc, 20), "");
}

TEST(MakeShortFileName, ByFontMetrics)
{
    QFont font;
    font.setPixelSize(12);
    const OwUtil::CFontMetricsExtent dc(font);
    const QString path = "/home/someone/projects/lumivu/samples/drawing.emf";
    const int full = dc.GetTextWidth(path);
    EXPECT_EQ(OwUtil::MakeShortFileName(path, dc, full), path);
    const QString shorter = OwUtil::MakeShortFileName(path, dc, full / 2);
    EXPECT_LE(dc.GetTextWidth(shorter), full / 2);
    EXPECT_TRUE(shorter.startsWith("/.../"));
    EXPECT_TRUE(shorter.endsWith("/drawing.emf"));
}
