// CLumivueView: printing and preview. The image is laid out on the printer
// as on screen: fitted to the printable area in a fit mode, otherwise at its
// physical size times the zoom and tiled over as many pages as it needs,
// page after page down each column.
#include "CLumivueView.h"

#include "framework/app/CWinApp.h"
#include "framework/print/CPrintInfo.h"
#include "platform/gdi/CDC.h"

BOOL CLumivueView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

void CLumivueView::OnBeginPrinting(CDC* dc, CPrintInfo* info)
{
    if (SetupRect(dc))
        info->SetMaxPage(UINT(m_sizePages.cx * m_sizePages.cy));
}

CPoint CLumivueView::PageOrigin(int pageIndex, bool center) const
{
    CPoint offset(0, 0);
    const LONG pageW = PageRect.Width(), pageH = PageRect.Height();
    if (center) {
        if (DestRect.Width() < pageW)
            offset.x = (pageW - DestRect.Width()) / 2;
        if (DestRect.Height() < pageH)
            offset.y = (pageH - DestRect.Height()) / 2;
    }
    const LONG down = std::max<LONG>(1, m_sizePages.cy);
    offset.x -= pageW * (pageIndex / down);
    offset.y -= pageH * (pageIndex % down);
    return offset;
}

void CLumivueView::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (SetupRect(dc)) {
        const CPoint origin = PageOrigin(int(info->m_nCurPage) - 1, CenterPrintedImage());
        dc->SetViewportOrg(origin.x, origin.y);
    }
    CScrollView::OnPrint(dc, info);
}

void CLumivueView::OnEndPrinting(CDC*, CPrintInfo*) {}

bool CLumivueView::CenterPrintedImage() const
{
    CWinApp* app = AfxGetApp();
    return app && app->GetProfileInt(QStringLiteral("Settings"), QStringLiteral("CenterPrintedImage"), 0) != 0;
}
