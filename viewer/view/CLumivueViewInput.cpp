// CLumivueView: the commands that ask for a value first (a zoom factor, a
// given width or height) through the one-value prompt.
#include "CLumivueView.h"

#include "framework/except/CException.h"
#include "viewer/dialogs/CInputValueDlg.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/resources/Resource.h"

#include <cmath>

namespace {

// A command id as the help identifier the dialog takes: a signed 16-bit number.
int helpIdOf(UINT command) { return int(int16_t(uint16_t(command))); }

} // namespace

void CLumivueView::OnZoomTo()
{
    try {
        CInputValueDlg dlg(CInputValueDlg::PercentMode);
        dlg.SetPrompt(QStringLiteral("Enter the zoom factor:"));
        dlg.SetValue(m_dZoom * 100, -1);
        if (dlg.DoModal() != IDOK)
            return;
        m_dZoom = dlg.GetValue() / 100;
        ApplyFitOption(FIT_ZOOM);
    } catch (const CException& e) {
        e.ReportError(MB_OK);
    }
}

void CLumivueView::OnFitGivenX() { askGivenSize(true); }

void CLumivueView::OnFitGivenY() { askGivenSize(false); }

void CLumivueView::askGivenSize(bool horizontal)
{
    try {
        CInputValueDlg dlg(CInputValueDlg::SizeMode);
        dlg.SetHelpID(helpIdOf(horizontal ? ID_FIT_GIVEN_X : ID_FIT_GIVEN_Y));
        dlg.SetPrompt(horizontal ? QStringLiteral("Enter the horizontal size:") : QStringLiteral("Enter the vertical size:"));
        CLumivueDoc* doc = GetDocument();
        LONG* given = doc ? (horizontal ? &doc->m_sizeGiven.cx : &doc->m_sizeGiven.cy) : nullptr;
        dlg.SetValue(given ? *given / 100.0 : 0.0, -1);
        if (dlg.DoModal() != IDOK)
            return;
        // Centimetres to hundredths, truncated toward zero.
        if (given)
            *given = LONG(std::trunc(dlg.GetValue() * 100));
        ApplyFitOption(horizontal ? FIT_GIVEN_X : FIT_GIVEN_Y);
    } catch (const CException& e) {
        e.ReportError(MB_OK);
    }
}
