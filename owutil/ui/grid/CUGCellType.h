#pragma once
// How a kind of cell draws itself and reacts to the mouse and keys. The
// engine owns the built-in types (normal text, check box); a grid registers
// types of its own with CUGCtrl::AddCellType, which gives each an id that
// cells name with CUGCell::SetCellType.
#include "CUGCell.h"

#include <QColor>
#include <QPoint>
#include <QRect>

class CUGCtrl;
class QPainter;

class CUGCellType {
public:
    struct DrawState {
        bool current = false; // the grid's current cell
        bool focus = false;   // ... and the grid has the keyboard focus
        bool heading = false;
        QFont font;           // the cell's font or the grid's default
        QColor text;          // the cell's text colour or the grid's
    };

    CUGCellType() = default;
    virtual ~CUGCellType();
    CUGCellType(const CUGCellType&) = delete;
    CUGCellType& operator=(const CUGCellType&) = delete;

    // A short name for the type (accessibility, debugging).
    virtual QString GetName() const { return QStringLiteral("Text"); }
    // The cell's text is edited in place (StartEdit) in cells of this type.
    virtual bool CanEditText() const { return true; }
    // The part of the cell's rectangle that the in-place edit covers.
    virtual QRect EditRect(const QRect& cellRect) const { return cellRect; }

    // Draws the cell's content over its background.
    virtual void OnDraw(QPainter& painter, const QRect& rect, const CUGCell& cell, const DrawState& state);
    // The left button went down at point inside rect, on the current cell;
    // true when the type used the click.
    virtual bool OnLClicked(int col, int row, const QRect& rect, const QPoint& point);
    // A key on the current cell; true when the type used it.
    virtual bool OnKeyDown(int col, int row, int key, Qt::KeyboardModifiers modifiers);
    // Typed text on the current cell; true when the type used it.
    virtual bool OnCharDown(int col, int row, const QString& text);

    CUGCtrl* GetGrid() const { return m_ctrl; }
    int GetID() const { return m_id; }

protected:
    // Draws text inside rect with the cell's padding, elided at the end.
    static void DrawText(QPainter& painter, const QRect& rect, const QString& text, const DrawState& state);
    // Tells the grid (OnCellTypeNotify) and returns its answer.
    int Notify(int col, int row, long msg, intptr_t param);

private:
    friend class CUGCtrl;
    CUGCtrl* m_ctrl = nullptr;
    int m_id = -1;
};
