#include "COwInputDialog.h"

#include "framework/dialog/CDataExchange.h"
#include "framework/dialog/DDX.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

COwInputDialog::COwInputDialog(const QString& prompt, QString& value, QWidget* parent)
    : CDialog(IDD, parent), m_strPrompt(prompt), m_strValue(value), m_strEdited(value)
{
    if (const DialogDef* def = FindTemplate(IDD)) {
        BuildFromTemplate(*def);
    } else {
        setWindowTitle(QCoreApplication::applicationName());
        SetDialogSize(240, 58);
        auto* label = AddDlgItem(new QLabel, IDC_PROMPT, 7, 7, 226, 18, QStringLiteral("Prompt"));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        auto* edit = AddDlgItem(new QLineEdit, IDC_VALUE, 7, 27, 226, 12, QStringLiteral("Value"));
        label->setBuddy(edit);
        auto* ok = AddDlgItem(new QPushButton(QStringLiteral("OK")), IDOK, 129, 42, 50, 14, QStringLiteral("OK"));
        ok->setDefault(true);
        AddDlgItem(new QPushButton(QStringLiteral("Cancel")), IDCANCEL, 183, 42, 50, 14, QStringLiteral("Cancel"));
    }
}

COwInputDialog::~COwInputDialog() = default;

void COwInputDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROMPT, m_strPrompt);
    DDX_Text(pDX, IDC_VALUE, m_strEdited);
    if (!pDX->m_bSaveAndValidate) {
        QWidget* edit = GetDlgItem(IDC_VALUE);
        edit->setAccessibleName(m_strPrompt);
        edit->setAccessibleDescription(m_strPrompt);
        edit->setFocus();
        if (auto* line = qobject_cast<QLineEdit*>(edit))
            line->selectAll();
    }
}

void COwInputDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    m_strValue = m_strEdited;
    EndDialog(IDOK);
}
