#pragma once
// "Pick Time & Date" (template 1004): a prompt over a date and time picker
// with a drop-down calendar. The caller's time is seconds since 1 January
// 1970 counted in local wall-clock time; the dialog shows it as the
// universal time that the local zone's standard bias (no daylight saving)
// makes of it, and OK gives back what the user picked, less the same bias.
#include "framework/dialog/CDialog.h"
#include "toolkit/COXDateTimeCtrl.h"

#include <QString>
#include <cstdint>

class CDateTimeDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 1004 };
    enum { IDC_DATETIME = 1007, IDC_PROMPT = 1008 };

    explicit CDateTimeDlg(QWidget* parent = nullptr);
    ~CDateTimeDlg() override;

    // Keeps prompt and the caller's time, which OK overwrites.
    void Setup(const QString& prompt, uint32_t* time);

    // The local zone's standard bias in seconds: universal time minus
    // standard local time (positive west of Greenwich), as the zone's rules
    // stand now.
    static int64_t StandardBias();

    COXDateTimeCtrl& DateTimeCtrl() { return m_DateTime; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void onDropDown();

    COXDateTimeCtrl m_DateTime;
    QString m_strPrompt;
    uint32_t* m_pTime = nullptr;
    // The caller's time with the bias added, as shown.
    int64_t m_nShown = 0;
    int64_t m_nBias = 0;
};
