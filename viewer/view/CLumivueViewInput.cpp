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

void CLumivueView::OnFitGivenX()
{
    try {
        CInputValueDlg dlg(CInputValueDlg::SizeMode);
        dlg.SetHelpID(helpIdOf(ID_FIT_GIVEN_X));
        dlg.SetPrompt(QStringLiteral("Enter the horizontal size:"));
        CLumivueDoc* doc = GetDocument();
        dlg.SetValue(doc ? doc->m_sizeGiven.cx / 100.0 : 0.0, -1);
        if (dlg.DoModal() != IDOK)
            return;
        if (doc)
            doc->m_sizeGiven.cx = LONG(std::trunc(dlg.GetValue() * 100));
        ApplyFitOption(FIT_GIVEN_X);
    } catch (const CException& e) {
        e.ReportError(MB_OK);
    }
}

void CLumivueView::OnFitGivenY()
{
    try {
        CInputValueDlg dlg(CInputValueDlg::SizeMode);
        dlg.SetHelpID(helpIdOf(ID_FIT_GIVEN_Y));
        dlg.SetPrompt(QStringLiteral("Enter the vertical size:"));
        CLumivueDoc* doc = GetDocument();
        dlg.SetValue(doc ? doc->m_sizeGiven.cy / 100.0 : 0.0, -1);
        if (dlg.DoModal() != IDOK)
            return;
        if (doc)
            doc->m_sizeGiven.cy = LONG(std::trunc(dlg.GetValue() * 100));
        ApplyFitOption(FIT_GIVEN_Y);
    } catch (const CException& e) {
        e.ReportError(MB_OK);
    }
}
