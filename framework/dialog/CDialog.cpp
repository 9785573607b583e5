#include "CDialog.h"

#include "CDataExchange.h"
#include "framework/app/CWinApp.h"
#include "framework/app/HelpIds.h"
#include "framework/except/CException.h"

#include <QAbstractButton>
#include <QKeyEvent>

CDialog::CDialog(UINT nIDTemplate, QWidget* parent)
    : QDialog(parent), m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate)
{
    setProperty("id", int(nIDTemplate));
    setObjectName(QStringLiteral("dlg%1").arg(nIDTemplate));
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal()
{
    connectButtons();
    m_bCreated = true;
    OnInitDialog();
    return exec();
}

BOOL CDialog::Create()
{
    connectButtons();
    m_bCreated = true;
    OnInitDialog();
    show();
    return TRUE;
}

void CDialog::EndDialog(int result) { done(result); }

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return false;
    }
    return true;
}

QWidget* CDialog::GetDlgItem(int id) const { return FindDlgItem(this, id); }

QWidget* CDialog::FindDlgItem(const QWidget* parent, int id)
{
    if (parent == nullptr)
        return nullptr;
    // Direct children first: a dialog's own controls, not those of a child
    // dialog or of a control's inner widgets, which may reuse the ids.
    const auto children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* w : children)
        if (const QVariant v = w->property("id"); v.isValid() && v.toInt() == id)
            return w;
    for (QWidget* w : children)
        if (QWidget* found = FindDlgItem(w, id))
            return found;
    return nullptr;
}

void CDialog::CheckDlgButton(int id, UINT check)
{
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    if (button == nullptr)
        return;
    // Qt keeps one radio of a group checked; the platform lets a program
    // clear them all.
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(check != 0);
    button->setAutoExclusive(exclusive);
}

UINT CDialog::IsDlgButtonChecked(int id) const
{
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    return button != nullptr && button->isChecked() ? 1u : 0u;
}

void CDialog::CheckRadioButton(int first, int last, int id)
{
    for (int other = first; other <= last; ++other)
        if (other != id)
            CheckDlgButton(other, 0);
    if (id >= first && id <= last)
        CheckDlgButton(id, 1);
}

void CDialog::NextDlgCtrl() { focusNextPrevChild(true); }

void CDialog::PrevDlgCtrl() { focusNextPrevChild(false); }

void CDialog::SendCommand(int id)
{
    switch (id) {
    case IDOK: guarded([this] { OnOK(); }); break;
    case IDCANCEL: guarded([this] { OnCancel(); }); break;
    case IDHELP: guarded([this] { OnHelp(); }); break;
    default: break;
    }
}

void CDialog::SetDialogSize(int cx, int cy) { setFixedSize(DialogUnits().MapSize(cx, cy)); }

void CDialog::placeItem(QWidget* control, int id, int x, int y, int cx, int cy, const QString& accessibleName)
{
    control->setParent(this);
    control->setGeometry(DialogUnits().MapItem(x, y, cx, cy));
    control->setProperty("id", id);
    control->setObjectName(QStringLiteral("ctl%1").arg(id));
    control->setAccessibleName(accessibleName);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnHelp()
{
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(HID_BASE_RESOURCE + m_nIDHelp, HELP_CONTEXT);
}

void CDialog::accept()
{
    guarded([this] { OnOK(); });
}

void CDialog::reject()
{
    guarded([this] { OnCancel(); });
}

void CDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        guarded([this] { OnHelp(); });
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CDialog::connectButtons()
{
    if (m_buttonsConnected)
        return;
    m_buttonsConnected = true;
    const struct {
        int id;
        void (CDialog::*handler)();
    } standard[] = {{IDOK, &CDialog::OnOK}, {IDCANCEL, &CDialog::OnCancel}, {IDHELP, &CDialog::OnHelp}};
    for (const auto& s : standard)
        if (auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(s.id)))
            connect(button, &QAbstractButton::clicked, this, [this, h = s.handler] { guarded([this, h] { (this->*h)(); }); });
}

template <class F>
void CDialog::guarded(F handler)
{
    try {
        handler();
    } catch (const CException& e) {
        e.ReportError();
    }
}
