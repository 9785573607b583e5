// MakeShortFileName measured on a device context: the widths come from the
// font selected into it, so a bigger font shortens more.
#include "owutil/paths/ShortFileName.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"

#include <gtest/gtest.h>

namespace {

void selectFont(CDC& dc, CFont& font, int height)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    const char16_t face[] = u"Arial";
    std::copy(std::begin(face), std::end(face), lf.lfFaceName);
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
}

} // namespace

TEST(MakeShortFileName, MeasuresWithTheDeviceContextFont)
{
    const QString path = QStringLiteral(R"(C:\alpha\beta\gamma\file.txt)");
    CDC dc; // an information context: measures without drawing
    CFont small;
    selectFont(dc, small, -10);
    const int whole = dc.GetTextExtent(path).cx;
    if (whole == 0)
        GTEST_SKIP() << "no outline font to measure with";
    EXPECT_EQ(OwUtil::MakeShortFileName(path, dc, whole), path);
    const QString shorter = OwUtil::MakeShortFileName(path, dc, whole - 1);
    EXPECT_NE(shorter, path);
    EXPECT_TRUE(shorter.endsWith(QStringLiteral("file.txt")));
    EXPECT_LE(dc.GetTextExtent(shorter).cx, whole - 1);
    EXPECT_EQ(OwUtil::MakeShortFileName(path, dc, 1), QString());

    // The same width with a font twice the size keeps less of the path.
    CFont big;
    selectFont(dc, big, -20);
    const QString bigger = OwUtil::MakeShortFileName(path, dc, whole - 1);
    EXPECT_LT(bigger.size(), shorter.size());
    EXPECT_LE(dc.GetTextExtent(bigger).cx, whole - 1);
}
