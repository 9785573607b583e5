#include "owutil/OwUtilC.h"
#include "owutil/text/FontString.h"

#include <QString>
#include <gtest/gtest.h>

#include <cstring>

namespace {

LOGFONTA arial()
{
    LOGFONTA f{};
    std::strcpy(f.lfFaceName, "Arial");
    f.lfHeight = -13;
    f.lfWeight = FW_BOLD;
    f.lfItalic = 255;
    f.lfUnderline = 1;
    f.lfStrikeOut = 2;
    return f;
}

char* format(char* buffer, int size, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    char* result = FormatVStr(buffer, size, fmt, args);
    va_end(args);
    return result;
}

} // namespace

TEST(GetFontAsString, SevenLines)
{
    LOGFONTA f = arial();
    char buffer[100];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(OwUtil::GetFontAsString(95, &f, 0x00FF8040, buffer, sizeof buffer), buffer);
    // The italic byte as stored; underline and strike-out only count when exactly 1.
    EXPECT_STREQ(buffer, "Arial\n95\n700\n255\n1\n0\n16744512\n");
    EXPECT_EQ(buffer[sizeof buffer - 1], '\0');

    char small[10];
    std::memset(small, 'x', sizeof small);
    OwUtil::GetFontAsString(95, &f, 0, small, sizeof small);
    EXPECT_STREQ(small, "Arial\n95\n");
    EXPECT_EQ(OwUtil::GetFontAsString(95, &f, 0, nullptr, 10), nullptr);
    // The colour is a 32-bit value written as the platform writes it.
    OwUtil::GetFontAsString(80, nullptr, 0xFF000000, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "\n80\n0\n0\n0\n0\n-16777216\n");
}

TEST(GetFontFromString, RoundTripAndHeight)
{
    LOGFONTA in = arial();
    char text[100];
    OwUtil::GetFontAsString(95, &in, 0x00FF8040, text, sizeof text);

    LOGFONTA out;
    std::memset(&out, 0x5A, sizeof out);
    int size = 0;
    unsigned long colour = 0;
    OwUtil::GetFontFromString(&size, &out, &colour, text);
    EXPECT_EQ(size, 95);
    EXPECT_STREQ(out.lfFaceName, "Arial");
    EXPECT_EQ(out.lfHeight, -10); // 9.5 points round away from zero
    EXPECT_EQ(out.lfWidth, 0);
    EXPECT_EQ(out.lfWeight, 700);
    EXPECT_EQ(out.lfItalic, 255);
    EXPECT_EQ(out.lfUnderline, 1);
    EXPECT_EQ(out.lfStrikeOut, 0);
    EXPECT_EQ(out.lfCharSet, 0);
    EXPECT_EQ(colour, 0x00FF8040ul);

    OwUtil::GetFontFromString(&size, &out, &colour, "F\n94\n400\n0\n0\n0\n-16777216\n");
    EXPECT_EQ(out.lfHeight, -9);
    EXPECT_EQ(colour, 0xFF000000ul);
}

TEST(GetFontFromString, LongFaceNamesAndShortTexts)
{
    LOGFONTA out;
    int size = 1;
    unsigned long colour = 1;
    // A face name is cut to 31 bytes, never inside a character.
    const QByteArray face = QString(30, QChar('a')).toUtf8() + "\xC3\xA9tude";
    OwUtil::GetFontFromString(&size, &out, &colour, (face + "\n120\n").constData());
    EXPECT_STREQ(out.lfFaceName, QString(30, QChar('a')).toUtf8().constData());
    EXPECT_EQ(out.lfHeight, -12);
    EXPECT_EQ(out.lfWeight, 0);
    EXPECT_EQ(colour, 0ul);
    OwUtil::GetFontFromString(&size, &out, &colour, nullptr);
    EXPECT_EQ(size, 0);
    OwUtil::GetFontFromString(nullptr, nullptr, nullptr, "x\n1\n");
}

TEST(FormatVStr, ClearsAndCutsTheBuffer)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(format(buffer, 8, "%d-%s", 12, "abcdef"), buffer);
    EXPECT_STREQ(buffer, "12-abcd");
    std::memset(buffer, 'x', sizeof buffer);
    format(buffer, 8, "%.2f", 2.5);
    EXPECT_STREQ(buffer, "2.50");
    for (int i = 5; i < 8; ++i)
        EXPECT_EQ(buffer[i], '\0');
    // A character that does not fit whole is left out.
    format(buffer, 8, "%s", "abcde\xE2\x82\xAC");
    EXPECT_STREQ(buffer, "abcde");
    format(buffer, 1, "%s", "abc");
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(format(nullptr, 8, "x"), nullptr);
    EXPECT_EQ(format(buffer, 0, "x"), buffer);
}
