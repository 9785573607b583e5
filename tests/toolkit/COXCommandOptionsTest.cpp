#include "toolkit/COXCommandOptions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace {

// The viewer's table: three switches and two lists.
void defineViewerOptions(COXCommandOptions& options)
{
    options.Add("DDE", 0, "Put the application in DDE mode", "");
    options.Add("Register", 0, "Register the application types", "");
    options.Add("UnRegister", 0, "UnRegister the application types", "");
    options.Add("Open", COD_ARGOK | COD_LIST | COD_ASSOCIATIONS, "Open the given document(s)", "");
    options.Add("Print", 19, "Print the given document(s)", "");
}

struct Parsed {
    QString result;
    QStringList extra;
    std::string errors;
};

Parsed parse(COXCommandOptions& options, const QStringList& args, bool withList = false)
{
    COXCommandLine line(QStringList{"/usr/bin/Lumivu"} + args);
    Parsed p;
    testing::internal::CaptureStderr();
    p.result = options.ParseCmdLine(line, withList ? &p.extra : nullptr);
    p.errors = testing::internal::GetCapturedStderr();
    return p;
}

} // namespace

TEST(COXCommandLine, SkipsTheProgramName)
{
    COXCommandLine line({"prog", "a", "-b"});
    EXPECT_EQ(line.ProgramName(), "prog");
    EXPECT_EQ(line.GetNumArgs(), 2);
    EXPECT_EQ(line[1], "-b");
    EXPECT_EQ(line[2], QString());
    EXPECT_EQ(COXCommandLine({}).GetNumArgs(), 0);
}

TEST(COXCommandOptions, FlagsNineteenIsAnAssociatedList)
{
    EXPECT_EQ(COD_ARGOK | COD_LIST | COD_ASSOCIATIONS, 19);
}

TEST(COXCommandOptions, AddRefusesDuplicatesAndBadNames)
{
    COXCommandOptions options;
    EXPECT_TRUE(options.Add("Open", 19, "", ""));
    EXPECT_FALSE(options.Add("OPEN", 0, "", ""));
    EXPECT_FALSE(options.Add("", 0, "", ""));
    EXPECT_FALSE(options.Add("-x", 0, "", ""));
    EXPECT_EQ(options.Options().size(), 1u);
}

TEST(COXCommandOptions, ParsesSwitchesListsAndTheFileName)
{
    const struct {
        QStringList args;
        QStringList enabled;
        QStringList open;
        QStringList print;
        const char* result;
    } cases[] = {
        {{}, {}, {}, {}, ""},
        {{"file.emf"}, {}, {}, {}, "file.emf"},
        {{"-DDE"}, {"DDE"}, {}, {}, ""},
        // Names compare without case, with any of the three prefixes.
        {{"--register", "/UNREGISTER"}, {"Register", "UnRegister"}, {}, {}, ""},
        // A list runs up to the next option.
        {{"-Open", "a.emf", "b.wmf", "-DDE", "c.png"}, {"Open", "DDE"}, {"a.emf", "b.wmf"}, {}, "c.png"},
        {{"-Print", "x", "y"}, {"Print"}, {}, {"x", "y"}, ""},
        // Repeated list options add up.
        {{"-open", "a", "/Print", "p", "-Open", "b"}, {"Open", "Print"}, {"a", "b"}, {"p"}, ""},
        // A list given without values is enabled and empty.
        {{"-Open", "--DDE"}, {"Open", "DDE"}, {}, {}, ""},
        // "name=value" starts the list.
        {{"--open=a.emf", "b.emf"}, {"Open"}, {"a.emf", "b.emf"}, {}, ""},
        // An absolute path is no option unless it names one.
        {{"/tmp/a.emf"}, {}, {}, {}, "/tmp/a.emf"},
        {{"-Open", "/tmp/a.emf", "/home/b.emf"}, {"Open"}, {"/tmp/a.emf", "/home/b.emf"}, {}, ""},
        {{"/Open", "/dde"}, {"Open", "DDE"}, {}, {}, ""},
        // "--" ends the options and any open list.
        {{"-Open", "a", "--", "-Print", "b"}, {"Open"}, {"a"}, {}, "-Print"},
        // A lone "-" is an ordinary argument.
        {{"-"}, {}, {}, {}, "-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        COXCommandOptions options;
        defineViewerOptions(options);
        const Parsed p = parse(options, c.args);
        EXPECT_EQ(p.result, QString::fromUtf8(c.result));
        for (const QString name : {"DDE", "Register", "UnRegister", "Open", "Print"})
            EXPECT_EQ(options.IsEnabled(name), c.enabled.contains(name)) << name.toStdString();
        EXPECT_EQ(options.GetValues("open"), c.open);
        EXPECT_EQ(options.GetValues("PRINT"), c.print);
    }
}

TEST(COXCommandOptions, StrayArgumentsAfterTheFirst)
{
    COXCommandOptions options;
    defineViewerOptions(options);
    Parsed p = parse(options, {"one", "-DDE", "two", "three"}, true);
    EXPECT_EQ(p.result, "one");
    EXPECT_EQ(p.extra, QStringList({"two", "three"}));
    EXPECT_EQ(p.errors, "");

    p = parse(options, {"one", "two"});
    EXPECT_EQ(p.result, "one");
    EXPECT_NE(p.errors.find("two"), std::string::npos);
    EXPECT_NE(p.errors.find("ignored"), std::string::npos);
}

TEST(COXCommandOptions, UndefinedOptionsAreReportedAndIgnored)
{
    COXCommandOptions options;
    defineViewerOptions(options);
    const Parsed p = parse(options, {"-x", "--PrintTo", "-Open", "a", "-bogus", "b"});
    EXPECT_NE(p.errors.find("unknown option -x: ignored"), std::string::npos);
    EXPECT_NE(p.errors.find("unknown option --PrintTo: ignored"), std::string::npos);
    EXPECT_FALSE(options.IsEnabled("PrintTo"));
    EXPECT_FALSE(options.IsEnabled("x"));
    // An unknown option also ends the list before it.
    EXPECT_EQ(options.GetValues("Open"), QStringList{"a"});
    EXPECT_EQ(p.result, "b");
}

TEST(COXCommandOptions, ParsingAgainForgetsEarlierResults)
{
    COXCommandOptions options;
    defineViewerOptions(options);
    parse(options, {"-Open", "a", "-DDE"});
    const Parsed p = parse(options, {"b"});
    EXPECT_FALSE(options.IsEnabled("Open"));
    EXPECT_FALSE(options.IsEnabled("DDE"));
    EXPECT_TRUE(options.GetValues("Open").isEmpty());
    EXPECT_EQ(p.result, "b");
}

TEST(COXCommandOptions, SingleValuesAndDefaults)
{
    COXCommandOptions options;
    options.Add("Zoom", COD_ARGOK, "Initial zoom", "1.0");
    options.Add("Tag", COD_ARGOK | COD_LIST, "A tag", "");
    options.Add("Quiet", 0, "No output", "");

    Parsed p = parse(options, {"-zoom", "2.5", "file", "-Tag", "a", "-Tag", "/b", "-Zoom", "3"});
    EXPECT_EQ(options.GetValue("Zoom"), "3"); // the last occurrence counts
    EXPECT_EQ(options.GetValues("Tag"), QStringList({"a", "/b"}));
    EXPECT_EQ(p.result, "file");

    // A value option takes the next argument even when it looks like an option.
    p = parse(options, {"-Zoom", "-Quiet"});
    EXPECT_EQ(options.GetValue("Zoom"), "-Quiet");
    EXPECT_FALSE(options.IsEnabled("Quiet"));

    p = parse(options, {"-Quiet=yes", "-Zoom"});
    EXPECT_TRUE(options.IsEnabled("Quiet"));
    EXPECT_NE(p.errors.find("takes no value"), std::string::npos);
    EXPECT_NE(p.errors.find("expects a value"), std::string::npos);
    EXPECT_TRUE(options.IsEnabled("Zoom"));
    EXPECT_EQ(options.GetValue("Zoom"), "1.0");
    EXPECT_EQ(options.GetValues("Zoom"), QStringList{"1.0"});

    p = parse(options, {});
    EXPECT_EQ(options.GetValue("Zoom"), "1.0");
    EXPECT_TRUE(options.GetValues("Zoom").isEmpty());
    EXPECT_EQ(options.GetValue("Undefined"), QString());
}

TEST(COXCommandOptions, UsageListsEveryOption)
{
    COXCommandOptions options;
    defineViewerOptions(options);
    const QString usage = options.Usage("Lumivu");
    EXPECT_TRUE(usage.startsWith("Usage: Lumivu [options] [file]"));
    for (const char* text : {"-DDE", "Put the application in DDE mode", "-Open <value>...",
                             "Open the given document(s)", "-UnRegister", "--help"})
        EXPECT_TRUE(usage.contains(QString::fromUtf8(text))) << text;
}

// Help ends the process with code 0; its text goes to standard output, which
// the child sends to standard error so that the death test can read it.
TEST(COXCommandOptionsDeathTest, HelpPrintsTheOptionsAndExitsWithZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const char* help : {"-h", "--help", "/?", "-HELP"}) {
        SCOPED_TRACE(help);
        EXPECT_EXIT(
            {
                ::dup2(2, 1);
                COXCommandOptions options;
                defineViewerOptions(options);
                COXCommandLine line({"/usr/bin/Lumivu", "a.emf", help, "-DDE"});
                options.ParseCmdLine(line);
                std::fputs("help did not end the process\n", stderr);
                std::_Exit(3);
            },
            testing::ExitedWithCode(0), "Usage: Lumivu.*Open the given document\\(s\\)");
    }
}

TEST(COXCommandOptions, SlashHelpNeedsTheQuestionMark)
{
    // "/h" and "/help" are paths: only "/?" asks for help in the slash form.
    COXCommandOptions options;
    defineViewerOptions(options);
    EXPECT_EQ(parse(options, {"/help"}).result, "/help");
}
