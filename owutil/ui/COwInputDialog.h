#pragma once
// A text prompt on template 22000, which the client program describes
// (CModule::AddDialog in its resource module) with a static 1001 for the
// prompt and an edit 1000 for the value; without one the dialog takes a
// plain layout of its own with the same controls. OK stores the typed text
// into the caller's value; Cancel leaves it as it was.
#include "framework/dialog/CDialog.h"

#include <QString>

class COwInputDialog : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 22000 };
    enum { IDC_VALUE = 1000, IDC_PROMPT = 1001 };

    COwInputDialog(const QString& prompt, QString& value, QWidget* parent = nullptr);
    ~COwInputDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    QString m_strPrompt;
    QString& m_strValue;
    QString m_strEdited;
};
