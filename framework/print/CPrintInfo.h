#pragma once
// What one print job tells the view's print overrides: the page range, the
// page being printed, whether it is a preview or a print without a dialog,
// and the printer it goes to.
#include "platform/types/CRect.h"
#include "platform/types/Win32Types.h"

#include <QString>

class QPrinter;

struct CPrintInfo {
    // No dialog: the shell's print command, on the printer as it is set up.
    bool m_bDirect = false;
    // A print preview, which counts as printing.
    bool m_bPreview = false;
    // Cleared by a view to end the job after the current page.
    bool m_bContinuePrinting = true;
    UINT m_nCurPage = 1;
    // The area of the page the view may draw on, device units.
    CRect m_rectDraw;
    QPrinter* m_pPrinter = nullptr;

    void SetMinPage(UINT page) { m_nMinPage = page; }
    void SetMaxPage(UINT page) { m_nMaxPage = page; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    // The range the user chose (the whole document without a choice),
    // within the minimum and maximum.
    UINT GetFromPage() const;
    UINT GetToPage() const;
    // The user's range: 0, 0 for all pages.
    void SetChosenRange(UINT from, UINT to)
    {
        m_nFromPage = from;
        m_nToPage = to;
    }

private:
    UINT m_nMinPage = 1;
    // Unknown until the view says: a single page is printed then.
    UINT m_nMaxPage = 0xFFFF;
    UINT m_nFromPage = 0;
    UINT m_nToPage = 0;
};
