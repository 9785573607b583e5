#include "CInputValueDlg.h"

#include "framework/dialog/CDataExchange.h"
#include "framework/dialog/DDX.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CInputValueDlg::CInputValueDlg(int mode, QWidget* parent) : CDialog(IDD, parent), m_nMode(mode)
{
    // Template 142, in dialog units.
    setWindowTitle(QStringLiteral("Input Value"));
    SetDialogSize(294, 46);
    auto* prompt = AddDlgItem(new QLabel(QStringLiteral("Prompt")), IDC_PROMPT, 7, 7, 223, 8, QStringLiteral("Prompt"));
    // Stands in for the mode's edit until the first exchange puts it here.
    auto* value = AddDlgItem(new QLineEdit, IDC_VALUE, 7, 19, 223, 14, QStringLiteral("Value"));
    prompt->setBuddy(value);
    auto* ok = AddDlgItem(new QPushButton(QStringLiteral("OK")), IDOK, 237, 7, 50, 14, QStringLiteral("OK"));
    ok->setDefault(true);
    AddDlgItem(new QPushButton(QStringLiteral("Cancel")), IDCANCEL, 237, 24, 50, 14, QStringLiteral("Cancel"));
}

CInputValueDlg::~CInputValueDlg() = default;

void CInputValueDlg::SetPrompt(const QString& prompt) { m_strPrompt = prompt; }

void CInputValueDlg::SetValue(double value, int unit)
{
    m_dValue = value;
    m_nUnit = unit;
}

void CInputValueDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROMPT, m_strPrompt);
    if (m_nMode == PercentMode)
        DDX_Control(pDX, IDC_VALUE, m_percentEdit);
    else if (m_nMode == SizeMode)
        DDX_Control(pDX, IDC_VALUE, m_sizeEdit);
    if (!pDX->m_bSaveAndValidate && !m_strPrompt.isEmpty())
        GetDlgItem(IDC_VALUE)->setAccessibleName(m_strPrompt);
    if (m_nMode == PercentMode)
        CPercentEdit::DDX_PercentEdit(pDX, IDC_VALUE, m_dValue, m_nUnit);
    else if (m_nMode == SizeMode)
        CSizeEdit::DDX_SizeEdit(pDX, IDC_VALUE, m_dValue, m_nUnit);
    if (m_okButton.GetButton() == nullptr)
        m_okButton.SubclassDlgItem(IDOK, this);
    if (m_cancelButton.GetButton() == nullptr)
        m_cancelButton.SubclassDlgItem(IDCANCEL, this);
    // Both tables have their default unit first: from now on the value is
    // kept, and read back, in that unit.
    if (m_nUnit == -1)
        m_nUnit = 0;
}
