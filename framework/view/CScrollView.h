#pragma once
// The framework's scrolling view: a total size in the text mapping mode
// (device pixels), page and line steps, scroll bars that appear only when
// the total does not fit the client area, and optional centring of a total
// smaller than the client area. Every scroll, from the bars, the wheel or
// the view's own keys, goes through OnScrollBy, which a derived view may
// override to act before and after the pixels move.
#include "framework/view/CView.h"
#include "platform/gdi/GdiDefs.h"
#include "platform/types/CSize.h"

// Scroll-bar codes of OnScroll: the high byte the vertical bar's, the low
// byte the horizontal bar's (0xFF: no change in that direction).
enum : UINT {
    SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2, SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6,
    SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8,
};

class CScrollView : public CView {
    Q_OBJECT
public:
    // A page or line size left to the view: a tenth of the total, a tenth of the page.
    static const CSize sizeDefault;

    CScrollView();
    ~CScrollView() override;

    // Only MM_TEXT is offered: sizes are device pixels.
    void SetScrollSizes(int mapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CSize GetTotalSize() const { return m_totalDev; }
    CSize GetPageSize() const { return m_pageDev; }
    CSize GetLineSize() const { return m_lineDev; }
    CPoint GetScrollPosition() const { return m_scrollPos; }
    CPoint GetDeviceScrollPosition() const { return m_scrollPos; }
    // Scrolls to pt, clamped to the range.
    void ScrollToPosition(POINT pt);
    bool IsCentering() const { return m_bCenter; }

    // nScrollCode: low byte horizontal, high byte vertical (SB_ codes);
    // nPos the thumb position for SB_THUMBTRACK.
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    // Scrolls by sizeScroll, clamped to the range; false when nothing moved.
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);
    // The viewport origin: minus the scroll position, or the centring offset
    // in a direction where the total is smaller than the client area.
    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
    void OnSize(UINT type, int cx, int cy) override;

protected:
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;

    bool m_bCenter = false;
    int m_nMapMode = 0;
    CSize m_totalDev{0, 0};
    CSize m_pageDev{0, 0};
    CSize m_lineDev{0, 0};

private:
    // Shows the bars the total needs and sets their ranges and steps.
    void UpdateBars();
    void setBarValues();
    CPoint limits() const;

    CPoint m_scrollPos{0, 0};
    int m_barDepth = 0;
    bool m_settingBars = false;
};
