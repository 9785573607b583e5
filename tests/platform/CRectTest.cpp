#include "platform/types/CRect.h"
#include "platform/types/QtGeometry.h"

#include <gtest/gtest.h>

TEST(CRect, RightAndBottomAreExclusive)
{
    CRect r(10, 20, 30, 60);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_TRUE(r.PtInRect({10, 20}));
    EXPECT_FALSE(r.PtInRect({30, 20}));
    EXPECT_FALSE(r.PtInRect({10, 60}));

    const QRect q = toQRect(r);
    EXPECT_EQ(q.width(), 20);
    EXPECT_EQ(q.right(), 29);
    EXPECT_EQ(toCRect(q), r);
}

TEST(CRect, EmptyAndUnnormalized)
{
    CRect r(30, 60, 10, 20);
    EXPECT_TRUE(r.IsRectEmpty());
    EXPECT_EQ(r.Width(), -20);
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(10, 20, 30, 60));
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect().IsRectNull());
}

TEST(CRect, IntersectAndUnion)
{
    CRect a(0, 0, 10, 10), b(5, 5, 20, 20), r;
    EXPECT_TRUE(r.IntersectRect(a, b));
    EXPECT_EQ(r, CRect(5, 5, 10, 10));
    EXPECT_FALSE(r.IntersectRect(a, CRect(10, 0, 20, 10))); // touching edges share nothing
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_TRUE(r.UnionRect(a, b));
    EXPECT_EQ(r, CRect(0, 0, 20, 20));
    EXPECT_TRUE(r.UnionRect(CRect(), b)); // an empty operand is ignored
    EXPECT_EQ(r, b);
}
