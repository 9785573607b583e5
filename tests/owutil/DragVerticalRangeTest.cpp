// CDragVerticalRange's geometry: move types, the drag offset, the 2-pixel
// minimum, live update, and the inverted feedback kept by its device context.
#include "owutil/ui/CDragVerticalRange.h"
#include "platform/ui/KeyState.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

class RecordingRange : public CDragVerticalRange {
public:
    using CDragVerticalRange::CDragVerticalRange;
    void UpdateData(BOOL take) override { calls.push_back(take); }
    std::vector<BOOL> calls;
};

class DragVerticalRangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(200, 300);
        window.show();
        SetKeyStateHook([this](int vk) -> short {
            return (vk == VK_CONTROL && control) || (vk == VK_SHIFT && shift) ? short(0x8000) : short(0);
        });
    }
    void TearDown() override { SetKeyStateHook({}); }

    QWidget window;
    bool control = false, shift = false;
};

} // namespace

TEST_F(DragVerticalRangeTest, NewSelectionFollowsThePointer)
{
    RecordingRange drag(&window);
    EXPECT_EQ(drag.m_nDragOffset, 1);
    EXPECT_FALSE(drag.ValidSelection());
    ASSERT_TRUE(drag.Begin(CPoint(50, 100)));
    EXPECT_EQ(drag.m_nMoveType, CDragVerticalRange::NewSelection);
    EXPECT_EQ(drag.m_nDragOffset, 0);
    ASSERT_TRUE(drag.IsDragging());
    EXPECT_TRUE(drag.GetDC()->Inverted().empty()); // a band of no height yet

    drag.Update(CPoint(60, 140), FALSE);
    EXPECT_EQ(drag.m_nDragTop, 100);
    EXPECT_EQ(drag.m_nDragBottom, 140);
    ASSERT_EQ(drag.GetDC()->Inverted().size(), 1u);
    EXPECT_EQ(drag.GetDC()->Inverted()[0], CRect(0, 100, 200, 140));
    // Each step erases the band it drew before: one band at a time.
    drag.Update(CPoint(60, 120), FALSE);
    ASSERT_EQ(drag.GetDC()->Inverted().size(), 1u);
    EXPECT_EQ(drag.GetDC()->Inverted()[0], CRect(0, 100, 200, 120));
    // Dragging above the start gives an unnormalised band, drawn normalised.
    drag.Update(CPoint(60, 80), FALSE);
    EXPECT_EQ(drag.GetDC()->Inverted()[0], CRect(0, 80, 200, 100));

    EXPECT_TRUE(drag.End(CPoint(60, 80)));
    EXPECT_FALSE(drag.IsDragging());
    // End drops (through Cancel) and then takes the dragged range.
    EXPECT_EQ(drag.calls, (std::vector<BOOL>{FALSE, TRUE}));
}

TEST_F(DragVerticalRangeTest, MovingASelectionKeepsItsHeightAndOffset)
{
    RecordingRange drag(&window);
    drag.m_nSelTop = 100;
    drag.m_nSelBottom = 150;
    ASSERT_TRUE(drag.Begin(CPoint(10, 110)));
    EXPECT_EQ(drag.m_nMoveType, CDragVerticalRange::MoveSelection);
    EXPECT_EQ(drag.m_nDragOffset, 10);
    EXPECT_EQ(drag.GetDC()->Inverted()[0], CRect(0, 100, 200, 150));
    drag.Update(CPoint(10, 40), FALSE);
    EXPECT_EQ(drag.m_nDragTop, 30);
    EXPECT_EQ(drag.m_nDragBottom, 80);
    EXPECT_EQ(drag.GetDC()->Inverted()[0], CRect(0, 30, 200, 80));
    drag.Cancel(CPoint(10, 40));
    EXPECT_EQ(drag.calls, (std::vector<BOOL>{FALSE}));
    EXPECT_FALSE(drag.IsDragging());
}

TEST_F(DragVerticalRangeTest, MovedRangeIsAtLeastTwoPixelsHigh)
{
    RecordingRange drag(&window);
    drag.m_nSelTop = drag.m_nSelBottom = 120; // a line, not a band
    ASSERT_TRUE(drag.Begin(CPoint(5, 120)));
    // An empty band holds no point: the press starts a new selection.
    ASSERT_EQ(drag.m_nMoveType, CDragVerticalRange::NewSelection);
    drag.Cancel(CPoint(5, 120));

    drag.m_nSelBottom = 121;
    ASSERT_TRUE(drag.Begin(CPoint(5, 120)));
    ASSERT_EQ(drag.m_nMoveType, CDragVerticalRange::MoveSelection);
    EXPECT_EQ(drag.m_rcFeedback.Height(), 2);
    for (int y : {200, 10, 150}) {
        drag.Update(CPoint(5, y), FALSE);
        EXPECT_GE(drag.m_nDragBottom - drag.m_nDragTop, 2);
        EXPECT_EQ(drag.m_nDragTop, y);
    }
    drag.End(CPoint(5, 150));
}

TEST_F(DragVerticalRangeTest, ModifierKeysSetTheSelectionType)
{
    RecordingRange drag(&window);
    drag.m_nSelTop = 100;
    drag.m_nSelBottom = 150;
    control = true;
    EXPECT_TRUE(drag.CheckMoveType(CPoint(10, 120)));
    EXPECT_EQ(drag.m_nSelectionType, 1);
    // With a selection type, a press inside the selection starts a new one.
    EXPECT_EQ(drag.m_nMoveType, CDragVerticalRange::NewSelection);
    shift = true;
    drag.CheckMoveType(CPoint(10, 120));
    EXPECT_EQ(drag.m_nSelectionType, 3);
    control = false;
    drag.CheckMoveType(CPoint(10, 120));
    EXPECT_EQ(drag.m_nSelectionType, 2);
    // Without keys the type stays as it was.
    shift = false;
    drag.CheckMoveType(CPoint(10, 120));
    EXPECT_EQ(drag.m_nSelectionType, 2);
    // Outside the client area: no drag, whatever an earlier one decided.
    EXPECT_FALSE(drag.CheckMoveType(CPoint(10, 500)));
    EXPECT_FALSE(drag.Begin(CPoint(10, 500)));
    EXPECT_FALSE(drag.IsDragging());
}

TEST_F(DragVerticalRangeTest, LiveUpdateShowsNoFeedback)
{
    RecordingRange drag(&window);
    drag.m_nSelTop = 100;
    drag.m_nSelBottom = 150;
    drag.m_bLiveUpdate = TRUE;
    ASSERT_TRUE(drag.Begin(CPoint(10, 100)));
    EXPECT_EQ(drag.calls.size(), 1u); // Begin's Update moved it already
    drag.Update(CPoint(10, 130), FALSE);
    EXPECT_TRUE(drag.GetDC()->Inverted().empty());
    EXPECT_EQ(drag.calls, (std::vector<BOOL>{TRUE, TRUE}));
    EXPECT_EQ(drag.m_nDragTop, 130);
    drag.End(CPoint(10, 130));
}

TEST_F(DragVerticalRangeTest, CopiesAreFieldByField)
{
    CDragVerticalRange drag(&window);
    drag.m_nSelTop = 5;
    drag.m_nSelBottom = 9;
    drag.m_bLiveUpdate = TRUE;
    CDragVerticalRange copy = drag;
    EXPECT_EQ(copy.GetWindow(), &window);
    EXPECT_EQ(copy.GetClientRect(), CRect(0, 0, 200, 300));
    EXPECT_EQ(copy.m_nSelTop, 5);
    EXPECT_EQ(copy.m_nSelBottom, 9);
    EXPECT_TRUE(copy.m_bLiveUpdate);
    EXPECT_EQ(copy.m_nDragOffset, 1);
}

TEST(FeedbackDC, InvertingTwiceRestores)
{
    QWidget window;
    window.resize(100, 100);
    window.show();
    CFeedbackDC dc(&window);
    EXPECT_EQ(dc.geometry(), window.rect());
    dc.InvertRect(CRect(10, 10, 20, 20));
    dc.InvertRect(CRect(10, 20, 20, 10)); // the same band, unnormalised
    EXPECT_TRUE(dc.Inverted().empty());
    dc.InvertRect(CRect(5, 5, 5, 50)); // no width
    EXPECT_TRUE(dc.Inverted().empty());
    window.resize(150, 120);
    EXPECT_EQ(dc.geometry(), window.rect());
}
