// Document windows and the workspace on a real X server: the dynamic
// splitter with its panes, moving between panes, and the bars' layout
// across a restart.
#include "tests/common/EventLoop.h"
#include "StartupFixture.h"

#include "framework/cmd/CommandIds.h"
#include "framework/doc/CDocument.h"
#include "framework/frame/CMDIChildWnd.h"
#include "framework/view/CView.h"
#include "toolkit/COXCoolToolBar.h"
#include "toolkit/COXStatusBar.h"
#include "viewer/frame/CChildFrame.h"
#include "viewer/frame/CMainFrame.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QProcess>
#include <QTest>

namespace {

void settle(int ms = 150) { testenv::ProcessEventsFor(ms); }

void drag(QWidget* w, QPoint from, QPoint to)
{
    QTest::mousePress(w, Qt::LeftButton, {}, from);
    for (int i = 1; i <= 8; ++i) {
        const QPoint p = from + (to - from) * i / 8;
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    QTest::mouseRelease(w, Qt::LeftButton, {}, to);
}

// A drag with the real pointer of the X server, as a user's hand makes it.
bool realDrag(QPoint from, QPoint to)
{
    QStringList args{"mousemove", QString::number(from.x()), QString::number(from.y()), "mousedown", "1"};
    for (int i = 1; i <= 6; ++i) {
        const QPoint p = from + (to - from) * i / 6;
        args << "sleep" << "0.05" << "mousemove" << QString::number(p.x()) << QString::number(p.y());
    }
    args << "sleep" << "0.1" << "mouseup" << "1";
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), args);
    if (!xdotool.waitForStarted(5000))
        return false;
    while (xdotool.state() != QProcess::NotRunning)
        settle(20);
    return xdotool.exitCode() == 0;
}

} // namespace

TEST_F(StartupTest, SplitFollowsTheMouseAndEachPaneShowsTheDocument)
{
    WriteSetting("Settings/MaximizeChildren", 1);
    ASSERT_TRUE(Start({}));
    CDocument* doc = app->OpenDocumentFile(MakeFile("a.emf"));
    ASSERT_NE(doc, nullptr);
    settle();
    auto* child = dynamic_cast<CChildFrame*>(MainFrame()->MDIGetActive());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->m_dwStyle, 0x50CF8000u);
    EXPECT_TRUE(child->isMaximized());
    CSplitterWnd* split = child->GetSplitter();
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(split->GetViews().size(), 1u);
    EXPECT_EQ(doc->GetViews().size(), 1u);
    // Below the minimum pane size nothing splits.
    EXPECT_FALSE(split->SplitAt(5, 5));

    // Window > Split: the tracker follows the arrow keys; Enter places it.
    ASSERT_TRUE(MainFrame()->SendCommand(ID_WINDOW_SPLIT));
    EXPECT_TRUE(split->IsTracking());
    QTest::keyClick(split, Qt::Key_Left);
    QTest::keyClick(split, Qt::Key_Return);
    settle();
    EXPECT_FALSE(split->IsTracking());
    EXPECT_EQ(split->GetRowCount(), 2);
    EXPECT_EQ(split->GetColumnCount(), 2);
    ASSERT_EQ(split->GetViews().size(), 4u);
    EXPECT_EQ(doc->GetViews().size(), 4u);
    for (CView* v : split->GetViews()) {
        EXPECT_EQ(v->GetDocument(), doc);
        EXPECT_GE(v->width(), 10);
        EXPECT_GE(v->height(), 10);
        EXPECT_EQ(v->GetParentFrame(), child);
    }
    // Fully split: the command is greyed.
    EXPECT_FALSE(MainFrame()->QueryCommand(ID_WINDOW_SPLIT).m_enabled);

    // F6 and Shift+F6 walk the panes.
    const auto views = split->GetViews();
    child->SetActiveView(views[0]);
    views[0]->setFocus();
    settle();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    settle(40);
    EXPECT_EQ(child->GetActiveView(), views[1]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    settle(40);
    EXPECT_EQ(child->GetActiveView(), views[3]);

    // Dragging the vertical bar to the edge removes the right-hand column.
    const QPoint bar(split->SplitPosition().x() + 2, 5);
    drag(split, bar, QPoint(2, 5));
    settle();
    EXPECT_EQ(split->GetColumnCount(), 1);
    EXPECT_EQ(split->GetRowCount(), 2);
    EXPECT_EQ(doc->GetViews().size(), 2u);
    EXPECT_NE(child->GetActiveView(), nullptr);

    // Escape ends a split without changing anything.
    ASSERT_TRUE(MainFrame()->SendCommand(ID_WINDOW_SPLIT));
    QTest::keyClick(split, Qt::Key_Escape);
    EXPECT_FALSE(split->IsTracking());
    EXPECT_EQ(split->GetColumnCount(), 1);
}

TEST_F(StartupTest, ChildrenOpenAtDefaultSizeWhenNotMaximized)
{
    WriteSetting("Settings/MaximizeChildren", 0);
    ASSERT_TRUE(Start({}));
    ASSERT_NE(app->OpenDocumentFile(MakeFile("a.emf")), nullptr);
    settle();
    ASSERT_NE(MainFrame()->MDIGetActive(), nullptr);
    EXPECT_FALSE(MainFrame()->MDIGetActive()->isMaximized());
}

TEST_F(StartupTest, BarsLayoutSurvivesARestart)
{
    // Floating, as the user drags it off by its handle.
    ASSERT_TRUE(Start({}));
    settle();
    COXCoolToolBar* tb = MainFrame()->GetToolBar();
    ASSERT_TRUE(realDrag(tb->mapToGlobal(QPoint(4, tb->height() / 2)), tb->mapToGlobal(QPoint(400, 300))));
    settle();
    ASSERT_TRUE(tb->isFloating());
    EXPECT_EQ(tb->windowTitle(), "Toolbar");
    MainFrame()->close();
    settle();
    TearDown();

    ASSERT_TRUE(Start({}));
    settle();
    CMainFrame* f = MainFrame();
    EXPECT_TRUE(f->GetToolBar()->isFloating());
    EXPECT_TRUE(f->GetToolBar()->isVisible());

    // Docked on the left, the status bar hidden.
    f->addToolBar(Qt::LeftToolBarArea, f->GetToolBar());
    ASSERT_TRUE(f->SendCommand(ID_VIEW_STATUS_BAR));
    settle();
    f->close();
    settle();
    TearDown();

    ASSERT_TRUE(Start({}));
    settle();
    f = MainFrame();
    EXPECT_FALSE(f->GetToolBar()->isFloating());
    EXPECT_EQ(f->toolBarArea(f->GetToolBar()), Qt::LeftToolBarArea);
    EXPECT_FALSE(f->GetStatusBar()->isVisible());

    // Hidden.
    ASSERT_TRUE(f->SendCommand(ID_VIEW_TOOLBAR));
    ASSERT_TRUE(f->SendCommand(ID_VIEW_STATUS_BAR));
    f->close();
    settle();
    TearDown();

    ASSERT_TRUE(Start({}));
    settle();
    EXPECT_FALSE(MainFrame()->GetToolBar()->isVisible());
    EXPECT_TRUE(MainFrame()->GetStatusBar()->isVisible());
}

TEST_F(StartupTest, MaximizedMainWindowComesBackMaximized)
{
    WriteSetting("Settings/PersistentPos", 1);
    ASSERT_TRUE(Start({}));
    MainFrame()->showMaximized();
    settle();
    ASSERT_TRUE(MainFrame()->isMaximized());
    MainFrame()->close();
    settle();
    TearDown();
    ASSERT_TRUE(Start({}));
    settle();
    EXPECT_TRUE(MainFrame()->isMaximized());
}
