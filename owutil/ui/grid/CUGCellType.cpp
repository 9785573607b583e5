#include "CUGCellType.h"

#include "CUGCtrl.h"

#include <QFontMetrics>
#include <QPainter>

CUGCellType::~CUGCellType() = default;

void CUGCellType::OnDraw(QPainter& painter, const QRect& rect, const CUGCell& cell, const DrawState& state)
{
    DrawText(painter, rect, cell.GetText(), state);
}

bool CUGCellType::OnLClicked(int, int, const QRect&, const QPoint&) { return false; }

bool CUGCellType::OnKeyDown(int, int, int, Qt::KeyboardModifiers) { return false; }

bool CUGCellType::OnCharDown(int, int, const QString&) { return false; }

void CUGCellType::DrawText(QPainter& painter, const QRect& rect, const QString& text, const DrawState& state)
{
    const QRect inner = rect.adjusted(3, 0, -3, 0);
    if (inner.width() <= 0)
        return;
    painter.save();
    painter.setFont(state.font);
    painter.setPen(state.text);
    const QFontMetrics fm(state.font);
    const Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    painter.drawText(inner, int(align), fm.elidedText(text, Qt::ElideRight, inner.width()));
    painter.restore();
}

int CUGCellType::Notify(int col, int row, long msg, intptr_t param)
{
    return m_ctrl ? m_ctrl->OnCellTypeNotify(m_id, col, row, msg, param) : 1;
}
