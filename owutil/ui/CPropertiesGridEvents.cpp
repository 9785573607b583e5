// The engine's events as the properties grid answers them: the end of an
// edit with its range check, cell-type notifications, double clicks, keys
// and resizing.
#include "CPropertiesGrid.h"

#include "framework/dialog/CPropertyPage.h"
#include "framework/dialog/CPropertySheet.h"
#include "owutil/text/NumberFormat.h"
#include "platform/ui/KeyState.h"
#include "platform/ui/MessageBox.h"

#include <QLineEdit>
#include <algorithm>

int CPropertiesGrid::OnEditFinish(int col, int r, QLineEdit*, const QString& text, BOOL cancelFlag, BOOL)
{
    // Escape leaves the cell as it was: nothing to check, nothing changed.
    if (cancelFlag)
        return TRUE;
    CUGCell cell;
    GetCell(col, r, &cell);
    const int accepted = OnEditFinishEx(col, r, &cell, text);
    SetCell(col, r, &cell);
    RedrawCell(col, r);
    // A refused text leaves the value as it was.
    if (accepted != 0)
        m_bChanged = true;
    return accepted;
}

int CPropertiesGrid::OnEditFinishEx(int, int r, CUGCell*, const QString& text)
{
    const CGridSetup* s = row(r);
    if (s == nullptr || (s->m_nKind != CGridSetup::KindInteger && s->m_nKind != CGridSetup::KindDouble))
        return 1;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    const double low = std::min(s->m_dMin, s->m_dMax), high = std::max(s->m_dMin, s->m_dMax);
    if (ok && value >= low && value <= high)
        return 1;
    const QString message = QStringLiteral("The cell has range limits of %1 to %2.  Please enter a value in this range.")
                                .arg(OwUtil::GetDoubleStr(s->m_dMin, 16, s->m_nDecimals, true),
                                     OwUtil::GetDoubleStr(s->m_dMax, 16, s->m_nDecimals, true));
    MessageBox(this, message, QString(), MB_OK);
    return 0;
}

int CPropertiesGrid::OnCellTypeNotify(long, int col, int r, long msg, intptr_t)
{
    CUGCell cell;
    GetCell(col, r, &cell);
    int result = 1;
    if (msg == UGCT_CHECKBOXSET) {
        result = OnCheckBox(col, r, &cell);
    } else if (msg == UGCT_BUTTONCLICK) {
        const CGridSetup* s = row(r);
        if (s && s->m_nKind == CGridSetup::KindChoice) {
            result = OnList(col, r, &cell);
            // The list that drops is the one OnList left in the cell.
            SetCell(col, r, &cell);
        } else {
            result = OnEllipse(col, r, &cell);
        }
    }
    m_bChanged = true;
    return result;
}

int CPropertiesGrid::OnCheckBox(int col, int r, CUGCell* cell)
{
    cell->SetLabelText(GetLabel(r, int(cell->GetNumber())));
    SetCell(col, r, cell);
    RedrawCell(col, r);
    return 1;
}

int CPropertiesGrid::OnEllipse(int, int, CUGCell*)
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    return 1;
}

int CPropertiesGrid::OnList(int, int, CUGCell*) { return 1; }

void CPropertiesGrid::OnDClicked(int col, int, const CRect&, const CPoint&, BOOL processed)
{
    if (!processed && col >= 0)
        StartEdit();
}

void CPropertiesGrid::OnKeyDown(UINT* vcKey, BOOL* processed)
{
    if (*processed)
        return;
    if (*vcKey == Qt::Key_Tab || *vcKey == Qt::Key_Backtab || *vcKey == Qt::Key_Escape)
        *processed = passToParent(int(*vcKey)) ? TRUE : FALSE;
}

void CPropertiesGrid::OnCharDown(UINT* vcKey, BOOL* processed)
{
    if (*processed)
        return;
    *processed = StartEdit(QString(QChar(char16_t(*vcKey)))) == UG_SUCCESS ? TRUE : FALSE;
}

bool CPropertiesGrid::passToParent(int key)
{
    QWidget* parent = parentWidget();
    const bool back = key == Qt::Key_Backtab || GetKeyState(VK_SHIFT) < 0;
    if (auto* page = qobject_cast<CPropertyPage*>(parent)) {
        CPropertySheet* sheet = page->GetSheet();
        if (sheet == nullptr)
            return false;
        if (key == Qt::Key_Escape)
            sheet->PressButton(PSBTN_CANCEL);
        else if (back)
            sheet->PrevDlgCtrl();
        else
            sheet->NextDlgCtrl();
        return true;
    }
    if (auto* dialog = qobject_cast<CDialog*>(parent)) {
        if (key == Qt::Key_Escape)
            dialog->SendCommand(IDCANCEL);
        else if (back)
            dialog->PrevDlgCtrl();
        else
            dialog->NextDlgCtrl();
        return true;
    }
    return false;
}

void CPropertiesGrid::OnSize(int, int cy)
{
    FitToWindow(0, 0);
    // A grid that grew taller than all its rows returns to its first cell:
    // nothing is left to scroll to, and the first row shows at the top.
    const bool grew = cy > m_nLastHeight;
    m_nLastHeight = cy;
    if (!m_bSettingUp && grew && viewport()->height() > GetTotalHeight()) {
        SetTopRow(0);
        GotoCell(0, 0);
    }
}
