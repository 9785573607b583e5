#include "CPropertyPage.h"

#include "CPropertySheet.h"

#include <QKeyEvent>

CPropertyPage::CPropertyPage(UINT nIDTemplate, const QString& caption)
    : CDialog(nIDTemplate, nullptr)
    , m_caption(caption)
{
}

CPropertyPage::~CPropertyPage() = default;

QString CPropertyPage::GetCaption() const { return m_caption.isEmpty() ? windowTitle() : m_caption; }

void CPropertyPage::SetModified(bool changed)
{
    m_modified = changed;
    if (m_sheet)
        m_sheet->pageModified();
}

BOOL CPropertyPage::OnSetActive()
{
    if (!m_initialized) {
        m_initialized = true;
        OnInitDialog();
    }
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(true) ? TRUE : FALSE; }

void CPropertyPage::OnOK() { m_modified = false; }

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    SetModified(false);
    return TRUE;
}

void CPropertyPage::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The sheet's buttons answer these, not the page as a dialog would.
        event->ignore();
        return;
    default:
        CDialog::keyPressEvent(event);
    }
}
