#pragma once
// A check box with a caption: the cell's number is its state (0 clear,
// anything else checked), its label text the caption. A click on the box or
// its caption, or Space, toggles an editable cell and notifies the grid with
// UGCT_CHECKBOXSET. Extended style UGCT_CHECKBOXCHECKMARK draws the
// platform's check mark; the default is a flat box with a cross.
#include "CUGCellType.h"

class CUGCheckBoxType : public CUGCellType {
public:
    QString GetName() const override { return QStringLiteral("Check box"); }
    bool CanEditText() const override { return false; }
    void OnDraw(QPainter& painter, const QRect& rect, const CUGCell& cell, const DrawState& state) override;
    bool OnLClicked(int col, int row, const QRect& rect, const QPoint& point) override;
    bool OnKeyDown(int col, int row, int key, Qt::KeyboardModifiers modifiers) override;

    // The box inside a cell's rectangle.
    static QRect BoxRect(const QRect& cellRect);

private:
    bool toggle(int col, int row);
};
