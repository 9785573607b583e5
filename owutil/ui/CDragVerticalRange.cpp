#include "CDragVerticalRange.h"

#include "platform/ui/KeyState.h"

#include <algorithm>

CDragVerticalRange::CDragVerticalRange(QWidget* window)
    : CDragObject(window)
{
}

CDragVerticalRange::~CDragVerticalRange() = default;

BOOL CDragVerticalRange::CheckMoveType(CPoint point)
{
    const bool control = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    if (control && shift)
        m_nSelectionType = 3;
    else if (control)
        m_nSelectionType = 1;
    else if (shift)
        m_nSelectionType = 2;
    // Each drag decides afresh: a type left from an earlier drag must not
    // start a drag from a point outside the window.
    m_nMoveType = MoveNone;
    const CRect band(m_rcClient.left, m_nSelTop, m_rcClient.right, m_nSelBottom);
    if (m_nSelectionType == 0 && ValidSelection() && band.PtInRect(point))
        m_nMoveType = MoveSelection;
    else if (m_rcClient.PtInRect(point))
        m_nMoveType = NewSelection;
    return m_nMoveType != MoveNone;
}

BOOL CDragVerticalRange::Begin(CPoint point)
{
    // A press outside the window's client area (a stale rectangle) starts
    // nothing, rather than invert the whole window.
    if (!CheckMoveType(point))
        return FALSE;
    m_nDragTop = m_nSelTop;
    m_nDragBottom = m_nSelBottom;
    if (m_nMoveType == NewSelection)
        m_nDragOffset = 0;
    else if (m_nMoveType == MoveBottom)
        m_nDragOffset = point.y - m_nDragBottom;
    else
        m_nDragOffset = point.y - m_nDragTop;

    m_rcFeedback = m_rcClient;
    switch (m_nMoveType) {
    case MoveTop:
        m_rcFeedback.top = m_nSelBottom;
        break;
    case MoveBottom:
        m_rcFeedback.top = m_nSelTop;
        break;
    case MoveSelection:
        m_rcFeedback.top = m_nSelTop;
        m_rcFeedback.bottom = std::max(m_nSelBottom, m_nSelTop + MinHeight);
        break;
    case NewSelection:
        m_rcFeedback.top = m_rcFeedback.bottom = point.y;
        m_nDragTop = m_nDragBottom = point.y;
        break;
    default:
        break;
    }
    return CDragObject::Begin(point);
}

BOOL CDragVerticalRange::Update(CPoint point, BOOL flag)
{
    if (!flag && drawsFeedback() && m_pDC)
        m_pDC->InvertRect(m_rcFeedback);
    const int y = point.y - m_nDragOffset;
    switch (m_nMoveType) {
    case MoveTop:
        m_rcFeedback.bottom = y;
        m_nDragTop = y;
        break;
    case MoveBottom:
    case NewSelection:
        m_rcFeedback.bottom = y;
        m_nDragBottom = y;
        break;
    case MoveSelection: {
        const int height = m_nSelBottom - m_nSelTop;
        m_rcFeedback.top = y;
        m_rcFeedback.bottom = std::max(y + height, y + MinHeight);
        m_nDragTop = m_rcFeedback.top;
        m_nDragBottom = m_rcFeedback.bottom;
        if (m_bLiveUpdate)
            UpdateData(TRUE);
        break;
    }
    default:
        break;
    }
    if (drawsFeedback() && m_pDC)
        m_pDC->InvertRect(m_rcFeedback);
    return TRUE;
}

BOOL CDragVerticalRange::End(CPoint point)
{
    const BOOL result = CDragObject::End(point);
    UpdateData(TRUE);
    return result;
}

BOOL CDragVerticalRange::Cancel(CPoint point)
{
    const BOOL result = CDragObject::Cancel(point);
    UpdateData(FALSE);
    return result;
}

void CDragVerticalRange::UpdateData(BOOL) {}
