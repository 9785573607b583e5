#pragma once
// A cell with a button at its right (an arrow when the cell has choices,
// an ellipsis when it has none): the button (a click, F4 or
// Alt+Down) first tells the grid (UGCT_BUTTONCLICK, where it may fill or
// change the cell's list), then drops the list of choices held in the
// cell's label text, one per line. Taking a choice asks the grid
// (UGCT_DROPLISTSELECT, param a QString*) and sets the cell's text.
//
// With free text, the text is also edited in place (a text with a list of
// suggestions); without, the cell holds one of its choices and a typed
// letter moves to the next choice that begins with it.
#include "CUGCellType.h"

#include <QPointer>

#include <QListWidget>

class CUGDropListType : public CUGCellType {
public:
    explicit CUGDropListType(bool freeText);
    ~CUGDropListType() override;

    QString GetName() const override;
    bool CanEditText() const override { return m_freeText; }
    QRect EditRect(const QRect& cellRect) const override;
    void OnDraw(QPainter& painter, const QRect& rect, const CUGCell& cell, const DrawState& state) override;
    bool OnLClicked(int col, int row, const QRect& rect, const QPoint& point) override;
    bool OnKeyDown(int col, int row, int key, Qt::KeyboardModifiers modifiers) override;
    bool OnCharDown(int col, int row, const QString& text) override;

    // Drops the cell's list below it; false when the grid said no or the
    // cell is read-only.
    bool DropList(int col, int row);
    // The list while it is dropped, else null.
    QListWidget* GetDroppedList() const { return m_list; }
    static QStringList Choices(const CUGCell& cell);
    static QRect ButtonRect(const QRect& cellRect);

private:
    bool choose(int col, int row, const QString& choice);

    bool m_freeText;
    QPointer<QListWidget> m_list;
};
