// Mouse and keys of the grid engine: the cell type of the current cell sees
// them first, then the engine moves or starts an edit, then the grid's own
// OnKeyDown and OnCharDown; keys nobody used go on to the parent (a dialog's
// Escape and Return).
#include "CUGCtrl.h"

#include "platform/types/QtGeometry.h"
#include "platform/ui/KeyState.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>

bool CUGCtrl::event(QEvent* event)
{
    // Tab normally moves the focus before the widget sees the key; the grid
    // gets the first say, and the focus moves only if it passes.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            key->ignore();
            keyPressEvent(key);
            if (key->isAccepted())
                return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CUGCtrl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
    placeEdit();
    OnSize(event->size().width(), event->size().height());
}

void CUGCtrl::scrollContentsBy(int, int)
{
    m_topRow = verticalScrollBar()->value();
    placeEdit();
    viewport()->update();
}

void CUGCtrl::placeEdit()
{
    if (!m_edit)
        return;
    const CRect r = GetCellRect(m_editCol, m_editRow);
    const CUGCell* cell = cellAt(m_editCol, m_editRow);
    if (!r.IsRectEmpty() && cell) {
        m_edit->setGeometry(typeOf(*cell)->EditRect(toQRect(r)).adjusted(1, 1, -1, -1));
        return;
    }
    // The edited cell scrolled out of view: the edit ends there, or, when
    // its text is refused, the grid scrolls back to it.
    if (!m_finishing && !FinishEdit() && m_edit) {
        ensureRowVisible(m_editRow);
        m_topRow = verticalScrollBar()->value();
        const CRect back = GetCellRect(m_editCol, m_editRow);
        if (cell && !back.IsRectEmpty())
            m_edit->setGeometry(typeOf(*cell)->EditRect(toQRect(back)).adjusted(1, 1, -1, -1));
    }
}

void CUGCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    MessageKeyState keys(event->modifiers());
    const QPoint p = event->position().toPoint();
    int col = 0, row = 0;
    if (GetCellFromPoint(p.x(), p.y(), &col, &row) != UG_SUCCESS)
        return;
    if (row == UG_HEADING)
        return;
    if (col == UG_HEADING)
        col = m_curCol;
    if (GotoCell(col, row) != UG_SUCCESS)
        return;
    const CRect rect = GetCellRect(col, row);
    BOOL processed = FALSE;
    if (const CUGCell* cell = cellAt(col, row)) {
        // A type's button answers the first click; a check box as well,
        // so that one click on a box checks it.
        processed = typeOf(*cell)->OnLClicked(col, row, toQRect(rect), p) ? TRUE : FALSE;
    }
    OnLClicked(col, row, rect, toCPoint(p), processed);
    event->accept();
}

void CUGCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    MessageKeyState keys(event->modifiers());
    const QPoint p = event->position().toPoint();
    int col = 0, row = 0;
    if (GetCellFromPoint(p.x(), p.y(), &col, &row) != UG_SUCCESS || row == UG_HEADING)
        return;
    if (col == UG_HEADING)
        col = m_curCol;
    // The press before a double click normally made the cell current; a
    // double click that arrives alone does it here.
    if ((col != m_curCol || row != m_curRow) && GotoCell(col, row) != UG_SUCCESS)
        return;
    const CRect rect = GetCellRect(col, row);
    BOOL processed = FALSE;
    if (const CUGCell* cell = cellAt(col, row))
        processed = typeOf(*cell)->OnLClicked(col, row, toQRect(rect), p) ? TRUE : FALSE;
    OnDClicked(col, row, rect, toCPoint(p), processed);
    event->accept();
}

bool CUGCtrl::moveByKey(int key)
{
    int col = m_curCol, row = m_curRow;
    switch (key) {
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_PageUp: row -= visibleRows(); break;
    case Qt::Key_PageDown: row += visibleRows(); break;
    case Qt::Key_Home: row = 0; break;
    case Qt::Key_End: row = m_rows - 1; break;
    default: return false;
    }
    row = std::clamp(row, 0, std::max(0, m_rows - 1));
    col = std::clamp(col, 0, std::max(0, m_cols - 1));
    GotoCell(col, row);
    return true;
}

void CUGCtrl::keyPressEvent(QKeyEvent* event)
{
    MessageKeyState keys(event->modifiers());
    UINT key = UINT(event->key());
    BOOL processed = FALSE;
    const CUGCell* cell = cellAt(m_curCol, m_curRow);
    if (cell && typeOf(*cell)->OnKeyDown(m_curCol, m_curRow, int(key), event->modifiers()))
        processed = TRUE;
    else if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && moveByKey(int(key)))
        processed = TRUE;
    else if (key == Qt::Key_F2 || ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_cols > 0 && m_rows > 0
                                      && cell && typeOf(*cell)->CanEditText() && !cell->GetReadOnly()))
        processed = StartEdit() == UG_SUCCESS ? TRUE : FALSE;
    OnKeyDown(&key, &processed);

    const QString text = event->text();
    const bool typed = !text.isEmpty() && text.at(0).isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typed && !processed) {
        cell = cellAt(m_curCol, m_curRow);
        if (cell && typeOf(*cell)->OnCharDown(m_curCol, m_curRow, text))
            processed = TRUE;
        UINT ch = text.at(0).unicode();
        OnCharDown(&ch, &processed);
    }
    event->setAccepted(processed != FALSE);
}

void CUGCtrl::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    RedrawCell(m_curCol, m_curRow);
}

void CUGCtrl::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    RedrawCell(m_curCol, m_curRow);
}
