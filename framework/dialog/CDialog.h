#pragma once
// The framework's dialog: built from a template id, run modally by DoModal,
// its controls found by their control ids, its data moved to and from the
// controls by DoDataExchange. OK (id 1) validates the data and closes with
// IDOK; Cancel (id 2), Escape and the window's close button close with
// IDCANCEL; F1 and a Help button (id 9) ask the application for help on the
// dialog's help id.
//
// A derived dialog creates its controls in its constructor with AddDlgItem,
// in dialog units (CDialogUnits), as its template lays them out.
#include "CDialogUnits.h"
#include "platform/module/ResourceTypes.h"
#include "platform/types/Win32Types.h"

#include <QDialog>

class CDataExchange;

class CDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDialog(UINT nIDTemplate, QWidget* parent = nullptr);
    ~CDialog() override;

    UINT GetTemplateID() const { return m_nIDTemplate; }

    // Runs the dialog modally: OnInitDialog, then the user. Returns the
    // result EndDialog was given: IDOK, IDCANCEL or a dialog's own.
    virtual INT_PTR DoModal();
    // Closes a modal dialog; DoModal returns result. A modeless dialog is
    // hidden.
    void EndDialog(int result);
    // Shows the dialog modeless: OnInitDialog, then the window appears and
    // the call returns. TRUE once the window exists.
    virtual BOOL Create();
    // Whether Create or DoModal has made the window (and the dialog's
    // controls hold its data).
    bool IsCreated() const { return m_bCreated; }

    // The template id of a dialog that the client program describes as data
    // (CModule::AddDialog): the resource module chosen by
    // AfxSetResourceHandle first, then the program's own. Null when neither
    // has it.
    static const DialogDef* FindTemplate(UINT id);

    // The help id: the template id unless set. Help shows the context
    // HID_BASE_RESOURCE + m_nIDHelp, as for any window of the framework.
    void SetHelpID(int id) { m_nIDHelp = UINT(id); }
    UINT m_nIDHelp;

    // Moves the data to the controls (false) or from them with validation
    // (true). False when a value was invalid; the user has been told, and the
    // control in question has the focus.
    bool UpdateData(bool saveAndValidate = true);

    // The child whose "id" property is id, or null.
    QWidget* GetDlgItem(int id) const;
    static QWidget* FindDlgItem(const QWidget* parent, int id);

    // Check boxes and radio buttons by control id: BST_UNCHECKED (0),
    // BST_CHECKED (1); any non-zero check checks. CheckRadioButton checks
    // id and clears every other radio button with an id from first to last
    // (an id outside the range clears them all).
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int first, int last, int id);
    // The focus to the next (previous) control in tab order, as the
    // platform's WM_NEXTDLGCTL does; a control that keeps Tab for itself
    // (a grid) passes it on this way.
    void NextDlgCtrl();
    void PrevDlgCtrl();
    // The command of a button: IDOK, IDCANCEL or IDHELP run their handlers,
    // as if the button had been pressed.
    void SendCommand(int id);

    // Dialog units of the dialog's current font.
    CDialogUnits DialogUnits() const { return CDialogUnits(font()); }

protected:
    // Sets the dialog's client size from the template, in dialog units.
    void SetDialogSize(int cx, int cy);
    // Creates the caption, size and controls that def describes
    // (CDialogTemplate.cpp).
    void BuildFromTemplate(const DialogDef& def);
    // Makes control a child with control id id at the template's position
    // (dialog units), and gives it the object name "ctl<id>" and an
    // accessible name. Returns control.
    template <class W>
    W* AddDlgItem(W* control, int id, int x, int y, int cx, int cy, const QString& accessibleName)
    {
        placeItem(control, id, x, y, cx, cy, accessibleName);
        return control;
    }

    virtual void DoDataExchange(CDataExchange* pDX);
    // Before the dialog shows: loads the data into the controls. TRUE leaves
    // the focus to the dialog (its first control in tab order).
    virtual BOOL OnInitDialog();
    // OK: closes with IDOK once the data is saved and valid.
    virtual void OnOK();
    // Cancel: closes with IDCANCEL and saves nothing.
    virtual void OnCancel();
    // Help: the application's help on the dialog's help id.
    virtual void OnHelp();

    // Qt's ways of accepting and rejecting come to OnOK and OnCancel.
    void accept() override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeItem(QWidget* control, int id, int x, int y, int cx, int cy, const QString& accessibleName);
    void connectButtons();
    // Runs a handler called from Qt's event loop, where no exception may
    // pass: a framework exception is reported with the standard error box.
    template <class F>
    void guarded(F handler);

    UINT m_nIDTemplate;
    bool m_buttonsConnected = false;
    bool m_bCreated = false;
};
