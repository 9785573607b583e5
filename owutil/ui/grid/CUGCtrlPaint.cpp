// Drawing of the grid engine: headings in the button face with raised
// edges, cells on the base colour with light grid lines, the current cell
// framed (filled with the highlight while the grid has the focus).
#include "CUGCtrl.h"

#include "platform/gdi/GdiColor.h"
#include "platform/types/QtGeometry.h"

#include <QPaintEvent>
#include <QPainter>

void CUGCtrl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QPalette& pal = palette();
    painter.fillRect(event->rect(), pal.color(QPalette::Base));

    const int sideWidth = GetSH_Width(), topHeight = GetTH_Height();
    const int height = viewport()->height();
    for (int row = m_topRow; row < m_rows; ++row) {
        const CRect side = GetCellRect(UG_HEADING, row);
        if (side.IsRectEmpty() && sideWidth > 0)
            break;
        const int y = topHeight + (row - m_topRow) * m_rowHeight;
        if (y >= height)
            break;
        if (sideWidth > 0)
            paintHeading(painter, UG_HEADING, row, toQRect(side));
        for (int col = 0; col < m_cols; ++col) {
            const QRect r = toQRect(GetCellRect(col, row));
            if (!r.isEmpty() && r.intersects(event->rect()))
                paintCell(painter, col, row, r);
        }
    }
    if (topHeight > 0) {
        for (int col = 0; col < m_cols; ++col)
            paintHeading(painter, col, UG_HEADING, toQRect(GetCellRect(col, UG_HEADING)));
        if (sideWidth > 0)
            paintHeading(painter, UG_HEADING, UG_HEADING, toQRect(GetCellRect(UG_HEADING, UG_HEADING)));
    }
}

void CUGCtrl::paintHeading(QPainter& painter, int col, int row, const QRect& rect)
{
    if (rect.isEmpty())
        return;
    const QPalette& pal = palette();
    const CUGCell* cell = cellAt(col, row);
    painter.fillRect(rect, pal.color(QPalette::Button));
    // A raised edge: light on the top and left, shadow on the bottom and right.
    painter.setPen(pal.color(QPalette::Light));
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    if (cell == nullptr)
        return;
    CUGCellType::DrawState state;
    state.heading = true;
    state.font = cell->GetFont() ? *cell->GetFont() : m_defFont;
    state.text = cell->GetTextColor() == CLR_DEFAULT ? pal.color(QPalette::ButtonText) : toQColor(cell->GetTextColor());
    // The side heading of the current row is marked, as the row's name.
    if (col == UG_HEADING && row == m_curRow && row >= 0)
        state.font.setBold(true);
    m_types.front()->OnDraw(painter, rect, *cell, state);
}

void CUGCtrl::paintCell(QPainter& painter, int col, int row, const QRect& rect)
{
    const CUGCell* cell = cellAt(col, row);
    if (cell == nullptr)
        return;
    const QPalette& pal = palette();
    const bool current = col == m_curCol && row == m_curRow;
    const bool focus = current && (hasFocus() || (m_edit && m_edit->hasFocus()));
    CUGCellType::DrawState state;
    state.current = current;
    state.focus = focus;
    state.font = cell->GetFont() ? *cell->GetFont() : m_defFont;
    QColor back = cell->GetBackColor() == CLR_DEFAULT ? pal.color(QPalette::Base) : toQColor(cell->GetBackColor());
    QColor text = cell->GetTextColor() == CLR_DEFAULT ? pal.color(QPalette::Text) : toQColor(cell->GetTextColor());
    if (focus) {
        back = pal.color(QPalette::Highlight);
        // A coloured text (grey for a disabled row) keeps its colour's
        // meaning by standing out less on the highlight.
        text = cell->GetTextColor() == CLR_DEFAULT || cell->GetTextColor() == RGB(0, 0, 0)
            ? pal.color(QPalette::HighlightedText)
            : pal.color(QPalette::HighlightedText).darker(130);
    }
    state.text = text;
    painter.fillRect(rect, back);
    typeOf(*cell)->OnDraw(painter, rect, *cell, state);
    painter.setPen(pal.color(QPalette::Midlight).darker(110));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    if (current) {
        painter.setPen(QPen(pal.color(QPalette::WindowText), 1, focus ? Qt::SolidLine : Qt::DotLine));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
}
