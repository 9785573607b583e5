#include "CUGCheckBoxType.h"

#include "CUGCtrl.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

QRect CUGCheckBoxType::BoxRect(const QRect& cellRect)
{
    const int side = std::min(13, std::max(0, cellRect.height() - 4));
    return QRect(cellRect.left() + 4, cellRect.top() + (cellRect.height() - side) / 2, side, side);
}

void CUGCheckBoxType::OnDraw(QPainter& painter, const QRect& rect, const CUGCell& cell, const DrawState& state)
{
    const QRect box = BoxRect(rect);
    const bool checked = cell.GetNumber() != 0;
    painter.save();
    if (cell.GetCellTypeEx() & UGCT_CHECKBOXCHECKMARK) {
        QStyleOptionButton option;
        option.rect = box;
        option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
        if (cell.GetReadOnly())
            option.state &= ~QStyle::State_Enabled;
        QWidget* grid = GetGrid();
        QStyle* style = grid ? grid->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, grid);
    } else {
        painter.setPen(state.text);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        if (checked) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.drawLine(box.topLeft() + QPoint(3, 3), box.bottomRight() - QPoint(3, 3));
            painter.drawLine(box.topRight() + QPoint(-3, 3), box.bottomLeft() + QPoint(3, -3));
        }
    }
    painter.restore();
    DrawText(painter, rect.adjusted(box.right() - rect.left() + 3, 0, 0, 0), cell.GetLabelText(), state);
}

bool CUGCheckBoxType::OnLClicked(int col, int row, const QRect& rect, const QPoint& point)
{
    const QRect box = BoxRect(rect);
    // The box and its caption take the click, as a check box's label does.
    QRect hit = box.adjusted(-2, -2, 2, 2);
    if (CUGCtrl* grid = GetGrid()) {
        CUGCell cell;
        grid->GetCell(col, row, &cell);
        const int captionWidth = QFontMetrics(cell.GetFont() ? *cell.GetFont() : grid->GetDefFont())
                                     .horizontalAdvance(cell.GetLabelText());
        hit.setRight(std::min(rect.right(), box.right() + 6 + captionWidth));
    }
    return hit.contains(point) && toggle(col, row);
}

bool CUGCheckBoxType::OnKeyDown(int col, int row, int key, Qt::KeyboardModifiers modifiers)
{
    if (key != Qt::Key_Space || (modifiers & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    toggle(col, row);
    return true;
}

bool CUGCheckBoxType::toggle(int col, int row)
{
    CUGCtrl* grid = GetGrid();
    CUGCell cell;
    if (grid == nullptr || grid->GetCell(col, row, &cell) != UG_SUCCESS || cell.GetReadOnly())
        return false;
    cell.SetNumber(cell.GetNumber() != 0 ? 0 : 1);
    grid->SetCell(col, row, &cell);
    grid->RedrawCell(col, row);
    Notify(col, row, UGCT_CHECKBOXSET, intptr_t(cell.GetNumber()));
    return true;
}
