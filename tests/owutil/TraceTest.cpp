// The trace log: the head of a line in each mode, the indent marks kept in
// the registry, continued lines, the file's settling, the typed variants,
// the cut of an over-long line, and texts with percent signs in them.
#include "owutil/debug/Trace.h"
#include "toolkit/COXRegistryItem.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace OWDebug;

namespace {

COXRegistryItem Setting(const char* name)
{
    COXRegistryItem item;
    item.SetRegistryName(QStringLiteral("HKEY_CURRENT_USER"));
    item.SetKeyNames(QStringLiteral("\\Software\\Orrery Works\\Debugging\\"));
    item.SetValueName(QString::fromLatin1(name));
    return item;
}

const QByteArray kDot = "\xC2\xB7";

class TraceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        log = dir.filePath(QStringLiteral("trace.log"));
        Setting("IncludeFileInfo").DeleteValue();
        OwDTrace_ResetIncr();
        OwDTrace_SetLogFile(log.toUtf8().constData());
        OwDTrace_Init(true);
        OwDTrace_SetPrefix(nullptr, nullptr, 0);
    }
    void TearDown() override
    {
        // A test that left a line open must not open the next test's.
        OwDTrace(1, "\n");
        Setting("IncludeFileInfo").DeleteValue();
        OwDTrace_ResetIncr();
    }
    QByteArray Log() const
    {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void Mode(DWORD mode) { Setting("IncludeFileInfo").SetNumberValue(mode); }

    QTemporaryDir dir;
    QString log;
};

} // namespace

TEST_F(TraceTest, APlainLineHasTheTagTheMarksAndTheText)
{
    OwDTrace_SetPrefix("Viewer", "view.cpp", 12);
    OwDTrace_Incr(1);
    OwDTrace_Incr(1);
    OwDTrace(1, "Open %s", "a.emf");
    EXPECT_EQ(Log(), "[  Viewer] 1" + kDot + "2" + kDot + "> Open a.emf\n");
}

TEST_F(TraceTest, LevelZeroTouchesNothing)
{
    QFile::remove(log);
    Setting("Indent").DeleteValue();
    OwDTrace(0, "never %d", 1);
    OwDTrace_Incr(0);
    OwDTrace_Decr(0);
    OwDTrace_Time(0);
    OwDTrace_Rect(0, "r", CRect(1, 2, 3, 4));
    EXPECT_FALSE(QFile::exists(log));
    BOOL present = TRUE;
    Setting("Indent").GetNumberValue(0, &present);
    EXPECT_FALSE(present);
}

TEST_F(TraceTest, TheIndentLivesInTheRegistryAndItsMarksCountToTen)
{
    for (int i = 0; i < 12; ++i)
        OwDTrace_Incr(2);
    EXPECT_EQ(Setting("Indent").GetNumberValue(), 12u);
    OwDTrace(1, "deep");
    QByteArray marks;
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2})
        marks += QByteArray::number(n) + kDot;
    EXPECT_EQ(Log(), marks + "> deep\n");

    // Below zero: stored as the 32-bit pattern, read as -1, no marks.
    OwDTrace_ResetIncr();
    OwDTrace_Decr(1);
    EXPECT_EQ(Setting("Indent").GetNumberValue(), 4294967295u);
    OwDTrace_Init(true);
    OwDTrace(1, "shallow");
    EXPECT_EQ(Log(), "> shallow\n");
    OwDTrace_Incr(1);
    EXPECT_EQ(Setting("Indent").GetNumberValue(), 0u);
}

TEST_F(TraceTest, ABelLeavesTheLineOpenForTheNextCall)
{
    OwDTrace_SetPrefix("Doc", nullptr, 0);
    OwDTrace_Incr(1);
    OwDTrace(1, "Loading...\a");
    OwDTrace(1, " done in %d ms", 12);
    OwDTrace(1, "next");
    EXPECT_EQ(Log(), "[     Doc] 1" + kDot + "> Loading... done in 12 ms\n[     Doc] 1" + kDot + "> next\n");
}

TEST_F(TraceTest, SourceLocationModes)
{
    // Mode 1 without a tag: no prefix at all.
    Mode(1);
    OwDTrace(1, "a");
    OwDTrace_SetPrefix("View", "view.cpp", 40);
    OwDTrace(1, "b");
    // Mode 2: the location follows the text, with a tag or without.
    Mode(2);
    OwDTrace(1, "c");
    OwDTrace_SetPrefix(nullptr, "doc.cpp", 7);
    OwDTrace(1, "d");
    // The suffix follows a BEL, so the line still ends and the BEL stays.
    OwDTrace(1, "e\a");
    // Any other mode: the tag only.
    Mode(5);
    OwDTrace_SetPrefix("T", "x.cpp", 1);
    OwDTrace(1, "f");
    EXPECT_EQ(Log(), QByteArray("> a\n"
                                "view.cpp(40) : [    View] > b\n"
                                "[    View] > c : view.cpp(40)\n"
                                "> d : doc.cpp(7)\n"
                                "> e\a : doc.cpp(7)\n"
                                "[       T] > f\n"));
}

TEST_F(TraceTest, TheLogFileChangesAtTheNextInit)
{
    OwDTrace(1, "one");
    const QString other = dir.filePath(QStringLiteral("other.log"));
    OwDTrace_SetLogFile(other.toUtf8().constData());
    EXPECT_EQ(Setting("LogFileName").GetStringValue(), other);
    OwDTrace(1, "two");
    EXPECT_EQ(Log(), "> one\n> two\n");
    OwDTrace_Init(false);
    OwDTrace(1, "three");
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "> three\n");

    // Init(false) keeps what the file holds; Init(true) empties it.
    OwDTrace_SetLogFile(log.toUtf8().constData());
    OwDTrace_Init(false);
    EXPECT_EQ(Log(), "> one\n> two\n");
    OwDTrace_Init(true);
    EXPECT_EQ(Log(), "");
}

TEST_F(TraceTest, WithoutASettingTheLogGoesToTheUsersStateFolder)
{
    Setting("LogFileName").DeleteValue();
    OwDTrace_Init(true);
    const QString path = Setting("LogFileName").GetStringValue();
    const QString state = qEnvironmentVariable("XDG_STATE_HOME", QDir::homePath() + QStringLiteral("/.local/state"));
    EXPECT_TRUE(path.startsWith(state + QStringLiteral("/Orrery Works/Debug "))) << path.toStdString();
    EXPECT_TRUE(path.endsWith(QStringLiteral(".log")));
    OwDTrace(1, "here");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "> here\n");
    f.close();
    QFile::remove(path);
}

TEST_F(TraceTest, TypedVariants)
{
    OwDTrace_Bool(1, "shown", true);
    OwDTrace_Point(1, "at", CPoint(3, -4));
    OwDTrace_Size(1, "size", CSize(640, 480));
    OwDTrace_Rect(1, "dest", CRect(10, 20, 110, 70));
    OwDTrace_Color(1, "ink", 0xFF8040ul);
    EXPECT_EQ(Log(), QByteArray("> shown Bool=true\n"
                                "> at Point: (3, -4)\n"
                                "> size Size: (640, 480)\n"
                                "> dest Rect: (10, 20)-(110, 70) (100, 50)\n"
                                "> ink Color: FF8040 (64, 128, 255)\n"));
    OwDTrace_Init(true);
    OwDTrace_Time(1);
    const QByteArray line = Log();
    EXPECT_TRUE(line.startsWith("> Time: ")) << line.toStdString();
    EXPECT_TRUE(line.contains(QByteArray::number(QDate::currentDate().year()))) << line.toStdString();
}

TEST_F(TraceTest, PercentSignsOutsideTheFormatAreWrittenAsTheyStand)
{
    // Taken as conversions, these would read arguments that were never
    // passed (garbage, or a crash for %s and %n).
    Mode(1);
    OwDTrace_SetPrefix("50%s", "c:\\%n%s.cpp", 3);
    OwDTrace(1, "ok");
    Mode(2);
    OwDTrace(1, "ok");
    Mode(0);
    OwDTrace_SetPrefix(nullptr, nullptr, 0);
    OwDTrace_Bool(1, "100% %s %n", false);
    OwDTrace_Point(1, "%d%%", CPoint(1, 2));
    EXPECT_EQ(Log(), QByteArray("c:\\%n%s.cpp(3) : [    50%s] > ok\n"
                                "[    50%s] > ok : c:\\%n%s.cpp(3)\n"
                                "> 100% %s %n Bool=false\n"
                                "> %d%% Point: (1, 2)\n"));
}

TEST_F(TraceTest, AnOverlongLineIsCutToTheBuffer)
{
    const std::string text(600, 'x');
    OwDTrace(1, "%s", text.c_str());
    const QByteArray written = Log();
    EXPECT_EQ(written.size(), kTraceLineBuffer - 1);
    EXPECT_FALSE(written.endsWith('\n'));
    EXPECT_TRUE(written.startsWith("> xxx"));
}

TEST_F(TraceTest, AMissingFolderDropsTheLineSilently)
{
    const QString lost = dir.filePath(QStringLiteral("no/such/folder/t.log"));
    OwDTrace_SetLogFile(lost.toUtf8().constData());
    OwDTrace_Init(true);
    OwDTrace(1, "lost");
    EXPECT_FALSE(QFile::exists(lost));
}

TEST_F(TraceTest, LinesOfManyThreadsStayWhole)
{
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 100; ++i)
                OwDTrace(1, "thread %d line %03d", t, i);
        });
    for (auto& t : threads)
        t.join();
    const QList<QByteArray> lines = Log().split('\n');
    ASSERT_EQ(lines.size(), 401); // and the empty piece after the last break
    for (int i = 0; i < 400; ++i)
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^> thread [0-3] line \\d{3}$"))
                        .match(QString::fromLatin1(lines[i]))
                        .hasMatch())
            << lines[i].toStdString();
}

TEST_F(TraceTest, TheModuleMacroIsSwitchedOffInThisBuild)
{
    static int s_nTraceLevel = 1;
    QFile::remove(log);
    OW_TRACE("compiled in? %d", s_nTraceLevel);
#if defined(OWDEBUG_TRACE) && OWDEBUG_TRACE
    EXPECT_TRUE(QFile::exists(log));
#else
    EXPECT_FALSE(QFile::exists(log));
#endif
}
