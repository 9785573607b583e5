// The main window on a real X server: its menus, the splash window, and
// files dropped from a file manager.
#include "tests/common/EventLoop.h"
#include "StartupFixture.h"

#include "framework/frame/CMDIChildWnd.h"
#include "toolkit/COXSplashWnd.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/frame/CMainFrame.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

QStringList menuTitles(QMainWindow* w)
{
    QStringList out;
    for (QAction* a : w->menuBar()->actions())
        out << a->text();
    return out;
}

void settle(int ms = 200) { testenv::ProcessEventsFor(ms); }

} // namespace

TEST_F(StartupTest, MenusFollowTheActiveDocument)
{
    ASSERT_TRUE(Start({}));
    settle();
    ASSERT_TRUE(MainFrame()->isVisible());
    EXPECT_EQ(QApplication::platformName(), "xcb");
    EXPECT_EQ(menuTitles(MainFrame()), (QStringList{"&File", "&View", "&Help"}));

    ASSERT_NE(app->OpenDocumentFile(MakeFile("a.emf")), nullptr);
    settle();
    EXPECT_EQ(menuTitles(MainFrame()), (QStringList{"&File", "&Edit", "&View", "&Window", "&Help"}));
    // The maximised document window shows its title in brackets, the
    // restored one after a dash.
    EXPECT_EQ(MainFrame()->windowTitle(), "Lumivue - [a.emf]");
    MainFrame()->MDIGetActive()->showNormal();
    settle();
    EXPECT_EQ(MainFrame()->windowTitle(), "Lumivue - a.emf");

    app->CloseAllDocuments(false);
    settle();
    EXPECT_EQ(menuTitles(MainFrame()), (QStringList{"&File", "&View", "&Help"}));
    EXPECT_EQ(MainFrame()->windowTitle(), "Lumivue");
}

TEST_F(StartupTest, SplashIsShapedAndClosesItself)
{
    ASSERT_TRUE(Start({}));
    COXSplashWnd* splash = app->m_pSplashWnd;
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    // The border colour around the rounded panel is transparent; the panel is not.
    const QImage& img = splash->Image();
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(img.pixel(img.width() / 2, img.height() / 2)), 255);
    EXPECT_FALSE(splash->mask().isEmpty());
    settle(3400);
    EXPECT_TRUE(app->m_pSplashWnd.isNull());
}

TEST_F(StartupTest, DroppedFilesOpen)
{
    ASSERT_TRUE(Start({}));
    const QString a = MakeFile("a.png"), b = MakeFile("b.bmp");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl("https://example.org/c.emf")});
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: the application only passes a drop on while a
    // real drag is under way.
    static_cast<QObject*>(MainFrame())->event(&drop);
    EXPECT_TRUE(drop.isAccepted());
    const auto docs = Documents();
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[0]->m_strFileName, a);
    EXPECT_EQ(docs[1]->m_strFileName, b);
}
