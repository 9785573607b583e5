#include "CPropertySheet.h"

#include "CPropertyPage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CPropertySheet::CPropertySheet(const QString& caption, QWidget* parent, int selectPage)
    : CDialog(0, parent)
    , m_tabs(new QTabWidget(this))
    , m_ok(new QPushButton(tr("OK"), this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
    , m_apply(new QPushButton(tr("&Apply"), this))
    , m_initialPage(selectPage)
{
    setWindowTitle(caption);
    setAccessibleName(caption);
    const struct {
        QWidget* widget;
        int id;
        QString name;
    } items[] = {{m_tabs, AFX_IDC_TAB_CONTROL, tr("Pages")},
                 {m_ok, IDOK, tr("OK")},
                 {m_cancel, IDCANCEL, tr("Cancel")},
                 {m_apply, ID_APPLY_NOW, tr("Apply")}};
    for (const auto& item : items) {
        item.widget->setProperty("id", item.id);
        item.widget->setObjectName(QStringLiteral("ctl%1").arg(item.id));
        item.widget->setAccessibleName(item.name);
    }
    m_ok->setDefault(true);
    m_apply->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_apply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);

    connect(m_apply, &QPushButton::clicked, this, [this] { onApply(); });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { onTabChanged(index); });
}

CPropertySheet::~CPropertySheet()
{
    // The pages belong to the caller: take them out of the tab widget so
    // that it does not delete them.
    for (const auto& page : m_pages)
        if (page && page->parent()) {
            page->hide();
            page->setParent(nullptr);
        }
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (page == nullptr || GetPageIndex(page) >= 0)
        return;
    page->m_sheet = this;
    m_pages.push_back(page);
    const QSignalBlocker block(m_tabs);
    m_tabs->addTab(page, page->GetCaption());
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < int(m_pages.size()) ? m_pages[size_t(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i] == page)
            return int(i);
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(m_active); }

int CPropertySheet::GetActiveIndex() const { return m_active; }

BOOL CPropertySheet::SetActivePage(int index)
{
    if (GetPage(index) == nullptr)
        return FALSE;
    if (index == m_active)
        return TRUE;
    if (CPropertyPage* old = GetActivePage(); old && !old->OnKillActive())
        return FALSE;
    m_active = index;
    {
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(index);
    }
    GetPage(index)->OnSetActive();
    return TRUE;
}

void CPropertySheet::onTabChanged(int index)
{
    if (m_switching)
        return;
    const int previous = m_active;
    if (!SetActivePage(index)) {
        // The page that refused keeps the tab.
        m_switching = true;
        m_tabs->setCurrentIndex(previous);
        m_switching = false;
    }
}

INT_PTR CPropertySheet::DoModal() { return CDialog::DoModal(); }

BOOL CPropertySheet::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_active = -1;
    SetActivePage(GetPage(m_initialPage) ? m_initialPage : 0);
    // The focus starts on the page's first control, as on a dialog.
    if (CPropertyPage* page = GetActivePage())
        for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain())
            if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->isHidden()) {
                w->setFocus(Qt::TabFocusReason);
                break;
            }
    return TRUE;
}

void CPropertySheet::OnOK()
{
    if (CPropertyPage* page = GetActivePage(); page && !page->OnKillActive())
        return;
    for (const auto& page : m_pages)
        if (page && page->IsInitialized())
            page->OnOK();
    EndDialog(IDOK);
}

void CPropertySheet::OnCancel()
{
    for (const auto& page : m_pages)
        if (page && page->IsInitialized())
            page->OnCancel();
    EndDialog(IDCANCEL);
}

void CPropertySheet::PressButton(int button)
{
    switch (button) {
    case PSBTN_OK: m_ok->click(); break;
    case PSBTN_CANCEL: m_cancel->click(); break;
    case PSBTN_APPLYNOW:
        if (m_apply->isEnabled())
            m_apply->click();
        break;
    default: break;
    }
}

void CPropertySheet::pageModified()
{
    bool any = false;
    for (const auto& page : m_pages)
        any = any || (page && page->IsModified());
    m_apply->setEnabled(any);
}

void CPropertySheet::onApply()
{
    if (CPropertyPage* page = GetActivePage(); page && !page->OnKillActive())
        return;
    for (const auto& page : m_pages)
        if (page && page->IsInitialized() && page->IsModified())
            page->OnApply();
    pageModified();
}
