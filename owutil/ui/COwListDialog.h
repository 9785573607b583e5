#pragma once
// A choice from a list on template 22001, which the client program
// describes with a static 1001 for the prompt and a list box 1000 (its
// LBS_SORT style sorts the entries); without one the dialog takes a plain
// layout of its own. Each item carries a number: OK or a double click on an
// entry sets the caller's selection to that entry's number, and anything
// else leaves it 0, so automatic numbers start at 1.
#include "framework/dialog/CDialog.h"

#include <QString>
#include <QStringList>

class QListWidget;
class QListWidgetItem;

class COwListDialog : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 22001 };
    enum { IDC_LIST = 1000, IDC_PROMPT = 1001 };

    // The entry whose number is selection is chosen when the dialog opens.
    COwListDialog(const QString& prompt, int& selection, QWidget* parent = nullptr);
    ~COwListDialog() override;

    // Appends text with number; -1 takes the next automatic number (1, 2,
    // 3...), an explicit number leaves that count alone.
    void AddItem(const QString& text, int number = -1);
    // The items as "text\nnumber".
    const QStringList& Items() const { return m_items; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    void fillList();

    QString m_strPrompt;
    int& m_nSelection;
    int m_nNextNumber = 1;
    QStringList m_items;
    QListWidget* m_list = nullptr;
    bool m_bFilled = false;
};
