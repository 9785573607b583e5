#pragma once
// A tree control with keyboard commands for expanding and collapsing whole
// branches: Space toggles the selected item, and the numeric keypad's *
// expands it and everything below, + expands one level, - collapses one
// level, / collapses it and everything below. Each of these repaints the
// whole control; every other key does what the tree does by default.
#include "toolkit/COXTreeCtrl.h"

class COwTreeCtrl : public COXTreeCtrl {
    Q_OBJECT
public:
    explicit COwTreeCtrl(QWidget* parent = nullptr);
    ~COwTreeCtrl() override;

    // Expands (or collapses) item, and with recursive everything below it.
    // False for no item, for an item without children unless forced, and
    // for an item already in the wished state when not recursive (nothing
    // changes). The root is never collapsed; children are visited unforced.
    virtual BOOL ExpandNode(HTREEITEM item, BOOL expand, BOOL recursive, BOOL force);
    // Expands the item's ancestors (one level each) and scrolls it into view.
    void MakeItemVisible(HTREEITEM item);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
