#pragma once
// A tree control with per-item queries, expansion and scrolling into view:
// a thin adapter over QTreeWidget with the platform's tree calls. Items are
// addressed by HTREEITEM handles (the QTreeWidgetItem itself). Like the
// toolkit's tree, the control has a root item of its own, hidden and always
// expanded, above the top-level items: GetRootItem returns it, and
// InsertItem with TVI_ROOT (or the root) as parent adds a top-level item.
#include "platform/types/Win32Types.h"

#include <QString>
#include <QTreeWidget>

using HTREEITEM = QTreeWidgetItem*;

// InsertItem's parent for a top-level item, and its positions.
inline const HTREEITEM TVI_ROOT = nullptr;
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(intptr_t(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(intptr_t(-0x0FFFE));

// Expand's actions and GetItemState's flags.
enum : UINT { TVE_COLLAPSE = 0x1, TVE_EXPAND = 0x2, TVE_TOGGLE = 0x3 };
enum : UINT { TVIS_SELECTED = 0x2, TVIS_EXPANDED = 0x20 };

class COXTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit COXTreeCtrl(QWidget* parent = nullptr);
    ~COXTreeCtrl() override;

    // Adds an item with text under parent (TVI_ROOT: at the top), after
    // the sibling after (TVI_FIRST, TVI_LAST or an item of parent).
    HTREEITEM InsertItem(const QString& text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();

    QString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, const QString& text);

    // --- queries ------------------------------------------------------------
    // The hidden root above the top-level items.
    HTREEITEM GetRootItem() const;
    // The parent of item; the root for a top-level item, null for the root.
    HTREEITEM GetParentItem(HTREEITEM item) const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const;
    HTREEITEM GetSelectedItem() const;
    BOOL SelectItem(HTREEITEM item);
    BOOL ItemHasChildren(HTREEITEM item) const;
    // The flags of mask that item has (TVIS_EXPANDED, TVIS_SELECTED).
    UINT GetItemState(HTREEITEM item, UINT mask) const;
    // The item's row among the rows shown (those under expanded parents),
    // from 0; -1 for a hidden item and the root.
    int GetItemIndex(HTREEITEM item) const;
    // Repaints rows first..last (GetItemIndex numbering).
    BOOL RedrawItems(int first, int last);
    int GetVisibleCount() const;

    // --- actions ------------------------------------------------------------
    // Expands, collapses or toggles item (one level). The root stays expanded.
    BOOL Expand(HTREEITEM item, UINT code);
    // Expands the item's parents and scrolls it into view.
    BOOL EnsureVisible(HTREEITEM item);

private:
    bool isRoot(HTREEITEM item) const { return item == invisibleRootItem(); }
    HTREEITEM parentOf(HTREEITEM item) const;
};
