// The painting thread: what it draws, how a stop or a scroll interrupts it,
// how views of one document take turns, and the events that tie them.
#include "ViewFixture.h"

#include "framework/thread/CWinThread.h"
#include "platform/sync/NamedEvent.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

namespace {

// A metafile whose only drawing fills its whole frame.
QByteArray Filled(COLORREF color)
{
    EmfBuilder b(RECT(0, 0, 10000, 10000));
    b.Record(39, {1, 0, color, 0});          // EMR_CREATEBRUSHINDIRECT: solid
    b.Record(37, {1});                       // EMR_SELECTOBJECT
    b.Record(37, {0x80000008});              // EMR_SELECTOBJECT: NULL_PEN
    b.Record(43, {0, 0, 1001, 1001});        // EMR_RECTANGLE over the 1000 x 1000 device
    return b.Bytes();
}

bool Available(const CLumivueDoc& doc)
{
    HANDLE h = OpenEvent(EVENT_ALL_ACCESS, false, doc.AvailabilityEventName());
    const bool set = h && WaitForSingleObject(h, 0) == WAIT_OBJECT_0;
    CloseHandle(h);
    return set;
}

} // namespace

TEST_F(ViewTest, ThePaintingThreadFillsTheSurfaceAndTheWindowPresentsIt)
{
    Load(Filled(RGB(0, 0, 255)));
    doc->m_nFitOption = FIT_PAGE;
    CLumivueView* view = View(QSize(300, 200));
    view->Invalidate();
    view->UpdateWindow();
    ASSERT_TRUE(PaintingEnds(view));
    EXPECT_TRUE(view->PaintingInfo().Completed);
    EXPECT_EQ(view->PaintingInfo().Rect, CRect(0, 0, 10000, 10000));
    EXPECT_EQ(view->DestRect, CRect(0, 0, 200, 200));
    // Centred across, the picture's middle is blue and the margins are background.
    const QImage front = view->Surface().Front();
    EXPECT_EQ(front.pixel(150, 100), qRgb(0, 0, 255));
    EXPECT_EQ(QColor(front.pixel(10, 100)), view->Surface().Background());
    // A finished painting leaves nothing to repaint.
    view->StopPainting();
    EXPECT_TRUE(view->PaintingInfo().UpdateRect.IsRectEmpty());
    EXPECT_TRUE(Available(*doc));
    // The painting's events are gone with it.
    EXPECT_EQ(OpenEvent(EVENT_ALL_ACCESS, false, doc->EventName(QStringLiteral("Painting"), view->m_nViewNumber)),
              nullptr);
}

TEST_F(ViewTest, AStopEndsThePaintingBetweenRecordsAndTheOldAreaIsPaintedAgain)
{
    Load(ManyRecords(150000));
    doc->m_nFitOption = FIT_PAGE;
    CLumivueView* view = View(QSize(300, 200));
    Painted(view);
    view->Invalidate();
    view->UpdateWindow();
    ASSERT_TRUE(view->IsPainting());
    view->StopPainting();
    EXPECT_FALSE(view->PaintingInfo().Completed);
    EXPECT_EQ(view->PaintingInfo().UpdateRect, CRect(-50, 0, 250, 200)); // client area, centring origin
    EXPECT_TRUE(Available(*doc));
    // The next repaint of a small strip repaints the interrupted area too.
    const CRect strip(0, 0, 300, 10);
    view->InvalidateRect(&strip);
    view->UpdateWindow();
    EXPECT_EQ(view->PaintingInfo().UpdateRect, CRect(-50, 0, 250, 200));
    view->StopPainting();
}

TEST_F(ViewTest, ScrollingStopsThePaintingAndRedrawsOnlyTheUncoveredStrip)
{
    Load(ManyRecords(2000));
    CLumivueView* view = View(QSize(300, 200));
    view->m_dZoom = 2.0;
    view->ApplyFitOption(FIT_ZOOM);
    Painted(view);
    const QImage before = view->Surface().Front();
    const CSize line = view->GetLineSize();
    const int w = view->GetClientRect().Width(), h = view->GetClientRect().Height();
    EXPECT_TRUE(view->OnScrollBy(CSize(0, line.cy), TRUE));
    // Logical units of the paint context: the strip below the old bottom.
    const CPoint pos = view->GetScrollPosition();
    EXPECT_EQ(view->PaintingInfo().UpdateRect, CRect(pos.x, pos.y + h - line.cy, pos.x + w, pos.y + h));
    ASSERT_TRUE(PaintingEnds(view));
    // What stayed in view moved up with the window, pixel for pixel.
    const QImage after = view->Surface().Front();
    EXPECT_EQ(after.copy(0, 0, w, h - line.cy), before.copy(0, line.cy, w, h - line.cy));
    EXPECT_NE(after, before);
}

TEST_F(ViewTest, ARasterImageIsDrawnOnTheThreadOverAGrowingArea)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(qRgb(0, 128, 0));
    image.setDotsPerMeterX(3780); // 96 dpi
    image.setDotsPerMeterY(3780);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    Load(png, QStringLiteral("green.png"));
    ASSERT_TRUE(doc->IsLoaded());
    CLumivueView* view = View(QSize(200, 100));
    view->ApplyFitOption(FIT_ZOOM);
    Painted(view);
    const CPoint org(68, 26); // centring of 64 x 48 in 200 x 100
    const CRect all(-org.x, -org.y, 200 - org.x, 100 - org.y);
    // A raster painting never counts as complete: a small repaint still
    // clears and draws the union of every area since the view began.
    const CRect b(100, 50, 120, 60);
    view->InvalidateRect(&b);
    view->UpdateWindow();
    ASSERT_TRUE(PaintingEnds(view));
    EXPECT_FALSE(view->PaintingInfo().Completed);
    EXPECT_EQ(view->PaintingInfo().UpdateRect, all);
    EXPECT_EQ(view->Surface().Front().pixel(100, 50), qRgb(0, 128, 0));
}

TEST_F(ViewTest, TwoViewsOfOneDocumentPaintOneAtATime)
{
    Load(ManyRecords(150000));
    doc->m_nFitOption = FIT_PAGE;
    CLumivueView* first = View(QSize(200, 200));
    CLumivueView* second = View(QSize(200, 200));
    EXPECT_EQ(first->m_nViewNumber, 1);
    EXPECT_EQ(second->m_nViewNumber, 2);
    first->Invalidate();
    first->UpdateWindow();
    ASSERT_TRUE(first->IsPainting());
    // The second view's repaint waits for the first painting to end; it is
    // not interrupted.
    second->Invalidate();
    second->UpdateWindow();
    // The first painting ran to its end before the second began.
    EXPECT_TRUE(first->PaintingInfo().Completed);
    first->StopPainting();
    EXPECT_TRUE(first->PaintingInfo().UpdateRect.IsRectEmpty());
    ASSERT_TRUE(PaintingEnds(second));
    EXPECT_TRUE(Available(*doc));
}

TEST_F(ViewTest, AViewDestroyedWhilePaintingStopsItsThreadFirst)
{
    Load(ManyRecords(300000));
    doc->m_nFitOption = FIT_PAGE;
    CLumivueView* view = View(QSize(300, 300));
    view->Invalidate();
    view->UpdateWindow();
    ASSERT_TRUE(view->IsPainting());
    const QString stop = doc->EventName(QStringLiteral("Painting"), view->m_nViewNumber);
    views.clear();
    // Its progress reports to the gone window are dropped.
    Settle(50);
    EXPECT_EQ(OpenEvent(EVENT_ALL_ACCESS, false, stop), nullptr);
    EXPECT_TRUE(Available(*doc));
}

TEST_F(ViewTest, EventNamesBelongToOneViewOfOneDocument)
{
    CLumivueDoc other;
    other.m_bAutoDelete = false;
    EXPECT_NE(doc->EventName(QStringLiteral("Painting"), 1), other.EventName(QStringLiteral("Painting"), 1));
    EXPECT_TRUE(doc->EventName(QStringLiteral("Painting"), 26).endsWith(QStringLiteral("Painting1A")));
}

TEST_F(ViewTest, ARecordThatCannotBePlayedEndsThePaintingIncomplete)
{
    EmfBuilder b(RECT(0, 0, 10000, 10000));
    b.Record(43, {0, 0, 100, 100});            // EMR_RECTANGLE
    b.Record(86, {0, 0, 10, 10, 1000000, 0});  // EMR_POLYGON16 claiming a million points it lacks
    b.Record(43, {200, 200, 300, 300});        // EMR_RECTANGLE, never reached
    Load(b.Bytes());
    ASSERT_TRUE(doc->IsLoaded());
    CLumivueView* view = View(QSize(100, 100));
    view->Invalidate();
    view->UpdateWindow();
    ASSERT_TRUE(PaintingEnds(view));
    view->StopPainting();
    EXPECT_FALSE(view->PaintingInfo().Completed);
    EXPECT_FALSE(view->PaintingInfo().UpdateRect.IsRectEmpty());
}

TEST_F(ViewTest, PrintingWaitsForThePageAndClearsNothing)
{
    Load(Filled(RGB(255, 0, 0)));
    doc->m_nFitOption = FIT_PAGE;
    CLumivueView* view = View(QSize(100, 100), false);
    QImage page(240, 120, QImage::Format_RGB32);
    page.fill(qRgb(1, 2, 3));
    CDC dc(std::make_unique<QPainterBackend>(&page));
    dc.SetPrinting(true);
    ASSERT_TRUE(view->SetupRect(&dc));
    EXPECT_EQ(view->DestRect, CRect(0, 0, 120, 120));
    dc.SetViewportOrg(60, 0);
    view->OnDraw(&dc);
    EXPECT_FALSE(view->IsPainting());
    EXPECT_TRUE(view->PaintingInfo().Completed);
    dc.Flush();
    EXPECT_EQ(page.pixel(120, 60), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(30, 60), qRgb(1, 2, 3));
}

TEST_F(ViewTest, AFileWithoutAnImageSaysSoInTheWindow)
{
    Load(QByteArray("neither a metafile nor an image"), QStringLiteral("notes.emf"));
    EXPECT_FALSE(doc->IsLoaded());
    EXPECT_EQ(doc->m_strLoadError, "It is not a metafile, and no image decoder recognised its content.");
    CLumivueView* view = View(QSize(400, 200));
    view->Invalidate();
    view->UpdateWindow();
    EXPECT_FALSE(view->IsPainting());
    EXPECT_TRUE(view->viewport()->accessibleDescription().startsWith(
        QStringLiteral("This file holds no image that Lumivu can show.")));
    Load(QByteArray(), QStringLiteral("empty.png"));
    EXPECT_EQ(doc->m_strLoadError, "The file is empty.");
}
