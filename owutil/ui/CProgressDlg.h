#pragma once
// "Progress" (template 1005): a modeless window with a text, a progress bar
// and a Cancel button that only closes it. The title, text, range, step and
// position can be set before Create; they take effect when it is created.
#include "framework/controls/CProgressCtrl.h"
#include "framework/dialog/CDialog.h"

#include <QString>

class CProgressDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 1005 };
    enum { IDC_PROGRESS = 1009, IDC_TEXT = 1010 };

    explicit CProgressDlg(QWidget* parent = nullptr);
    ~CProgressDlg() override;

    // Shows the dialog, without owner, and returns at once: non-zero once
    // the window exists, 0 when it cannot be created.
    BOOL Create() override;

    void SetTitle(const QString& title);
    void SetText(const QString& text);
    void SetMin(int minimum);
    void SetMax(int maximum);
    void SetStep(int step);
    void SetPos(int pos);
    // Move the bar without changing the stored position.
    void OffsetPos(int delta);
    void IncrPos();

    CProgressCtrl& ProgressCtrl() { return m_Progress; }

protected:
    BOOL OnInitDialog() override;

private:
    QString m_strText;
    QString m_strTitle;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPos = 0;
    int m_nStep = 1;
    CProgressCtrl m_Progress;
};
