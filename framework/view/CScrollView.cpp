#include "CScrollView.h"

#include "platform/gdi/CDC.h"

#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

const CSize CScrollView::sizeDefault{0, 0};

CScrollView::CScrollView() = default;
CScrollView::~CScrollView() = default;

void CScrollView::SetScrollSizes(int mapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = mapMode;
    m_totalDev = CSize(std::max<LONG>(0, sizeTotal.cx), std::max<LONG>(0, sizeTotal.cy));
    m_pageDev = CSize(sizePage.cx, sizePage.cy);
    m_lineDev = CSize(sizeLine.cx, sizeLine.cy);
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    UpdateBars();
}

CPoint CScrollView::limits() const
{
    const CRect client = GetClientRect();
    return CPoint(std::max<LONG>(0, m_totalDev.cx - client.Width()), std::max<LONG>(0, m_totalDev.cy - client.Height()));
}

void CScrollView::UpdateBars()
{
    // Showing or hiding a bar resizes the client area, which comes back here
    // through OnSize; the nested call only sets ranges, so a fit that
    // depends on the client size cannot make the bars flicker.
    if (m_barDepth == 0) {
        ++m_barDepth;
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        // The client area without any bar.
        const QSize full = contentsRect().size();
        LONG rangeX = m_totalDev.cx - full.width(), rangeY = m_totalDev.cy - full.height();
        bool needH = false, needV = false;
        if (rangeX > 0 || rangeY > 0) {
            needH = rangeX > 0;
            if (needH)
                rangeY += bar;
            needV = rangeY > 0;
            if (needV && !needH && rangeX > -bar) {
                needH = true;
                rangeY += bar;
            }
        }
        setHorizontalScrollBarPolicy(needH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(needV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        --m_barDepth;
    }
    const CPoint limit = limits();
    m_scrollPos.x = std::clamp<LONG>(m_scrollPos.x, 0, limit.x);
    m_scrollPos.y = std::clamp<LONG>(m_scrollPos.y, 0, limit.y);
    setBarValues();
}

void CScrollView::setBarValues()
{
    const CPoint limit = limits();
    const CRect client = GetClientRect();
    m_settingBars = true;
    horizontalScrollBar()->setRange(0, limit.x);
    horizontalScrollBar()->setPageStep(std::max<LONG>(1, client.Width()));
    horizontalScrollBar()->setSingleStep(std::max<LONG>(1, m_lineDev.cx));
    horizontalScrollBar()->setValue(m_scrollPos.x);
    verticalScrollBar()->setRange(0, limit.y);
    verticalScrollBar()->setPageStep(std::max<LONG>(1, client.Height()));
    verticalScrollBar()->setSingleStep(std::max<LONG>(1, m_lineDev.cy));
    verticalScrollBar()->setValue(m_scrollPos.y);
    m_settingBars = false;
}

void CScrollView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    UpdateBars();
}

void CScrollView::ScrollToPosition(POINT pt)
{
    const CPoint limit = limits();
    pt.x = std::clamp<LONG>(pt.x, 0, limit.x);
    pt.y = std::clamp<LONG>(pt.y, 0, limit.y);
    OnScrollBy(CSize(pt.x - m_scrollPos.x, pt.y - m_scrollPos.y), TRUE);
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    auto step = [](UINT code, LONG pos, LONG line, LONG page, LONG limit, UINT thumb) -> LONG {
        switch (code) {
        case SB_TOP: return -pos;
        case SB_BOTTOM: return limit - pos;
        case SB_LINEUP: return -line;
        case SB_LINEDOWN: return line;
        case SB_PAGEUP: return -page;
        case SB_PAGEDOWN: return page;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: return LONG(thumb) - pos;
        default: return 0;
        }
    };
    const CPoint limit = limits();
    const CRect client = GetClientRect();
    const CSize move(step(nScrollCode & 0xFF, m_scrollPos.x, m_lineDev.cx, client.Width(), limit.x, nPos),
                     step((nScrollCode >> 8) & 0xFF, m_scrollPos.y, m_lineDev.cy, client.Height(), limit.y, nPos));
    return OnScrollBy(move, bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    // No range, no scrolling in that direction.
    const CPoint limit = limits();
    const LONG x = std::clamp<LONG>(m_scrollPos.x + (limit.x > 0 ? sizeScroll.cx : 0), 0, limit.x);
    const LONG y = std::clamp<LONG>(m_scrollPos.y + (limit.y > 0 ? sizeScroll.cy : 0), 0, limit.y);
    if (x == m_scrollPos.x && y == m_scrollPos.y)
        return FALSE;
    if (bDoScroll) {
        const int dx = m_scrollPos.x - x, dy = m_scrollPos.y - y;
        m_scrollPos = CPoint(x, y);
        setBarValues();
        ScrollWindow(dx, dy);
    }
    return TRUE;
}

void CScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info)
{
    CView::OnPrepareDC(dc, info);
    if (!dc || dc->IsPrinting())
        return;
    CPoint org(-m_scrollPos.x, -m_scrollPos.y);
    if (m_bCenter) {
        const CRect client = GetClientRect();
        if (m_totalDev.cx < client.Width())
            org.x = (client.Width() - m_totalDev.cx) / 2;
        if (m_totalDev.cy < client.Height())
            org.y = (client.Height() - m_totalDev.cy) / 2;
    }
    dc->SetViewportOrg(org.x, org.y);
}

void CScrollView::scrollContentsBy(int, int)
{
    if (m_settingBars)
        return;
    // A bar moved by the user: its thumb position is the new scroll position.
    const CSize move(horizontalScrollBar()->value() - m_scrollPos.x, verticalScrollBar()->value() - m_scrollPos.y);
    if (move.cx != 0)
        OnScroll(SB_THUMBTRACK | (0xFFu << 8), UINT(horizontalScrollBar()->value()));
    if (move.cy != 0)
        OnScroll((UINT(SB_THUMBTRACK) << 8) | 0xFFu, UINT(verticalScrollBar()->value()));
    // The bar may have been refused (a view that could not scroll): it
    // follows the real position again.
    setBarValues();
}

void CScrollView::wheelEvent(QWheelEvent* event)
{
    // Three lines a notch, at most a page, as the platform's wheel setting
    // has it; Shift turns the wheel sideways. A touchpad's pixel deltas
    // scroll by the pixel.
    const bool sideways = event->modifiers() & Qt::ShiftModifier;
    QPoint pixels = event->pixelDelta();
    QPoint angle = event->angleDelta();
    if (sideways) {
        pixels = pixels.transposed();
        angle = angle.transposed();
    }
    const CRect client = GetClientRect();
    auto amount = [](int pixel, int angle, LONG line, LONG page) -> LONG {
        if (pixel != 0)
            return -pixel;
        const LONG lines = LONG(-angle) * 3 * std::max<LONG>(1, line) / 120;
        return std::clamp<LONG>(lines, -std::max<LONG>(1, page), std::max<LONG>(1, page));
    };
    CSize move(amount(pixels.x(), angle.x(), m_lineDev.cx, client.Width()),
               amount(pixels.y(), angle.y(), m_lineDev.cy, client.Height()));
    // A view that only scrolls sideways takes the vertical wheel that way.
    const CPoint limit = limits();
    if (limit.y == 0 && limit.x > 0 && move.cx == 0) {
        move.cx = move.cy;
        move.cy = 0;
    }
    if (move.cx != 0 || move.cy != 0)
        OnScrollBy(move, TRUE);
    event->accept();
}
