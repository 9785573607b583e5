// The view's layout: zoom and fit modes against screens and pages, the
// scroll range that follows, the zoom steps and the rounding rule.
#include "ViewFixture.h"

#include "viewer/frame/CMainFrame.h"

TEST(ViewRound, HalvesGoAwayFromZeroAndAZeroStepKeepsTheValue)
{
    EXPECT_EQ(CLumivueView::Round(2.5, 1), 3);
    EXPECT_EQ(CLumivueView::Round(-2.5, 1), -3);
    EXPECT_EQ(CLumivueView::Round(2.49, 1), 2);
    EXPECT_EQ(CLumivueView::Round(793.70, 1), 794);
    EXPECT_EQ(CLumivueView::Round(1122.52, 1), 1123);
    EXPECT_DOUBLE_EQ(CLumivueView::Round(7.3, 0), 7.3);
    EXPECT_DOUBLE_EQ(CLumivueView::Round(7.3, 0.5), 7.5);
    EXPECT_EQ(CLumivueView::Round(0, 1), 0);
}

TEST_F(ViewTest, PhysicalSizeOnScreensAndPages)
{
    CLumivueView* view = View(QSize(400, 300), false);
    // An A4 metafile at zoom 1 on a 96 dpi screen: 793.70 x 1122.52 pixels.
    Image(21000, 29700, 2540);
    view->m_dZoom = 1.0;
    EXPECT_TRUE(view->SetupRect(Page(QSize(1000, 1000), 96).get()));
    EXPECT_EQ(view->DestRect, CRect(0, 0, 794, 1123));
    EXPECT_EQ(view->m_sizePages, CSize(1, 2));

    // 800 x 600 pixels at 72 dpi are 11.1 x 8.3 inches: 1067 x 800 at 96 dpi.
    Image(800, 600, 72);
    EXPECT_TRUE(view->SetupRect(Page(QSize(2000, 2000), 96).get()));
    EXPECT_EQ(view->DestRect, CRect(0, 0, 1067, 800));

    // A destination 1000 wide on a page 400 wide spans 3 pages across.
    Image(1000, 100, 96);
    EXPECT_TRUE(view->SetupRect(Page(QSize(400, 400), 96).get()));
    EXPECT_EQ(view->m_sizePages, CSize(3, 1));
}

TEST_F(ViewTest, FitModesComputeTheirZoom)
{
    CLumivueView* view = View(QSize(400, 300), false);
    Image(800, 600, 96);
    doc->m_nFitOption = FIT_PAGE;
    EXPECT_TRUE(view->SetupRect(Page(QSize(500, 400), 96).get()));
    EXPECT_DOUBLE_EQ(view->m_dZoom, 0.625);
    EXPECT_EQ(view->DestRect, CRect(0, 0, 500, 375));

    doc->m_nFitOption = FIT_X;
    view->SetupRect(Page(QSize(1600, 100), 96).get());
    EXPECT_DOUBLE_EQ(view->m_dZoom, 2.0);
    EXPECT_EQ(view->DestRect, CRect(0, 0, 1600, 1200));
    EXPECT_EQ(view->m_sizePages, CSize(1, 12));

    doc->m_nFitOption = FIT_Y;
    view->SetupRect(Page(QSize(100, 300), 96).get());
    EXPECT_DOUBLE_EQ(view->m_dZoom, 0.5);

    // The default given width, 20.32 cm, is 8 inches: 768 pixels at 96 dpi.
    Image(21000, 29700, 2540);
    doc->m_nFitOption = FIT_GIVEN_X;
    view->SetupRect(Page(QSize(500, 400), 96).get());
    EXPECT_NEAR(view->m_dZoom, 0.967619, 1e-6);
    EXPECT_EQ(view->DestRect.Width(), 768);
    doc->m_nFitOption = FIT_GIVEN_Y;
    doc->m_sizeGiven.cy = 2970;
    view->SetupRect(Page(QSize(500, 400), 96).get());
    EXPECT_DOUBLE_EQ(view->m_dZoom, 1.0);

    // An unknown fit stretches the image over the page and keeps the zoom.
    doc->m_nFitOption = 7;
    view->m_dZoom = 1.75;
    EXPECT_TRUE(view->SetupRect(Page(QSize(640, 480), 96).get()));
    EXPECT_EQ(view->DestRect, CRect(0, 0, 640, 480));
    EXPECT_DOUBLE_EQ(view->m_dZoom, 1.75);
}

TEST_F(ViewTest, NothingToLayOut)
{
    CLumivueView* view = View(QSize(400, 300), false);
    // No image yet.
    EXPECT_FALSE(view->SetupRect(Page(QSize(500, 400), 96).get()));
    EXPECT_TRUE(view->DestRect.IsRectEmpty());
    // A fit mode on an empty page (a minimised window): zoom 0, no destination.
    Image(800, 600, 96);
    doc->m_nFitOption = FIT_PAGE;
    EXPECT_FALSE(view->SetupRect(Page(QSize(0, 0), 96).get()));
    EXPECT_EQ(view->m_dZoom, 0.0);
    EXPECT_TRUE(view->DestRect.IsRectEmpty());
    // The fitted zoom comes back with a page again.
    EXPECT_TRUE(view->SetupRect(Page(QSize(400, 300), 96).get()));
    EXPECT_DOUBLE_EQ(view->m_dZoom, 0.5);
    // A gigantic zoom stays within what a scroll range can hold.
    doc->m_nFitOption = FIT_ZOOM;
    Image(2000000000, 2000000000, 2540);
    view->m_dZoom = 100;
    EXPECT_TRUE(view->SetupRect(Page(QSize(400, 300), 96).get()));
    EXPECT_GT(view->DestRect.Width(), 0);
}

TEST_F(ViewTest, ZoomStepsAreAdditiveAndClamped)
{
    Image(800, 600, 96);
    CLumivueView* view = View(QSize(400, 300), false);
    view->m_dZoom = 99.9;
    view->ZoomIn();
    EXPECT_EQ(view->m_dZoom, 100.0);
    EXPECT_EQ(doc->m_nFitOption, FIT_ZOOM);
    view->m_dZoom = 0.30;
    view->ZoomOut();
    EXPECT_EQ(view->m_dZoom, 0.05);
    view->m_dZoom = 1.0;
    std::vector<double> steps;
    for (int i = 0; i < 4; ++i) {
        view->ZoomOut();
        steps.push_back(view->m_dZoom);
    }
    EXPECT_EQ(steps, (std::vector<double>{0.75, 0.5, 0.25, 0.05}));
}

TEST_F(ViewTest, TheClientAreaIsThePageOnScreen)
{
    Image(800, 600, 96);
    doc->m_nFitOption = FIT_PAGE;
    CLumivueView* view = View(QSize(500, 400));
    view->ApplyFitOption(FIT_PAGE);
    EXPECT_EQ(view->PageRect, CRect(0, 0, 500, 400));
    EXPECT_EQ(view->DestRect, CRect(0, 0, 500, 375));
    // Smaller than the client area: no bars, and centred vertically.
    EXPECT_EQ(view->GetTotalSize(), CSize(500, 375));
    EXPECT_EQ(view->GetPageSize(), CSize(500, 400));
    EXPECT_EQ(view->GetLineSize(), CSize(100, 80));
    CDC dc;
    view->OnPrepareDC(&dc);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 12));

    // Zoom 2 is larger: scroll bars, and the origin follows the scroll position.
    view->m_dZoom = 2.0;
    view->ApplyFitOption(FIT_ZOOM);
    EXPECT_EQ(view->GetTotalSize(), CSize(1600, 1200));
    EXPECT_TRUE(view->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(view->verticalScrollBar()->isVisible());
    view->ScrollToPosition(CPoint(5000, 30));
    const CRect client = view->GetClientRect();
    EXPECT_EQ(view->GetScrollPosition(), CPoint(1600 - client.Width(), 30));
    view->OnPrepareDC(&dc);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(-(1600 - client.Width()), -30));

    // A document without an image scrolls over (1, 1).
    doc->m_sizeImage = CSize(0, 0);
    view->UpdateScroll();
    EXPECT_EQ(view->GetTotalSize(), CSize(1, 1));
}

TEST_F(ViewTest, KeysScrollByLinesPagesAndEnds)
{
    Image(3000, 2000, 96);
    CLumivueView* view = View(QSize(400, 300));
    view->ApplyFitOption(FIT_ZOOM);
    const CRect client = view->GetClientRect();
    const CSize line = view->GetLineSize(), page = view->GetPageSize();
    auto key = [&](int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, qtKey, mods);
        QApplication::sendEvent(view, &press);
    };
    key(Qt::Key_Down);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, line.cy));
    key(Qt::Key_Right);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(line.cx, line.cy));
    key(Qt::Key_PageDown);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(line.cx, line.cy + page.cy));
    key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(line.cx + page.cx, line.cy + page.cy));
    key(Qt::Key_End);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(line.cx + page.cx, 2000 - client.Height()));
    key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 2000 - client.Height()));
    key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(3000 - client.Width(), 2000 - client.Height()));
    key(Qt::Key_Home);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(3000 - client.Width(), 0));

    // Keypad plus and minus zoom; the main keyboard's do nothing here.
    view->m_dZoom = 1.0;
    key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(view->m_dZoom, 1.25);
    key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(view->m_dZoom, 1.0);
    key(Qt::Key_Plus);
    key(Qt::Key_Minus);
    EXPECT_EQ(view->m_dZoom, 1.0);
}

TEST(ViewZoomText, TheStatusBarTruncatesToWholePercent)
{
    EXPECT_EQ(CMainFrame::ZoomText(2.5), "250 %");
    EXPECT_EQ(CMainFrame::ZoomText(0.3333), "33 %");
    EXPECT_EQ(CMainFrame::ZoomText(0.999), "99 %");
    EXPECT_EQ(CMainFrame::ZoomText(0), "0 %");
}

TEST(ViewZoomSetting, UnreadableOrTinyZoomsStartAtOne)
{
    EXPECT_EQ(CLumivueView::ZoomFromSetting(QString()), 1.0);
    EXPECT_EQ(CLumivueView::ZoomFromSetting(QStringLiteral("abc")), 1.0);
    EXPECT_EQ(CLumivueView::ZoomFromSetting(QStringLiteral("0.005")), 1.0);
    EXPECT_EQ(CLumivueView::ZoomFromSetting(QStringLiteral("1.5")), 1.5);
    EXPECT_EQ(CLumivueView::ZoomFromSetting(QStringLiteral(" 2.25x")), 2.25);
}
