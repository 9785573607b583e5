#pragma once
// The context of one dialog data exchange: its direction and the control
// that the exchange routines (DDX_...) are working on, so that a failed
// validation can put the focus back on the control that failed.
class CDialog;
class QLineEdit;
class QWidget;

class CDataExchange {
public:
    CDataExchange(CDialog* dlg, bool saveAndValidate);

    // The control id of dialog m_pDlgWnd, now the one being exchanged.
    // Throws CNotSupportedException when the dialog has no such control: a
    // template and its exchange disagree, which no user can correct.
    QWidget* PrepareCtrl(int id);
    // As PrepareCtrl for an edit; a failure also selects the edit's text.
    QLineEdit* PrepareEditCtrl(int id);
    // Ends the exchange as invalid: focuses the last prepared control and
    // throws CUserException, which UpdateData turns into false. The routine
    // calling this has already told the user why.
    [[noreturn]] void Fail();

    const bool m_bSaveAndValidate;
    CDialog* const m_pDlgWnd;

private:
    QWidget* m_lastControl = nullptr;
    bool m_lastIsEdit = false;
};
