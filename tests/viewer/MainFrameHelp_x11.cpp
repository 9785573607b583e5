// Help on a real X server: WinHelp's topics and its failure message, F1 on
// the frame and on a highlighted menu item, the context-help mode, and the
// help window's contents, pictures, links and history.
#include "tests/common/EventLoop.h"
#include "StartupFixture.h"

#include "framework/app/HelpIds.h"
#include "framework/cmd/CommandIds.h"
#include "platform/help/HtmlHelp.h"
#include "platform/help/HtmlHelpWindow.h"
#include "toolkit/COXCoolToolBar.h"
#include "viewer/frame/CMainFrame.h"
#include "viewer/resources/Resource.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

namespace {

void settle(int ms = 150) { testenv::ProcessEventsFor(ms); }

QString helpFile() { return testenv::BuildDir() + QStringLiteral("/bin/Lumivu.chm"); }

class HelpTest : public StartupTest {
protected:
    void SetUp() override
    {
        StartupTest::SetUp();
        ASSERT_TRUE(Start({}));
        app->m_pszHelpFilePath = helpFile();
        settle();
    }
    void TearDown() override
    {
        if (HtmlHelpWindow* w = HtmlHelpWindowInstance())
            w->hide();
        StartupTest::TearDown();
    }
    QString Topic() const { return HtmlHelpWindowInstance() ? HtmlHelpWindowInstance()->CurrentTopic() : QString(); }
};

} // namespace

TEST_F(HelpTest, FramesAndHelpTopicsOpenTheOverview)
{
    MainFrame()->WinHelp(HID_BASE_RESOURCE + IDR_MAINFRAME, HELP_CONTEXT);
    ASSERT_NE(HtmlHelpWindowInstance(), nullptr);
    EXPECT_TRUE(HtmlHelpWindowInstance()->isVisible());
    EXPECT_EQ(Topic(), "/overview.htm");
    EXPECT_EQ(CMainFrame::HelpTopic(HID_BASE_RESOURCE + IDR_PCXTYPE, HELP_CONTEXT), 1001u);
    EXPECT_EQ(CMainFrame::HelpTopic(HID_BASE_RESOURCE + 142, HELP_CONTEXT), HID_BASE_RESOURCE + 142);
    EXPECT_EQ(CMainFrame::HelpTopic(HID_BASE_COMMAND + ID_PREFERENCES, HELP_FINDER), 1001u);

    MainFrame()->WinHelp(HID_BASE_COMMAND + ID_PREFERENCES, HELP_CONTEXT);
    EXPECT_EQ(Topic(), "/topics/preferences.htm");
    // A dialog's Help button asks the application, which asks the main window.
    app->WinHelp(HID_BASE_RESOURCE + 143, HELP_CONTEXT);
    EXPECT_EQ(Topic(), "/topics/dlg_preferences.htm");
    ASSERT_TRUE(MainFrame()->SendCommand(ID_HELP_FINDER));
    EXPECT_EQ(Topic(), "/overview.htm");
    EXPECT_TRUE(testenv::Messages().empty());
}

TEST_F(HelpTest, MissingTopicShowsTheOverviewAndSaysWhich)
{
    MainFrame()->WinHelp(HID_BASE_COMMAND + 0xFFFF, HELP_CONTEXT);
    EXPECT_EQ(Topic(), "/overview.htm");
    ASSERT_EQ(testenv::Messages().size(), 1u);
    EXPECT_EQ(testenv::Messages()[0].text,
              QStringLiteral("Unable to load help file [%1], or the topic 0x1FFFF (131071) does not exist!").arg(helpFile()));
    EXPECT_EQ(testenv::Messages()[0].type & 0xF, UINT(MB_OK));

    testenv::ClearMessages();
    app->m_pszHelpFilePath = testenv::Home() + QStringLiteral("/none.chm");
    MainFrame()->WinHelp(HID_BASE_COMMAND + ID_PREFERENCES, HELP_CONTEXT);
    ASSERT_EQ(testenv::Messages().size(), 1u);
    EXPECT_TRUE(testenv::Messages()[0].text.endsWith("none.chm], or the topic 0x18002 (98306) does not exist!"));
}

TEST_F(HelpTest, F1OnTheFrameAndOnAHighlightedMenuItem)
{
    MainFrame()->activateWindow();
    settle();
    QTest::keyClick(MainFrame(), Qt::Key_F1);
    settle();
    EXPECT_EQ(Topic(), "/overview.htm");
    HtmlHelpWindowInstance()->hide();

    QMenu* file = MainFrame()->menuBar()->actions().at(0)->menu();
    ASSERT_NE(file, nullptr);
    QCursor::setPos(1200, 1000); // away from the menu, which the pointer would highlight
    file->popup(QPoint(20, 20));
    settle();
    for (QAction* a : file->actions())
        if (a->data().toUInt() == ID_FILE_PRINT_SETUP)
            file->setActiveAction(a);
    ASSERT_NE(file->activeAction(), nullptr);
    QTest::keyClick(file, Qt::Key_F1);
    settle();
    EXPECT_FALSE(file->isVisible());
    EXPECT_EQ(Topic(), "/topics/print_setup.htm");
}

TEST_F(HelpTest, ContextHelpModeAsksTheNextClick)
{
    MainFrame()->activateWindow();
    settle();
    QTest::keyClick(MainFrame(), Qt::Key_F1, Qt::ShiftModifier);
    settle();
    ASSERT_TRUE(MainFrame()->IsInContextHelp());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WhatsThisCursor);
    COXCoolToolBar* tb = MainFrame()->GetToolBar();
    QWidget* zoomIn = tb->widgetForAction(tb->FindButton(ID_ZOOM_IN));
    QTest::mouseClick(zoomIn, Qt::LeftButton);
    settle();
    EXPECT_FALSE(MainFrame()->IsInContextHelp());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Topic(), "/topics/zoom_in.htm");

    // Escape leaves the mode without help.
    HtmlHelpWindowInstance()->hide();
    ASSERT_TRUE(MainFrame()->SendCommand(ID_CONTEXT_HELP));
    QTest::keyClick(MainFrame(), Qt::Key_Escape);
    EXPECT_FALSE(MainFrame()->IsInContextHelp());
    EXPECT_FALSE(HtmlHelpWindowInstance()->isVisible());
}

TEST_F(HelpTest, WindowShowsContentsPicturesLinksAndHistory)
{
    MainFrame()->WinHelp(1001, HELP_CONTEXT);
    HtmlHelpWindow* w = HtmlHelpWindowInstance();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Lumivue Help - Lumivue");
    QTreeWidget* tree = w->ContentsTree();
    ASSERT_GE(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Lumivue");
    EXPECT_GE(tree->topLevelItem(0)->childCount(), 10);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));

    // The overview's picture comes from the help file.
    QTextBrowser* b = w->Browser();
    const QVariant picture = b->loadResource(QTextDocument::ImageResource, b->source().resolved(QUrl("images/lumivue.svg")));
    EXPECT_FALSE(picture.toByteArray().isEmpty());

    // A link to another topic, then back and forward.
    b->setSource(b->source().resolved(QUrl("zoom.htm")));
    settle();
    EXPECT_EQ(Topic(), "/zoom.htm");
    EXPECT_TRUE(b->toPlainText().contains("Fit to Page"));
    EXPECT_EQ(tree->currentItem()->text(0), "Fit modes and zoom");
    b->backward();
    EXPECT_EQ(Topic(), "/overview.htm");
    b->forward();
    EXPECT_EQ(Topic(), "/zoom.htm");

    // A command topic leads back into the guide.
    ASSERT_TRUE(w->ShowContext(HID_BASE_COMMAND + ID_ZOOM_TO));
    b->setSource(b->source().resolved(QUrl("../zoom.htm")));
    EXPECT_EQ(Topic(), "/zoom.htm");
}
