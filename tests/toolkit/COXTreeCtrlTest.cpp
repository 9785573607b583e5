#include "toolkit/COXTreeCtrl.h"

#include <gtest/gtest.h>

TEST(COXTreeCtrl, InsertsWhereAskedAndAnswersQueries)
{
    COXTreeCtrl tree;
    HTREEITEM b = tree.InsertItem("b");
    HTREEITEM a = tree.InsertItem("a", TVI_ROOT, TVI_FIRST);
    HTREEITEM c = tree.InsertItem("c", tree.GetRootItem(), b);
    HTREEITEM b2 = tree.InsertItem("b2", b);
    HTREEITEM b1 = tree.InsertItem("b1", b, TVI_FIRST);

    EXPECT_EQ(tree.GetChildItem(TVI_ROOT), a);
    EXPECT_EQ(tree.GetNextSiblingItem(a), b);
    EXPECT_EQ(tree.GetNextSiblingItem(b), c);
    EXPECT_EQ(tree.GetNextSiblingItem(c), nullptr);
    EXPECT_EQ(tree.GetPrevSiblingItem(b), a);
    EXPECT_EQ(tree.GetPrevSiblingItem(a), nullptr);
    EXPECT_EQ(tree.GetChildItem(b), b1);
    EXPECT_EQ(tree.GetNextSiblingItem(b1), b2);
    EXPECT_EQ(tree.GetParentItem(b1), b);
    EXPECT_EQ(tree.GetParentItem(a), tree.GetRootItem());
    EXPECT_EQ(tree.GetParentItem(tree.GetRootItem()), nullptr);
    EXPECT_TRUE(tree.ItemHasChildren(b));
    EXPECT_FALSE(tree.ItemHasChildren(a));
    EXPECT_EQ(tree.GetItemText(c), "c");
    EXPECT_TRUE(tree.SetItemText(c, "see"));
    EXPECT_EQ(tree.GetItemText(c), "see");

    // Rows count what is shown: children of a collapsed item are not.
    EXPECT_EQ(tree.GetItemIndex(c), 2);
    EXPECT_EQ(tree.GetItemIndex(b1), -1);
    EXPECT_EQ(tree.GetItemIndex(tree.GetRootItem()), -1);
    EXPECT_TRUE(tree.Expand(b, TVE_EXPAND));
    EXPECT_EQ(tree.GetItemState(b, TVIS_EXPANDED), UINT(TVIS_EXPANDED));
    EXPECT_EQ(tree.GetItemIndex(b2), 3);
    EXPECT_EQ(tree.GetVisibleCount(), 5);
    EXPECT_TRUE(tree.Expand(b, TVE_TOGGLE));
    EXPECT_EQ(tree.GetItemState(b, TVIS_EXPANDED), 0u);
    // The root stays expanded whatever it is asked.
    EXPECT_TRUE(tree.Expand(tree.GetRootItem(), TVE_COLLAPSE));
    EXPECT_EQ(tree.GetItemState(tree.GetRootItem(), TVIS_EXPANDED), UINT(TVIS_EXPANDED));

    EXPECT_TRUE(tree.EnsureVisible(b2));
    EXPECT_EQ(tree.GetItemState(b, TVIS_EXPANDED), UINT(TVIS_EXPANDED));
    EXPECT_TRUE(tree.SelectItem(b2));
    EXPECT_EQ(tree.GetSelectedItem(), b2);
    EXPECT_EQ(tree.GetItemState(b2, TVIS_SELECTED | TVIS_EXPANDED), UINT(TVIS_SELECTED));

    EXPECT_FALSE(tree.DeleteItem(tree.GetRootItem()));
    EXPECT_TRUE(tree.DeleteItem(b));
    EXPECT_EQ(tree.GetNextSiblingItem(a), c);
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetChildItem(TVI_ROOT), nullptr);
}
