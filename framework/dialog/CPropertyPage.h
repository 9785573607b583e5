#pragma once
// One page of a CPropertySheet: a dialog template shown on a tab. The sheet
// runs the page's OnInitDialog when the page first becomes active, asks
// OnKillActive (which saves and validates the data) before another page or
// OK takes over, and tells every page of OK (OnOK) and Cancel (OnCancel).
// Escape and Return on a page are the sheet's keys.
#include "CDialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
    Q_OBJECT
public:
    explicit CPropertyPage(UINT nIDTemplate, const QString& caption = QString());
    ~CPropertyPage() override;

    // The tab's text: the caption given, else the page's window title.
    QString GetCaption() const;
    // The sheet the page is on, null before AddPage.
    CPropertySheet* GetSheet() const { return m_sheet; }
    // Marks the page changed: the sheet's Apply button becomes available.
    void SetModified(bool changed = true);
    bool IsModified() const { return m_modified; }
    bool IsInitialized() const { return m_initialized; }

    // The page becomes the active one; the first time, its OnInitDialog runs.
    virtual BOOL OnSetActive();
    // The page stops being the active one: its data is saved and validated;
    // FALSE keeps it active.
    virtual BOOL OnKillActive();
    // OK or Apply: the data of an initialised page is already saved.
    void OnOK() override;
    // Cancel: nothing to undo here; a page that changed things live undoes them.
    void OnCancel() override;
    // Apply: OnOK, then the page is no longer modified.
    virtual BOOL OnApply();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class CPropertySheet;
    QString m_caption;
    CPropertySheet* m_sheet = nullptr;
    bool m_modified = false;
    bool m_initialized = false;
};
