#include "CProgressDlg.h"

#include "framework/app/CWinApp.h"
#include "framework/except/CException.h"
#include "owutil/resources/OwUtilModule.h"

#include <QLabel>
#include <QPushButton>

CProgressDlg::CProgressDlg(QWidget* parent) : CDialog(IDD, parent)
{
    // Template 1005, in dialog units.
    setWindowTitle(QStringLiteral("Progress"));
    SetDialogSize(220, 62);
    auto* text = AddDlgItem(new QLabel, IDC_TEXT, 7, 7, 206, 16, QStringLiteral("Progress text"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    AddDlgItem(&m_Progress, IDC_PROGRESS, 7, 26, 206, 10, QStringLiteral("Progress"));
    AddDlgItem(new QPushButton(QStringLiteral("Cancel")), IDCANCEL, 85, 42, 50, 14, QStringLiteral("Cancel"));
}

CProgressDlg::~CProgressDlg() = default;

BOOL CProgressDlg::Create()
{
    const HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(OwUtilModule());
    BOOL created = FALSE;
    try {
        // Without owner, whatever parent the dialog was built with.
        if (parentWidget() != nullptr)
            setParent(nullptr, windowFlags());
        created = CDialog::Create();
    } catch (const CException& e) {
        e.ReportError();
    }
    AfxSetResourceHandle(previous);
    return created;
}

BOOL CProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strTitle.isEmpty())
        setWindowTitle(m_strTitle);
    if (auto* text = qobject_cast<QLabel*>(GetDlgItem(IDC_TEXT))) {
        text->setText(m_strText);
        m_Progress.setAccessibleDescription(m_strText);
    }
    m_Progress.SetRange32(m_nMin, m_nMax);
    m_Progress.SetStep(m_nStep);
    m_Progress.SetPos(m_nPos);
    return TRUE;
}

void CProgressDlg::SetTitle(const QString& title)
{
    m_strTitle = title;
    if (IsCreated())
        setWindowTitle(title.isEmpty() ? QStringLiteral("Progress") : title);
}

void CProgressDlg::SetText(const QString& text)
{
    m_strText = text;
    if (IsCreated())
        if (auto* label = qobject_cast<QLabel*>(GetDlgItem(IDC_TEXT)))
            label->setText(text);
}

void CProgressDlg::SetMin(int minimum)
{
    m_nMin = minimum;
    if (IsCreated())
        m_Progress.SetRange32(m_nMin, m_nMax);
}

void CProgressDlg::SetMax(int maximum)
{
    m_nMax = maximum;
    if (IsCreated())
        m_Progress.SetRange32(m_nMin, m_nMax);
}

void CProgressDlg::SetStep(int step)
{
    m_nStep = step;
    if (IsCreated())
        m_Progress.SetStep(step);
}

void CProgressDlg::SetPos(int pos)
{
    m_nPos = pos;
    if (IsCreated())
        m_Progress.SetPos(pos);
}

void CProgressDlg::OffsetPos(int delta)
{
    if (IsCreated())
        m_Progress.OffsetPos(delta);
}

void CProgressDlg::IncrPos()
{
    if (IsCreated())
        m_Progress.StepIt();
}
