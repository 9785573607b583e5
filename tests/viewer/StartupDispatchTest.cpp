// The command line's shell requests: their order, what each opens or
// prints, and when start-up ends.
#include "StartupFixture.h"

#include <QFileInfo>
#include <QPrinter>

#include "framework/cmd/CommandIds.h"
#include "framework/doc/CDocManager.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/frame/CMainFrame.h"

using Cmd = CCommandLineInfo;

TEST_F(StartupTest, NoArgumentsOpensNothingAndShowsTheWindow)
{
    ASSERT_TRUE(Start({}));
    EXPECT_TRUE(app->calls.empty());
    EXPECT_TRUE(Documents().empty());
    ASSERT_NE(MainFrame(), nullptr);
    EXPECT_TRUE(MainFrame()->isVisible());
}

TEST_F(StartupTest, RequestsRunInTheirFixedOrder)
{
    // Whatever the order on the command line: DDE, then the Open values,
    // then the parser's own file name.
    ASSERT_TRUE(Start({"x.emf", "-Open", "a.emf", "b.wmf", "-DDE"}, [](RecordingApp& a) { a.recordOnly = true; }));
    const std::vector<ShellCall> expected{
        {Cmd::FileDDE, "x.emf"}, {Cmd::FileOpen, "a.emf"}, {Cmd::FileOpen, "b.wmf"}, {Cmd::FileOpen, "x.emf"}};
    EXPECT_EQ(app->calls, expected);
}

TEST_F(StartupTest, OptionNamesIgnoreCaseAndUndefinedOnesAreIgnored)
{
    ASSERT_TRUE(Start({"-bogus", "/oPeN", "a.emf", "--dde"}, [](RecordingApp& a) { a.recordOnly = true; }));
    const std::vector<ShellCall> expected{{Cmd::FileDDE, ""}, {Cmd::FileOpen, "a.emf"}};
    EXPECT_EQ(app->calls, expected);
}

TEST_F(StartupTest, OpenWithTwoFilesAndAFileNameOpensThreeInOrder)
{
    const QString a = MakeFile("a.emf"), b = MakeFile("b.wmf"), x = MakeFile("x.png");
    ASSERT_TRUE(Start({x, "-Open", a, b}));
    const std::vector<ShellCall> expected{{Cmd::FileOpen, a}, {Cmd::FileOpen, b}, {Cmd::FileOpen, x}};
    EXPECT_EQ(app->calls, expected);
    const auto docs = Documents();
    ASSERT_EQ(docs.size(), 3u);
    EXPECT_EQ(docs[0]->m_strFileName, a);
    EXPECT_EQ(docs[1]->m_strFileName, b);
    EXPECT_EQ(docs[2]->m_strFileName, x);
    // Document numbers count from 1 in opening order.
    EXPECT_EQ(docs[0]->m_nDocNumber, 1);
    EXPECT_EQ(docs[2]->m_nDocNumber, 3);
}

TEST_F(StartupTest, DdeComesFirstThenTheListedDocuments)
{
    const QString a = MakeFile("a.emf"), b = MakeFile("b.emf");
    ASSERT_TRUE(Start({"-Open", a, b, "-dde"}));
    ASSERT_EQ(app->calls.size(), 3u);
    EXPECT_EQ(app->calls[0].command, Cmd::FileDDE);
    EXPECT_EQ(app->calls[1], (ShellCall{Cmd::FileOpen, a}));
    EXPECT_EQ(app->calls[2], (ShellCall{Cmd::FileOpen, b}));
    EXPECT_EQ(Documents().size(), 2u);
    // The window waits hidden for the shell; the loop shows it when nothing else does.
    EXPECT_EQ(app->m_nCmdShow, SW_HIDE);
    EXPECT_FALSE(MainFrame()->isVisible());
}

TEST_F(StartupTest, PrintPrintsEachFileInOrderThenEnds)
{
    const QString a = MakeFile("a.emf"), b = MakeFile("b.emf");
    // The printer writes a PDF here, so the test needs no print queue.
    const QString pdf = testenv::Home() + "/printed.pdf";
    QFile::remove(pdf);
    EXPECT_FALSE(Start({"-Print", a, b, "-Open", MakeFile("c.emf")}, [&](RecordingApp& a) {
        a.GetPrinter()->setOutputFormat(QPrinter::PdfFormat);
        a.GetPrinter()->setOutputFileName(pdf);
    }));
    const std::vector<ShellCall> expected{{Cmd::FilePrint, a}, {Cmd::FilePrint, b}};
    EXPECT_EQ(app->calls, expected);
    const auto docs = Documents();
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[0]->m_strFileName, a);
    EXPECT_EQ(docs[1]->m_strFileName, b);
    EXPECT_FALSE(MainFrame()->isVisible());
    // Each document was printed, without a dialog and without a failure.
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
    EXPECT_EQ(app->m_nExitCode, 0);
    EXPECT_TRUE(testenv::Messages().empty());
}

TEST_F(StartupTest, PrintWithoutAPrinterEndsWithAFailureStatus)
{
    EXPECT_FALSE(Start({"-Print", MakeFile("a.emf")}, [](RecordingApp& a) {
        // A printer that has nowhere to send the job.
        a.GetPrinter()->setOutputFormat(QPrinter::PdfFormat);
        a.GetPrinter()->setOutputFileName(QString());
    }));
    EXPECT_EQ(app->m_nExitCode, 1);
    EXPECT_TRUE(testenv::Messages().empty());
}

TEST_F(StartupTest, AFileThatCannotBeOpenedIsReportedAndStartupGoesOn)
{
    const QString missing = testenv::Home() + "/files/missing.emf";
    const QString good = MakeFile("good.emf");
    ASSERT_TRUE(Start({"-Open", missing, good, "-Bogus"}));
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_EQ(Documents()[0]->m_strFileName, good);
    ASSERT_FALSE(testenv::Messages().empty());
    EXPECT_EQ(testenv::Messages()[0].text, missing + " was not found.");
    EXPECT_TRUE(MainFrame()->isVisible());
}

TEST_F(StartupTest, AFrameworkExceptionIsReportedAndStartupGoesOn)
{
    EXPECT_TRUE(Start({MakeFile("a.emf")}, [](RecordingApp& a) { a.throwOnCommand = true; }));
    ASSERT_EQ(testenv::Messages().size(), 1u);
    EXPECT_EQ(testenv::Messages()[0].text, "/no/such/place could not be accessed.");
    EXPECT_TRUE(testenv::Messages()[0].type & MB_ICONERROR);
    // What was set up before the failure stays: the main window and the templates.
    ASSERT_NE(MainFrame(), nullptr);
    EXPECT_EQ(app->m_pDocManager->GetTemplates().size(), 11u);
}
