// COwTreeCtrl: ExpandNode's five steps and the keypad commands.
#include "owutil/ui/COwTreeCtrl.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class TreeCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.resize(200, 300);
        a = tree.InsertItem("a");
        a1 = tree.InsertItem("a1", a);
        a11 = tree.InsertItem("a11", a1);
        a2 = tree.InsertItem("a2", a);
        b = tree.InsertItem("b");
        tree.show();
    }
    bool expanded(HTREEITEM item) const { return tree.GetItemState(item, TVIS_EXPANDED) != 0; }

    COwTreeCtrl tree;
    HTREEITEM a, a1, a11, a2, b;
};

} // namespace

TEST_F(TreeCtrlTest, ExpandNodeFollowsTheWishAndReportsChanges)
{
    EXPECT_FALSE(tree.ExpandNode(nullptr, TRUE, FALSE, FALSE));
    EXPECT_FALSE(tree.ExpandNode(b, TRUE, FALSE, FALSE)); // no children
    EXPECT_FALSE(expanded(b));
    EXPECT_TRUE(tree.ExpandNode(b, TRUE, FALSE, TRUE));   // forced
    EXPECT_TRUE(expanded(b));

    EXPECT_TRUE(tree.ExpandNode(a, TRUE, FALSE, FALSE));
    EXPECT_TRUE(expanded(a));
    EXPECT_FALSE(expanded(a1));
    // Already expanded: false, and nothing changes.
    EXPECT_FALSE(tree.ExpandNode(a, TRUE, FALSE, FALSE));
    EXPECT_TRUE(expanded(a));
    EXPECT_FALSE(expanded(a1));

    // Recursive: every branch below, children unforced (a leaf stays).
    EXPECT_TRUE(tree.ExpandNode(a, TRUE, TRUE, FALSE));
    EXPECT_TRUE(expanded(a1));
    EXPECT_FALSE(expanded(a11));
    EXPECT_TRUE(tree.ExpandNode(a, FALSE, TRUE, FALSE));
    EXPECT_FALSE(expanded(a));
    EXPECT_FALSE(expanded(a1));
}

TEST_F(TreeCtrlTest, TheRootIsNeverCollapsed)
{
    HTREEITEM root = tree.GetRootItem();
    EXPECT_EQ(tree.GetParentItem(a), root);
    EXPECT_TRUE(expanded(root));
    // Already expanded and not recursive: nothing to do.
    EXPECT_FALSE(tree.ExpandNode(root, TRUE, FALSE, FALSE));
    EXPECT_TRUE(tree.ExpandNode(root, TRUE, TRUE, FALSE));
    EXPECT_TRUE(expanded(a));
    EXPECT_TRUE(expanded(a1));
    EXPECT_TRUE(tree.ExpandNode(root, FALSE, TRUE, FALSE));
    EXPECT_TRUE(expanded(root));
    EXPECT_FALSE(expanded(a));
    EXPECT_EQ(tree.GetVisibleCount(), 2);
}

TEST_F(TreeCtrlTest, MakeItemVisibleOpensOnlyTheAncestors)
{
    tree.MakeItemVisible(a11);
    EXPECT_TRUE(expanded(a));
    EXPECT_TRUE(expanded(a1));
    EXPECT_FALSE(expanded(b));
    EXPECT_EQ(tree.GetItemIndex(a11), 2);
    EXPECT_EQ(tree.GetItemIndex(a2), 3);
    EXPECT_EQ(tree.GetItemIndex(b), 4);
}

TEST_F(TreeCtrlTest, KeypadCommandsAndSpace)
{
    tree.SelectItem(a);
    QTest::keyClick(&tree, Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_TRUE(expanded(a));
    EXPECT_TRUE(expanded(a1));
    QTest::keyClick(&tree, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_FALSE(expanded(a));
    EXPECT_TRUE(expanded(a1)); // one level only
    QTest::keyClick(&tree, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_TRUE(expanded(a));
    QTest::keyClick(&tree, Qt::Key_Slash, Qt::KeypadModifier);
    EXPECT_FALSE(expanded(a));
    EXPECT_FALSE(expanded(a1));
    QTest::keyClick(&tree, Qt::Key_Space);
    EXPECT_TRUE(expanded(a));
    QTest::keyClick(&tree, Qt::Key_Space);
    EXPECT_FALSE(expanded(a));

    // Space on a leaf does nothing; other keys keep their default meaning.
    tree.SelectItem(b);
    QTest::keyClick(&tree, Qt::Key_Space);
    EXPECT_FALSE(expanded(b));
    QTest::keyClick(&tree, Qt::Key_Up);
    EXPECT_EQ(tree.GetSelectedItem(), a);
}
