#include "owutil/text/IniValues.h"

#include "platform/types/CRect.h"

#include <gtest/gtest.h>

#include <climits>

using OwUtil::IniRead;
using OwUtil::IniWrite;

TEST(IniWrite, EveryConversionLetter)
{
    const unsigned long colour = 255 + 128 * 256;
    const CSize size(640, -480);
    const CPoint point(-3, 4);
    const CRect rect(1, 2, 3, 4);
    QString out = "old";
    struct {
        QString text;
        const char* expected;
    } cases[] = {
        {IniWrite(out, "%d,%q,%C", 7, "a b", &colour), R"(7,"a b",(255|128|0))"},
        {IniWrite(out, "%i|%5d|%-4d|%+d|%05d", -1, 42, 42, 42, 42), "-1|   42|42  |+42|00042"},
        {IniWrite(out, "%ld %lu", LONG_MIN, ULONG_MAX), "-9223372036854775808 18446744073709551615"},
        {IniWrite(out, "%u %o %x %X %#x", 4294967295u, 8u, 255u, 255u, 255u), "4294967295 10 ff FF 0xff"},
        {IniWrite(out, "%b,%b,%3b", true, false, true), "1,0,  1"},
        {IniWrite(out, "%f|%.2lf|%e|%G|%g", 1.5, 2.346, 1234.5, 1e-10, 0.5),
         "1.500000|2.35|1.234500e+03|1E-10|0.5"},
        {IniWrite(out, "%c%c", 'o', 'k'), "ok"},
        {IniWrite(out, "[%s][%-4s][%4s][%.2s]", "x", "ab", "ab", "abc"), "[x][ab  ][  ab][ab]"},
        {IniWrite(out, "%S %P %R", &size, &point, &rect), "(640|-480) (-3|4) (1|2|3|4)"},
        {IniWrite(out, "%*d|%.*f|%-*s|", 4, 7, 1, 2.26, 3, "z"), "   7|2.3|z  |"},
        {IniWrite(out, "100%% %y %", 0), "100% %y %"},
        {IniWrite(out, "%s/%q/%C/%R", nullptr, nullptr, nullptr, nullptr), "/\"\"/(0|0|0)/(0|0|0|0)"},
        {IniWrite(out, "caf\xC3\xA9 %s", "\xE2\x82\xAC"), "caf\xC3\xA9 \xE2\x82\xAC"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, QString::fromUtf8(c.expected));
    EXPECT_EQ(IniWrite(out, nullptr), QString());
}

TEST(IniWrite, OneValueIsAtMost1023Bytes)
{
    const std::string longText(5000, 'x');
    QString out;
    IniWrite(out, "<%s>", longText.c_str());
    EXPECT_EQ(out, "<" + QString(1023, 'x') + ">");
}

TEST(IniRead, RoundTripsEveryLetter)
{
    const unsigned long colour = RGB(255, 128, 0);
    const CSize size(640, -480);
    const CPoint point(-3, 4);
    const CRect rect(1, 2, 3, 4);
    QString text;
    const char* format = "%d,%i,%ld,%u,%lu,%b,%f,%e,%G,%c,%s,%q,%C,%S,%P,%R";
    IniWrite(text, format, -7, 6, -8L, 9u, 10ul, true, 2.5, -1250.0, 0.0625, 'c', "plain text", "quoted, text",
             &colour, &size, &point, &rect);

    int d = 0, i = 0;
    long ld = 0;
    unsigned u = 0;
    unsigned long lu = 0, c = 0;
    bool b = false;
    double f = 0, e = 0, g = 0;
    char ch = 0;
    QString s, q;
    CSize sz;
    CPoint pt;
    CRect rc;
    IniRead(text, format, &d, &i, &ld, &u, &lu, &b, &f, &e, &g, &ch, &s, &q, &c, &sz, &pt, &rc);
    EXPECT_EQ(d, -7);
    EXPECT_EQ(i, 6);
    EXPECT_DOUBLE_EQ(e, -1250.0);
    EXPECT_DOUBLE_EQ(g, 0.0625);
    EXPECT_EQ(ld, -8);
    EXPECT_EQ(u, 9u);
    EXPECT_EQ(lu, 10ul);
    EXPECT_TRUE(b);
    EXPECT_DOUBLE_EQ(f, 2.5);
    EXPECT_EQ(ch, 'c');
    EXPECT_EQ(s, "plain text");
    EXPECT_EQ(q, "quoted, text");
    EXPECT_EQ(c, colour);
    EXPECT_EQ(sz, size);
    EXPECT_EQ(pt, point);
    EXPECT_EQ(rc, rect);
}

TEST(IniRead, TheExamplesOfTheFormat)
{
    int d = 0;
    QString q;
    unsigned long colour = 0;
    IniRead(R"(7,"a b",(255|128|0))", "%d,%q,%C", &d, &q, &colour);
    EXPECT_EQ(d, 7);
    EXPECT_EQ(q, "a b");
    EXPECT_EQ(colour, 255ul + 128ul * 256ul);

    int v[4] = {9, 9, 9, 9};
    IniRead("1,2,3,4", "%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3]);
    EXPECT_EQ(std::vector<int>(v, v + 4), (std::vector<int>{1, 2, 3, 4}));
    IniRead("1,2", "%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3]);
    EXPECT_EQ(std::vector<int>(v, v + 4), (std::vector<int>{1, 2, 0, 0}));
    // The version text of a version block.
    IniRead("9, 0, 0, 99", "%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3]);
    EXPECT_EQ(std::vector<int>(v, v + 4), (std::vector<int>{9, 0, 0, 99}));

    double x = 0;
    IniRead("2.26", "%.1f", &x);
    EXPECT_DOUBLE_EQ(x, 2.3);
    CRect r;
    IniRead("(1|2|3|4)", "%R", &r);
    EXPECT_EQ(r, CRect(1, 2, 3, 4));
}

TEST(IniRead, ConversionsShapeTheValuesRead)
{
    int d = 0;
    unsigned u = 0;
    bool b = true;
    unsigned long c = 0;
    // The value passes through its conversion and is read back as decimal
    // text: hexadecimal "ff" reads as 0, as documented; "10" in octal as 12.
    IniRead("255", "%x", &u);
    EXPECT_EQ(u, 0u);
    IniRead("10", "%o", &u);
    EXPECT_EQ(u, 12u);
    IniRead("  12abc ", "%d", &d);
    EXPECT_EQ(d, 12);
    IniRead("0", "%b", &b);
    EXPECT_FALSE(b);
    IniRead("17", "%b", &b);
    EXPECT_TRUE(b);
    // Colour parts keep their low 8 bits.
    IniRead("x(257|-1|2)", "%C", &c);
    EXPECT_EQ(c, 1ul + 255ul * 256ul + 2ul * 65536ul);
    // Ordinary characters skip text up to themselves, outside quotes.
    QString s;
    IniRead(R"(name="a;b";value=5)", "name=%q;value=%d", &s, &d);
    EXPECT_EQ(s, "a;b");
    EXPECT_EQ(d, 5);
    // The blank after a conversion delimits its value.
    int e = 0;
    IniRead(" 12  34 ", "%d %d", &d, &e);
    EXPECT_EQ(d, 12);
    EXPECT_EQ(e, 34);
}

TEST(IniRead, BadInputNeverFails)
{
    int a = 5, b = 6;
    double x = 1;
    IniRead(QString(), "%d,%d", &a, &b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
    IniRead("1,2", nullptr, &a);
    IniRead("abc", "%f", &x);
    EXPECT_EQ(x, 0.0);
    IniRead("1,2", "%d,%d", nullptr, &b); // a null target is skipped
    EXPECT_EQ(b, 2);
    IniRead("99999999999999999999", "%d", &a);
    IniRead(QString(5000, '7'), "%s", nullptr);
    QString s;
    IniRead(QString(5000, '7'), "%5s", &s);
    EXPECT_EQ(s.size(), 5000); // a string is the token itself
    IniRead("1", "%", &a);
    IniRead("1", "%lf", &x);
    EXPECT_EQ(x, 1.0);
}
