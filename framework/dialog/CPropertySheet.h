#pragma once
// A tabbed dialog of CPropertyPage pages with OK, Cancel and Apply buttons
// below. OK asks the active page to save and validate (OnKillActive), then
// tells every initialised page OnOK and closes with IDOK; Cancel tells them
// OnCancel and closes with IDCANCEL. Apply is available while a page is
// modified.
#include "CDialog.h"
#include "CPropertyPage.h"

#include <QPointer>
#include <QString>
#include <vector>

#include "CPropertyPage.h"
class QPushButton;
class QTabWidget;

// PressButton's buttons.
enum : int { PSBTN_BACK = 0, PSBTN_NEXT = 1, PSBTN_FINISH = 2, PSBTN_OK = 3, PSBTN_APPLYNOW = 4, PSBTN_CANCEL = 5, PSBTN_HELP = 6 };
// Control ids of the sheet's own controls.
enum : int { ID_APPLY_NOW = 0x3021, AFX_IDC_TAB_CONTROL = 0x3020 };

class CPropertySheet : public CDialog {
    Q_OBJECT
public:
    explicit CPropertySheet(const QString& caption, QWidget* parent = nullptr, int selectPage = 0);
    ~CPropertySheet() override;

    // Adds page (not owned: it must outlive the sheet's use of it).
    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // FALSE when the active page refuses to let go, or index is no page.
    BOOL SetActivePage(int index);
    QTabWidget* GetTabControl() const { return m_tabs; }

    INT_PTR DoModal() override;
    // As if the user pressed the button (PSBTN_...).
    void PressButton(int button);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    friend class CPropertyPage;
    void pageModified();
    void onApply();
    void onTabChanged(int index);

    QTabWidget* m_tabs;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_apply;
    // Guarded: a page destroyed before the sheet leaves a null here.
    std::vector<QPointer<CPropertyPage>> m_pages;
    int m_initialPage;
    int m_active = -1;
    bool m_switching = false;
};
