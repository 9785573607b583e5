#include "COXTreeCtrl.h"

#include <QHeaderView>

COXTreeCtrl::COXTreeCtrl(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(1);
    header()->hide();
    setAccessibleName(tr("Tree"));
}

COXTreeCtrl::~COXTreeCtrl() = default;

HTREEITEM COXTreeCtrl::parentOf(HTREEITEM item) const
{
    return item == TVI_ROOT ? invisibleRootItem() : item;
}

HTREEITEM COXTreeCtrl::InsertItem(const QString& text, HTREEITEM parent, HTREEITEM after)
{
    HTREEITEM p = parentOf(parent);
    auto* item = new QTreeWidgetItem(QStringList{text});
    int at = p->childCount();
    if (after == TVI_FIRST)
        at = 0;
    else if (after != TVI_LAST && after != nullptr && after->parent() == (isRoot(p) ? nullptr : p))
        at = p->indexOfChild(after) + 1;
    p->insertChild(at, item);
    return item;
}

BOOL COXTreeCtrl::DeleteItem(HTREEITEM item)
{
    if (item == nullptr || isRoot(item))
        return FALSE;
    delete item;
    return TRUE;
}

BOOL COXTreeCtrl::DeleteAllItems()
{
    clear();
    return TRUE;
}

QString COXTreeCtrl::GetItemText(HTREEITEM item) const
{
    return item && !isRoot(item) ? item->text(0) : QString();
}

BOOL COXTreeCtrl::SetItemText(HTREEITEM item, const QString& text)
{
    if (item == nullptr || isRoot(item))
        return FALSE;
    item->setText(0, text);
    return TRUE;
}

HTREEITEM COXTreeCtrl::GetRootItem() const { return invisibleRootItem(); }

HTREEITEM COXTreeCtrl::GetParentItem(HTREEITEM item) const
{
    if (item == nullptr || isRoot(item))
        return nullptr;
    return item->parent() ? item->parent() : invisibleRootItem();
}

HTREEITEM COXTreeCtrl::GetChildItem(HTREEITEM item) const
{
    HTREEITEM p = parentOf(item);
    return p->childCount() > 0 ? p->child(0) : nullptr;
}

HTREEITEM COXTreeCtrl::GetNextSiblingItem(HTREEITEM item) const
{
    HTREEITEM p = GetParentItem(item);
    if (p == nullptr)
        return nullptr;
    const int i = p->indexOfChild(item);
    return i >= 0 && i + 1 < p->childCount() ? p->child(i + 1) : nullptr;
}

HTREEITEM COXTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const
{
    HTREEITEM p = GetParentItem(item);
    if (p == nullptr)
        return nullptr;
    const int i = p->indexOfChild(item);
    return i > 0 ? p->child(i - 1) : nullptr;
}

HTREEITEM COXTreeCtrl::GetSelectedItem() const { return currentItem(); }

BOOL COXTreeCtrl::SelectItem(HTREEITEM item)
{
    if (item == nullptr || isRoot(item))
        return FALSE;
    setCurrentItem(item);
    return TRUE;
}

BOOL COXTreeCtrl::ItemHasChildren(HTREEITEM item) const
{
    if (item == nullptr)
        return FALSE;
    return item->childCount() > 0 || item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
}

UINT COXTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const
{
    if (item == nullptr)
        return 0;
    UINT state = 0;
    if (isRoot(item) || item->isExpanded())
        state |= TVIS_EXPANDED;
    if (!isRoot(item) && item->isSelected())
        state |= TVIS_SELECTED;
    return state & mask;
}

int COXTreeCtrl::GetItemIndex(HTREEITEM item) const
{
    if (item == nullptr || isRoot(item))
        return -1;
    for (HTREEITEM p = item->parent(); p; p = p->parent())
        if (!p->isExpanded())
            return -1;
    // Rows shown above the item: walk the tree in display order.
    int row = 0;
    for (QTreeWidgetItem* it = topLevelItemCount() ? topLevelItem(0) : nullptr; it; it = itemBelow(it)) {
        if (it == item)
            return row;
        ++row;
    }
    return -1;
}

BOOL COXTreeCtrl::RedrawItems(int first, int last)
{
    if (first < 0 || last < first)
        return FALSE;
    int row = 0;
    for (QTreeWidgetItem* it = topLevelItemCount() ? topLevelItem(0) : nullptr; it && row <= last; it = itemBelow(it), ++row)
        if (row >= first)
            viewport()->update(visualItemRect(it));
    return TRUE;
}

int COXTreeCtrl::GetVisibleCount() const
{
    int rows = 0;
    for (QTreeWidgetItem* it = topLevelItemCount() ? topLevelItem(0) : nullptr; it; it = itemBelow(it))
        ++rows;
    return rows;
}

BOOL COXTreeCtrl::Expand(HTREEITEM item, UINT code)
{
    if (item == nullptr)
        return FALSE;
    if (isRoot(item))
        return TRUE;
    switch (code) {
    case TVE_EXPAND: item->setExpanded(true); break;
    case TVE_COLLAPSE: item->setExpanded(false); break;
    case TVE_TOGGLE: item->setExpanded(!item->isExpanded()); break;
    default: return FALSE;
    }
    return TRUE;
}

BOOL COXTreeCtrl::EnsureVisible(HTREEITEM item)
{
    if (item == nullptr || isRoot(item))
        return FALSE;
    for (HTREEITEM p = item->parent(); p; p = p->parent())
        p->setExpanded(true);
    scrollToItem(item, QAbstractItemView::EnsureVisible);
    return TRUE;
}
