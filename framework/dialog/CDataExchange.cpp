#include "CDataExchange.h"

#include "CDialog.h"
#include "framework/except/CException.h"

#include <QLineEdit>

CDataExchange::CDataExchange(CDialog* dlg, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlg)
{
}

QWidget* CDataExchange::PrepareCtrl(int id)
{
    QWidget* control = m_pDlgWnd->GetDlgItem(id);
    if (control == nullptr)
        throw CNotSupportedException();
    m_lastControl = control;
    m_lastIsEdit = false;
    return control;
}

QLineEdit* CDataExchange::PrepareEditCtrl(int id)
{
    auto* edit = qobject_cast<QLineEdit*>(PrepareCtrl(id));
    if (edit == nullptr)
        throw CNotSupportedException();
    m_lastIsEdit = true;
    return edit;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_lastControl != nullptr) {
        m_lastControl->setFocus(Qt::OtherFocusReason);
        if (m_lastIsEdit)
            static_cast<QLineEdit*>(m_lastControl)->selectAll();
    }
    throw CUserException();
}
