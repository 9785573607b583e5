#include "platform/shell/XdgKeyFile.h"

#include <gtest/gtest.h>

TEST(XdgKeyFile, EditsKeepEverythingElseInPlace)
{
    XdgKeyFile f;
    f.Parse("# comment\n[Default Applications]\nimage/png=a.desktop;b.desktop;\n\n[Added Associations]\nx=y\n");
    EXPECT_EQ(f.ListValue("Default Applications", "image/png"), (QStringList{"a.desktop", "b.desktop"}));
    f.SetListValue("Default Applications", "image/gif", {"c.desktop"});
    f.RemoveKey("Added Associations", "x");
    f.SetValue("New Group", "k", "v");
    EXPECT_EQ(f.ToText(), "# comment\n[Default Applications]\nimage/png=a.desktop;b.desktop;\nimage/gif=c.desktop;\n\n"
                          "[Added Associations]\n\n[New Group]\nk=v\n");
    EXPECT_EQ(f.Groups(), (QStringList{"Default Applications", "Added Associations", "New Group"}));
    EXPECT_FALSE(f.IsEmpty());
}

TEST(XdgKeyFile, MalformedLinesAreKeptButNotKeys)
{
    XdgKeyFile f;
    f.Parse("garbage without equals\r\n=novalue\n[G]\nk = spaced value \n");
    EXPECT_EQ(f.Value("G", "k"), "spaced value");
    EXPECT_TRUE(f.Keys("").isEmpty());
    EXPECT_EQ(f.ToText(), "garbage without equals\n=novalue\n[G]\nk = spaced value \n");
}

TEST(XdgKeyFile, EscapesAndExecQuoting)
{
    EXPECT_EQ(XdgKeyFile::Escape(" a\\b\nc"), "\\sa\\\\b\\nc");
    EXPECT_EQ(XdgKeyFile::Unescape("\\sa\\\\b\\nc\\t"), " a\\b\nc\t");
    EXPECT_EQ(XdgKeyFile::QuoteExecArgument("/usr/bin/lumivu"), "/usr/bin/lumivu");
    EXPECT_EQ(XdgKeyFile::QuoteExecArgument("/opt/my apps/Lumivu"), "\"/opt/my apps/Lumivu\"");
    EXPECT_EQ(XdgKeyFile::QuoteExecArgument("a\"$`\\b"), "\"a\\\"\\$\\`\\\\b\"");
    EXPECT_EQ(XdgKeyFile::QuoteExecArgument(""), "\"\"");
}
