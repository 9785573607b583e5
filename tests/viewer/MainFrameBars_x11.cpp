// The main frame's decorations on a real X server: status bar panes and the
// zoom pane, the toolbar, menu images, View > Toolbar / Status Bar, the
// accelerators and the document tabs.
#include "tests/common/EventLoop.h"
#include "StartupFixture.h"

#include "framework/cmd/CommandIds.h"
#include "framework/frame/CMDIChildWnd.h"
#include "tests/common/ModalDialog.h"
#include "toolkit/COXCoolToolBar.h"
#include "toolkit/COXStatusBar.h"
#include "toolkit/COXTabClientWnd.h"
#include "viewer/frame/CMainFrame.h"
#include "viewer/resources/Resource.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

namespace {

void settle(int ms = 150) { testenv::ProcessEventsFor(ms); }

QMenu* popup(QMainWindow* w, const QString& title)
{
    for (QAction* a : w->menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

QAction* item(QMenu* menu, UINT id)
{
    for (QAction* a : menu->actions())
        if (a->data().toUInt() == id)
            return a;
    return nullptr;
}

// Opens a popup as the user does, so that its items are brought up to date.
void openAndClose(QMenu* menu)
{
    menu->popup(QPoint(10, 10));
    settle(60);
    menu->close();
}

} // namespace

TEST_F(StartupTest, CreationBuildsBarsAndImagesInOrder)
{
    ASSERT_TRUE(Start({}));
    settle();
    CMainFrame* f = MainFrame();
    COXStatusBar* sb = f->GetStatusBar();
    ASSERT_NE(sb, nullptr);
    EXPECT_EQ(f->statusBar(), sb);
    ASSERT_EQ(sb->GetCount(), 2);
    EXPECT_EQ(sb->GetItemID(0), 0u);
    EXPECT_EQ(sb->GetItemID(1), UINT(ID_INDICATOR_ZOOM));
    EXPECT_EQ(sb->GetPaneText(0), "Ready");
    // The zoom pane is as wide as its string of 15 spaces.
    QLabel* zoom = sb->GetPane(1);
    EXPECT_EQ(zoom->objectName(), "zoomPane");
    EXPECT_EQ(zoom->property("id").toUInt(), UINT(ID_INDICATOR_ZOOM));
    EXPECT_GE(zoom->width(), zoom->fontMetrics().horizontalAdvance(QString(15, ' ')));
    EXPECT_EQ(zoom->text(), "100 %");

    COXCoolToolBar* tb = f->GetToolBar();
    ASSERT_NE(tb, nullptr);
    const std::vector<UINT> order{ID_FILE_OPEN, 0, ID_FIT_X, ID_FIT_Y, ID_FIT_PAGE, 0, ID_ZOOM_IN, ID_ZOOM_OUT,
                                  ID_ZOOM_TO, 0, ID_REFRESH, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, 0,
                                  ID_APP_ABOUT, ID_CONTEXT_HELP};
    EXPECT_EQ(tb->ButtonIds(), order);
    EXPECT_EQ(tb->windowTitle(), "Toolbar");
    EXPECT_EQ(tb->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_TRUE(tb->isFloatable());
    EXPECT_EQ(f->toolBarArea(tb), Qt::TopToolBarArea);
    // Tooltip: after the line break; fly-by prompt: before it.
    EXPECT_EQ(tb->FindButton(ID_ZOOM_IN)->toolTip(), "Zoom In");
    EXPECT_EQ(tb->FindButton(ID_ZOOM_IN)->statusTip(), "Zoom in on the image");
    EXPECT_EQ(tb->FindButton(ID_FIT_X)->toolTip(), "Fit Horizontally");
    EXPECT_EQ(tb->widgetForAction(tb->FindButton(ID_FILE_OPEN))->accessibleName(), "Open");
    // Without a document the view commands are greyed, Open is not.
    EXPECT_TRUE(tb->FindButton(ID_FILE_OPEN)->isEnabled());
    EXPECT_FALSE(tb->FindButton(ID_ZOOM_IN)->isEnabled());

    // The toolbar's images first, then the table's 22 in their order.
    const auto& images = f->GetMenuOrganizer().GetCommandOrder();
    ASSERT_EQ(images.size(), 12u + 22u);
    const std::vector<UINT> table{ID_FILE_SAVE_AS, 32789, ID_FILE_CLOSE, ID_EDIT_COPY, ID_FILE_SEND_MAIL,
                                  ID_PREFERENCES, ID_FILE_PRINT_SETUP, ID_APP_EXIT, ID_CAPTURE_WINDOW,
                                  ID_CAPTURE_REGION, ID_FIT_GIVEN_X, ID_FIT_GIVEN_Y, 32786, 32787, 32788,
                                  ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT,
                                  ID_WINDOW_ARRANGE, ID_WINDOW_SPLIT, ID_HELP_FINDER};
    EXPECT_EQ(std::vector<UINT>(images.begin() + 12, images.end()), table);
    EXPECT_FALSE(item(popup(f, "&File"), ID_PREFERENCES)->icon().isNull());
    EXPECT_TRUE(item(popup(f, "&View"), ID_VIEW_TOOLBAR)->icon().isNull());

    EXPECT_TRUE(f->GetTabClient()->IsAttached());
    EXPECT_EQ(f->GetTabClient()->GetTabCtrl()->shape(), QTabBar::RoundedSouth);
    EXPECT_TRUE(f->GetTaskbarIcon().IconPart() != nullptr);
}

TEST_F(StartupTest, DocumentMenuGetsImagesAndPrompts)
{
    ASSERT_TRUE(Start({}));
    ASSERT_NE(app->OpenDocumentFile(MakeFile("a.emf")), nullptr);
    settle();
    QMenu* window = popup(MainFrame(), "&Window");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(item(window, ID_WINDOW_SPLIT)->icon().isNull());
    EXPECT_FALSE(item(popup(MainFrame(), "&View"), ID_ZOOM_IN)->icon().isNull());
    EXPECT_EQ(item(window, ID_WINDOW_SPLIT)->statusTip(), "Split the active window into panes");
    EXPECT_EQ(item(popup(MainFrame(), "&File"), ID_FILE_CLOSE)->statusTip(), "Close the active document window");
}

TEST_F(StartupTest, FlyByPromptFollowsTheMouse)
{
    ASSERT_TRUE(Start({}));
    settle();
    COXCoolToolBar* tb = MainFrame()->GetToolBar();
    QWidget* open = tb->widgetForAction(tb->FindButton(ID_FILE_OPEN));
    QTest::mouseMove(open, open->rect().center());
    settle(300);
    EXPECT_EQ(MainFrame()->statusBar()->currentMessage(), "Open an existing image");
    QTest::mouseMove(MainFrame()->MDIGetClient(), QPoint(200, 200));
    settle(300);
    EXPECT_EQ(MainFrame()->statusBar()->currentMessage(), "");
    EXPECT_TRUE(MainFrame()->GetStatusBar()->GetPane(0)->isVisible());
}

TEST_F(StartupTest, ViewMenuShowsHidesAndChecksTheBars)
{
    ASSERT_TRUE(Start({}));
    settle();
    CMainFrame* f = MainFrame();
    QMenu* view = popup(f, "&View");
    openAndClose(view);
    EXPECT_TRUE(item(view, ID_VIEW_TOOLBAR)->isChecked());
    EXPECT_TRUE(item(view, ID_VIEW_STATUS_BAR)->isChecked());

    item(view, ID_VIEW_TOOLBAR)->trigger();
    item(view, ID_VIEW_STATUS_BAR)->trigger();
    settle();
    EXPECT_FALSE(f->GetToolBar()->isVisible());
    EXPECT_FALSE(f->GetStatusBar()->isVisible());
    openAndClose(view);
    EXPECT_FALSE(item(view, ID_VIEW_TOOLBAR)->isChecked());
    EXPECT_FALSE(item(view, ID_VIEW_STATUS_BAR)->isChecked());

    item(view, ID_VIEW_TOOLBAR)->trigger();
    settle();
    EXPECT_TRUE(f->GetToolBar()->isVisible());
    openAndClose(view);
    EXPECT_TRUE(item(view, ID_VIEW_TOOLBAR)->isChecked());
}

TEST_F(StartupTest, EveryAcceleratorReachesItsCommand)
{
    ASSERT_TRUE(Start({}));
    ASSERT_NE(app->OpenDocumentFile(MakeFile("a.png")), nullptr);
    settle();
    CMainFrame* f = MainFrame();
    f->activateWindow();
    settle();
    QSignalSpy spy(f, &CMDIFrameWnd::acceleratorActivated);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        UINT id;
    } keys[] = {
        {Qt::Key_C, Qt::ControlModifier, ID_EDIT_COPY}, {Qt::Key_Insert, Qt::ControlModifier, ID_EDIT_COPY},
        {Qt::Key_V, Qt::ControlModifier, ID_EDIT_PASTE}, {Qt::Key_Insert, Qt::ShiftModifier, ID_EDIT_PASTE},
        {Qt::Key_X, Qt::ControlModifier, ID_EDIT_CUT}, {Qt::Key_Delete, Qt::ShiftModifier, ID_EDIT_CUT},
        {Qt::Key_Backspace, Qt::AltModifier, ID_EDIT_UNDO}, {Qt::Key_F2, Qt::NoModifier, ID_FIT_X},
        {Qt::Key_F3, Qt::NoModifier, ID_FIT_Y}, {Qt::Key_F4, Qt::NoModifier, ID_FIT_PAGE},
        {Qt::Key_F5, Qt::NoModifier, ID_REFRESH}, {Qt::Key_F6, Qt::NoModifier, ID_NEXT_PANE},
        {Qt::Key_F6, Qt::ShiftModifier, ID_PREV_PANE}, {Qt::Key_F5, Qt::ShiftModifier, ID_WINDOW_CASCADE},
        {Qt::Key_F4, Qt::ShiftModifier, ID_WINDOW_TILE_HORZ},
        {Qt::Key_F4, Qt::ControlModifier | Qt::ShiftModifier, ID_WINDOW_TILE_VERT},
    };
    for (const auto& k : keys) {
        spy.clear();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : f, k.key, k.mods);
        settle(40);
        ASSERT_EQ(spy.size(), 1) << QKeySequence(k.key | k.mods).toString().toStdString();
        EXPECT_EQ(spy.at(0).at(0).toUInt(), k.id) << QKeySequence(k.key | k.mods).toString().toStdString();
    }
}

TEST_F(StartupTest, ZoomPaneTruncatesThePercentage)
{
    ASSERT_TRUE(Start({}));
    CMainFrame* f = MainFrame();
    QLabel* pane = f->statusBar()->findChild<QLabel*>(QStringLiteral("zoomPane"));
    const struct {
        double zoom;
        const char* text;
    } cases[] = {{2.5, "250 %"}, {0.3333, "33 %"}, {0.999, "99 %"}, {1.0, "100 %"}, {0.05, "5 %"}};
    for (const auto& c : cases) {
        f->SetZoomFactor(c.zoom);
        EXPECT_EQ(pane->text(), c.text);
        EXPECT_EQ(pane->accessibleName(), c.text);
        EXPECT_DOUBLE_EQ(f->GetZoomFactor(), c.zoom);
    }
    // The last value stays when the last document goes.
    ASSERT_NE(app->OpenDocumentFile(MakeFile("a.emf")), nullptr);
    settle();
    app->CloseAllDocuments(false);
    settle();
    EXPECT_EQ(pane->text(), CMainFrame::ZoomText(f->GetZoomFactor()));
}

TEST_F(StartupTest, DoubleClickOnZoomPaneAsksForTheZoom)
{
    ASSERT_TRUE(Start({}));
    settle();
    QLabel* pane = MainFrame()->statusBar()->findChild<QLabel*>(QStringLiteral("zoomPane"));
    // Without a document window nothing happens, and the notification is handled.
    QTest::mouseDClick(pane, Qt::LeftButton);
    settle();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(MainFrame()->OnPaneNotify(ID_INDICATOR_ZOOM), 1);
    EXPECT_EQ(MainFrame()->OnPaneNotify(0), 1);

    ASSERT_NE(app->OpenDocumentFile(MakeFile("a.emf")), nullptr);
    settle();
    bool asked = false;
    testenv::OnNextModal([&](QDialog* d) {
        asked = true;
        d->reject();
    });
    QTest::mouseDClick(pane, Qt::LeftButton);
    settle();
    EXPECT_TRUE(asked);
}

TEST_F(StartupTest, TabsFollowTheDocumentWindows)
{
    ASSERT_TRUE(Start({}));
    CMainFrame* f = MainFrame();
    QTabBar* tabs = f->GetTabClient()->GetTabCtrl();
    settle();
    EXPECT_FALSE(tabs->isVisible());
    ASSERT_NE(app->OpenDocumentFile(MakeFile("a.emf")), nullptr);
    ASSERT_NE(app->OpenDocumentFile(MakeFile("b.bmp")), nullptr);
    settle();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_TRUE(tabs->isVisible());
    EXPECT_EQ(tabs->tabText(0), "a.emf");
    EXPECT_EQ(tabs->tabText(1), "b.bmp");
    EXPECT_FALSE(tabs->tabIcon(0).isNull());
    EXPECT_EQ(tabs->currentIndex(), 1);

    // A click on a tab activates its window.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    settle();
    ASSERT_NE(f->MDIGetActive(), nullptr);
    EXPECT_EQ(f->MDIGetActive()->windowTitle(), "a.emf");
    EXPECT_EQ(tabs->currentIndex(), 0);

    // Activating a window from the Window menu moves the current tab.
    f->MDINext();
    settle();
    EXPECT_EQ(tabs->currentIndex(), 1);

    // File > Close takes the active window and its tab away.
    f->SendCommand(ID_FILE_CLOSE);
    settle();
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "a.emf");
    EXPECT_EQ(Documents().size(), 1u);
}

TEST_F(StartupTest, EveryFileOfTheCommandLineOpens)
{
    const QString a = MakeFile("a.emf"), b = MakeFile("b.wmf"), c = MakeFile("c.png");
    ASSERT_TRUE(Start({a, b, c}));
    settle();
    EXPECT_EQ(Documents().size(), 3u);
    EXPECT_EQ(MainFrame()->GetTabClient()->GetTabCtrl()->count(), 3);
}

TEST_F(StartupTest, MenusCarryTheirTextsIdsAndChecks)
{
    ASSERT_TRUE(Start({}));
    settle();
    auto items = [](QMenu* m) {
        QStringList out;
        for (QAction* a : m->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : QStringLiteral("%1=%2").arg(a->text()).arg(a->data().toUInt()));
        return out;
    };
    CMainFrame* f = MainFrame();
    EXPECT_EQ(items(popup(f, "&View")), (QStringList{"&Toolbar=59392", "&Status Bar=59393"}));
    EXPECT_EQ(items(popup(f, "&Help")),
              (QStringList{"&Help Topics=57667", "Help Using...=57669", "-", "&About Lumivu...=57664"}));
    QMenu* file = popup(f, "&File");
    openAndClose(file);
    EXPECT_EQ(items(file).first(), "&Open...\tCtrl+O=57601");
    EXPECT_EQ(items(file).last(), "E&xit\tAlt-F4=57665");

    // The document menu's View popup checks the bars as the main menu does.
    ASSERT_NE(app->OpenDocumentFile(MakeFile("a.emf")), nullptr);
    settle();
    ASSERT_TRUE(f->SendCommand(ID_VIEW_STATUS_BAR));
    QMenu* view = popup(f, "&View");
    openAndClose(view);
    EXPECT_TRUE(item(view, ID_VIEW_TOOLBAR)->isChecked());
    EXPECT_FALSE(item(view, ID_VIEW_STATUS_BAR)->isChecked());
    EXPECT_EQ(item(view, ID_ZOOM_TO)->text(), "&Zoom To...\tCtrl+Z");
}
