// The layout manager: children follow the container's edges, fractions of
// its size and each other as it resizes.
#include "toolkit/COXLayoutManager.h"

#include <QApplication>
#include <QResizeEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QWidget* addChild(QWidget* parent, int id, const QRect& geometry)
{
    auto* w = new QWidget(parent);
    w->setProperty("id", id);
    w->setGeometry(geometry);
    return w;
}

} // namespace

TEST(COXLayoutManagerTest, TheAboutBoxConstraintsFollowTheDialogSize)
{
    QWidget dialog;
    dialog.resize(400, 300);
    QWidget* logo = addChild(&dialog, 1014, QRect(0, 0, 50, 45));
    QWidget* info = addChild(&dialog, 1012, QRect(70, 5, 240, 115));
    QWidget* close = addChild(&dialog, IDOK, QRect(221, 216, 90, 14));

    COXLayoutManager layout;
    ASSERT_TRUE(layout.Attach(&dialog));
    EXPECT_FALSE(layout.Attach(&dialog));
    ASSERT_TRUE(layout.SetConstraint(1014, OX_LMS_TOP | OX_LMS_LEFT, OX_LMT_SAME, 10));
    ASSERT_TRUE(layout.SetConstraint(1014, OX_LMS_RIGHT, OX_LMT_POSITION, 30));
    ASSERT_TRUE(layout.SetConstraint(1012, OX_LMS_LEFT, OX_LMT_POSITION, 30));
    ASSERT_TRUE(layout.SetConstraint(1012, OX_LMS_RIGHT, OX_LMT_SAME, -10));
    ASSERT_TRUE(layout.SetConstraint(1012, OX_LMS_TOP, OX_LMT_SAME, 10));
    ASSERT_TRUE(layout.SetConstraint(IDOK, OX_LMS_RIGHT | OX_LMS_BOTTOM, OX_LMT_SAME, -10));
    ASSERT_TRUE(layout.RedrawLayout());

    EXPECT_EQ(logo->geometry(), QRect(10, 10, 110, 45));
    EXPECT_EQ(info->geometry(), QRect(120, 10, 270, 115));
    EXPECT_EQ(close->geometry(), QRect(300, 276, 90, 14));

    // A resize places them again by itself.
    dialog.resize(600, 200);
    QResizeEvent e(QSize(600, 200), QSize(400, 300));
    QApplication::sendEvent(&dialog, &e);
    EXPECT_EQ(logo->geometry(), QRect(10, 10, 170, 45));
    EXPECT_EQ(info->geometry(), QRect(180, 10, 410, 115));
    EXPECT_EQ(close->geometry(), QRect(500, 176, 90, 14));
}

TEST(COXLayoutManagerTest, ChildrenFollowTheirBasesAndRefuseNonsense)
{
    QWidget dialog;
    dialog.resize(300, 200);
    QWidget* list = addChild(&dialog, 1, QRect(10, 10, 100, 100));
    QWidget* label = addChild(&dialog, 2, QRect(0, 0, 60, 20));
    QWidget* untouched = addChild(&dialog, 3, QRect(5, 6, 7, 8));

    COXLayoutManager layout;
    layout.Attach(&dialog);
    // The label sits 5 below the list, its left edge with the list's.
    ASSERT_TRUE(layout.SetConstraint(2, OX_LMS_TOP, OX_LMT_OPPOSITE, 5, 1));
    ASSERT_TRUE(layout.SetConstraint(2, OX_LMS_LEFT, OX_LMT_SAME, 0, 1));
    // The list fills the width less 10 on each side; its base is set after
    // the label's, which must not matter.
    ASSERT_TRUE(layout.SetConstraint(1, OX_LMS_LEFT, OX_LMT_SAME, 10));
    ASSERT_TRUE(layout.SetConstraint(1, OX_LMS_RIGHT, OX_LMT_SAME, -10));
    ASSERT_TRUE(layout.SetConstraint(1, OX_LMS_BOTTOM, OX_LMT_SAME, -40));
    layout.RedrawLayout();
    EXPECT_EQ(list->geometry(), QRect(10, 60, 280, 100));
    EXPECT_EQ(label->geometry(), QRect(10, 165, 60, 20));
    EXPECT_EQ(untouched->geometry(), QRect(5, 6, 7, 8));

    EXPECT_FALSE(layout.SetConstraint(99, OX_LMS_TOP, OX_LMT_SAME));
    EXPECT_FALSE(layout.SetConstraint(2, OX_LMS_TOP, OX_LMT_SAME, 0, 99));
    EXPECT_FALSE(layout.SetConstraint(2, OX_LMS_TOP, OX_LMT_SAME, 0, 2));
    EXPECT_FALSE(layout.SetConstraint(2, OX_LMS_TOP, 7));
    // Two children based on each other: placed, not looping.
    ASSERT_TRUE(layout.SetConstraint(1, OX_LMS_TOP, OX_LMT_OPPOSITE, 0, 2));
    EXPECT_TRUE(layout.RedrawLayout());
}
