#include "owutil/text/ParseToken.h"

#include <gtest/gtest.h>

using OwUtil::ParseToken;

namespace {

struct Case {
    const char* text;
    char delimiter;
    bool withNumber;
    bool withList;
    const char* token;
    const char* rest;
    int number;
    std::vector<QString> list;
};

} // namespace

TEST(ParseToken, SplitsNameNumberListAndRest)
{
    const Case cases[] = {
        {"Size -12 , next", ',', true, false, "Size", " next", -12, {}},
        {"Size +  7", ',', true, false, "Size", "", 7, {}},
        {"Size -", ',', true, false, "Size", "", 0, {}},
        // Without a number the sign is an ordinary character.
        {"Size -12 , next", ',', false, false, "Size -12", " next", 0, {}},
        // A sign at the token's start is ordinary.
        {"-5", ',', true, false, "-5", "", 0, {}},
        {R"(Name (p, "q,r", s))", ',', false, true, "Name", "", 0, {"p", "q,r", "s"}},
        {R"(Name ( , "", x ,, ) ; more)", ';', false, true, "Name", " more", 0, {"", "x"}},
        {R"(N ("a\"b" , "c)d"))", ',', false, true, "N", "", 0, {"a\"b", "c)d"}},
        // Without a list the parenthesis is ordinary.
        {"f(a,b)", ',', false, false, "f(a", "b)", 0, {}},
        {"Name (a, b", ',', false, true, "Name", "", 0, {"a", "b"}},
        {R"("x y",z)", ',', false, false, "x y", "z", 0, {}},
        {R"("a\"b",c)", ',', false, false, R"(a\"b)", "c", 0, {}},
        {R"("open only)", ',', false, false, "open only", "", 0, {}},
        {"  lead and trail  ", ',', false, false, "lead and trail", "", 0, {}},
        {"", ',', true, true, "", "", 0, {}},
        {"a,", ',', false, false, "a", "", 0, {}},
        // The delimiter may be any character, also a sign.
        {"left-right", '-', false, false, "left", "right", 0, {}},
        // ... but with a number a sign after the token's start is read as one.
        {"x+1-2", '-', true, false, "x", "", -2, {}},
        // The zero delimiter takes the whole text.
        {"a, b", '\0', false, false, "a, b", "", 0, {}},
        {"Width -3 (1, 2) tail, rest", ',', true, true, "Width", " rest", -3, {"1", "2"}},
        {"n -99999999999", ',', true, false, "n", "", -2147483647, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QString token = "junk", rest = "junk";
        int number = 42;
        std::vector<QString> list{"junk"};
        EXPECT_TRUE(ParseToken(QString::fromUtf8(c.text), token, rest, c.delimiter,
                               c.withNumber ? &number : nullptr, c.withList ? &list : nullptr));
        EXPECT_EQ(token, QString::fromUtf8(c.token));
        EXPECT_EQ(rest, QString::fromUtf8(c.rest));
        EXPECT_EQ(number, c.withNumber ? c.number : 42);
        EXPECT_EQ(list, c.withList ? c.list : std::vector<QString>{"junk"});
    }
}
