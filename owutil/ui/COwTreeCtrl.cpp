#include "COwTreeCtrl.h"

#include <QKeyEvent>

COwTreeCtrl::COwTreeCtrl(QWidget* parent)
    : COXTreeCtrl(parent)
{
    setAccessibleDescription(tr("Space toggles a branch; keypad * expands all below, + and - one level, / collapses all below"));
}

COwTreeCtrl::~COwTreeCtrl() = default;

BOOL COwTreeCtrl::ExpandNode(HTREEITEM item, BOOL expand, BOOL recursive, BOOL force)
{
    if (item == nullptr)
        return FALSE;
    if (!force && !ItemHasChildren(item))
        return FALSE;
    const bool expanded = GetItemState(item, TVIS_EXPANDED) != 0;
    if (expanded == (expand != FALSE) && !recursive)
        return FALSE;
    if (item != GetRootItem())
        Expand(item, expand ? TVE_EXPAND : TVE_COLLAPSE);
    if (const int row = GetItemIndex(item); row != -1)
        RedrawItems(row, row);
    if (!recursive)
        return TRUE;
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child))
        ExpandNode(child, expand, recursive, FALSE);
    return TRUE;
}

void COwTreeCtrl::MakeItemVisible(HTREEITEM item)
{
    if (item == nullptr)
        return;
    for (HTREEITEM p = GetParentItem(item); p; p = GetParentItem(p))
        ExpandNode(p, TRUE, FALSE, FALSE);
    EnsureVisible(item);
}

void COwTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    HTREEITEM item = GetSelectedItem();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    bool handled = true;
    switch (event->key()) {
    case Qt::Key_Space:
        if (item && ItemHasChildren(item))
            ExpandNode(item, GetItemState(item, TVIS_EXPANDED) == 0, FALSE, FALSE);
        break;
    case Qt::Key_Asterisk:
        handled = keypad;
        if (handled)
            ExpandNode(item, TRUE, TRUE, FALSE);
        break;
    case Qt::Key_Plus:
        handled = keypad;
        if (handled)
            ExpandNode(item, TRUE, FALSE, FALSE);
        break;
    case Qt::Key_Minus:
        handled = keypad;
        if (handled)
            ExpandNode(item, FALSE, FALSE, FALSE);
        break;
    case Qt::Key_Slash:
        handled = keypad;
        if (handled)
            ExpandNode(item, FALSE, TRUE, FALSE);
        break;
    default:
        handled = false;
    }
    if (!handled) {
        COXTreeCtrl::keyPressEvent(event);
        return;
    }
    viewport()->update();
    event->accept();
}
