#include "owutil/text/Quotes.h"
#include "owutil/text/StringSearch.h"

#include <gtest/gtest.h>

using namespace OwUtil;

TEST(CmpString, PrefixIgnoringCase)
{
    EXPECT_TRUE(CmpString("", "anything", false));
    EXPECT_TRUE(CmpString("", "", true));
    EXPECT_FALSE(CmpString("", "x", true));
    EXPECT_TRUE(CmpString("ab", "ABC", false));
    EXPECT_FALSE(CmpString("ab", "ABC", true));
    EXPECT_TRUE(CmpString("aBc", "AbC", true));
    EXPECT_FALSE(CmpString("abcd", "abc", false));
}

TEST(FindLastCompare, EndOfTheCommonBeginning)
{
    EXPECT_EQ(FindLastCompare("abc", "abd", true), 1);
    EXPECT_EQ(FindLastCompare("abc", "xbc", true), -1);
    EXPECT_EQ(FindLastCompare("abc", "ABX", true), -1);
    EXPECT_EQ(FindLastCompare("abc", "ABX", false), 1);
    EXPECT_EQ(FindLastCompare("abc", "abcdef", true), 2);
    EXPECT_EQ(FindLastCompare("", "abc", true), -1);
}

TEST(Find, SkipsQuotedText)
{
    const QString s = R"(a "b,c" ,d)";
    const int end = int(s.size());
    EXPECT_EQ(Find(s, end, ',', 0), 8);
    EXPECT_EQ(Find(s, end, 'b', 0), -1);
    EXPECT_EQ(Find(s, end, '"', 0), -1); // quotes themselves never match
    EXPECT_EQ(Find(s, 8, ',', 0), -1);   // end is exclusive
    EXPECT_EQ(Find(s, end, 'a', 1), -1);
    EXPECT_EQ(Find(s, 1000, 'd', -5), 9);
    // An unclosed quote hides the rest.
    EXPECT_EQ(Find(R"(x "y,z)", 6, ',', 0), -1);
}

TEST(Find, WordNeedsItsFirstCharacterExactly)
{
    const QString s = R"(Open "Open" open OPEN Opening)";
    const int end = int(s.size());
    EXPECT_EQ(Find(s, end, "Open", 4, 1), 17);   // "open" starts with another character
    EXPECT_EQ(Find(s, end, "open", 4, 0), 12);
    EXPECT_EQ(Find(s, end, "OPEN", 4, 1), 17);
    EXPECT_EQ(Find(s, 17, "Open", 4, 1), -1);
    EXPECT_EQ(Find(s, end, "opXX", 2, 0), 12);  // only count characters compare
    EXPECT_EQ(Find(s, end, "", 1, 0), -1);
    EXPECT_EQ(Find("Op", 2, "Open", 4, 0), -1);  // runs out of text
}

TEST(FindOneOf, ForwardAndBackwardOutsideQuotes)
{
    const QString s = R"(k1="a=b";k2=c)";
    const int end = int(s.size());
    EXPECT_EQ(FindOneOf(s, end, "=;", 0), 2);
    EXPECT_EQ(FindOneOf(s, end, "=;", 3), 8);
    EXPECT_EQ(FindNotOneOf(s, end, "k12", 0), 2);
    EXPECT_EQ(FindNotOneOf("\"\"abc", 5, "b", 0), 2);
    EXPECT_EQ(RFindOneOf(s, end, "=", -1), 11);
    EXPECT_EQ(RFindOneOf(s, end, "=", 10), 2); // passes backwards over "a=b"
    EXPECT_EQ(RFindOneOf(s, 8, "=;", -1), 2);  // start -1 begins at end - 1
    EXPECT_EQ(RFindNotOneOf(s, end, "c=2k", -1), 8);
    EXPECT_EQ(RFindOneOf(s, end, "x", -1), -1);
    EXPECT_EQ(RFindOneOf(QString(), 0, "x", -1), -1);
    EXPECT_EQ(FindOneOf(QString(), 10, "x", 0), -1);
}

TEST(Quotes, PadAndStrip)
{
    const struct {
        const char* in;
        const char* padded;
        const char* stripped;
    } cases[] = {
        {"", "", ""},
        {"\"", "\"", ""},
        {"a b", "\"a b\"", "a b"},
        {"\"a b", "\"a b\"", "a b"},
        {"a b\"", "\"a b\"", "a b"},
        {"\"\"x\"\"", "\"\"x\"\"", "\"x\""},
    };
    for (const auto& c : cases) {
        QString s = QString::fromUtf8(c.in);
        EXPECT_EQ(PadQuotes(s), QString::fromUtf8(c.padded)) << c.in;
        s = QString::fromUtf8(c.in);
        EXPECT_EQ(StripQuotes(s), QString::fromUtf8(c.stripped)) << c.in;
    }
    QString tag = "<a&b>";
    EXPECT_EQ(&ToXMLTag(tag), &tag);
    EXPECT_EQ(FromXMLTag(ToXMLTag(tag)), "<a&b>");
}
