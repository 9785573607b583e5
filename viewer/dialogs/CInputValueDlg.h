#pragma once
// The one-value prompt of the zoom and given-size commands: a prompt above
// an edit that takes a number with its unit, in percent (PercentMode) or as
// a size (SizeMode). The value reads back in the unit it was set in; a value
// set without a unit is in the mode's default unit (percent, centimetres).
#include "framework/dialog/CDialog.h"
#include "toolkit/COXCoolButton.h"
#include "toolkit/COXHotTrackEdit.h"
#include "viewer/dialogs/CPercentEdit.h"
#include "viewer/dialogs/CSizeEdit.h"

class CInputValueDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 142 };
    enum { IDC_PROMPT = 1000, IDC_VALUE = 1001 };
    enum Mode { PercentMode = 1, SizeMode = 2 };

    explicit CInputValueDlg(int mode, QWidget* parent = nullptr);
    ~CInputValueDlg() override;

    void SetPrompt(const QString& prompt);
    // unit: an index of the mode's unit table; -1 for its default unit.
    void SetValue(double value, int unit = -1);
    double GetValue() const { return m_dValue; }
    // The unit of the value: -1 until the dialog has first exchanged its
    // data, then the unit the value is kept in.
    int GetUnit() const { return m_nUnit; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    int m_nMode;
    QString m_strPrompt;
    COXHotTrackEdit<CPercentEdit> m_percentEdit;
    COXHotTrackEdit<CSizeEdit> m_sizeEdit;
    double m_dValue = 0;
    int m_nUnit = -1;
    COXCoolButton m_okButton;
    COXCoolButton m_cancelButton;
};
