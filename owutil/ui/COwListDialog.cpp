#include "COwListDialog.h"

#include "framework/dialog/CDataExchange.h"
#include "framework/dialog/DDX.h"
#include "framework/except/CException.h"

#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

COwListDialog::COwListDialog(const QString& prompt, int& selection, QWidget* parent)
    : CDialog(IDD, parent), m_strPrompt(prompt), m_nSelection(selection)
{
    if (const DialogDef* def = FindTemplate(IDD)) {
        BuildFromTemplate(*def);
    } else {
        setWindowTitle(QCoreApplication::applicationName());
        SetDialogSize(200, 140);
        auto* label = AddDlgItem(new QLabel, IDC_PROMPT, 7, 7, 186, 18, QStringLiteral("Prompt"));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        auto* list = AddDlgItem(new QListWidget, IDC_LIST, 7, 28, 186, 86, QStringLiteral("Choices"));
        label->setBuddy(list);
        auto* ok = AddDlgItem(new QPushButton(QStringLiteral("OK")), IDOK, 89, 119, 50, 14, QStringLiteral("OK"));
        ok->setDefault(true);
        AddDlgItem(new QPushButton(QStringLiteral("Cancel")), IDCANCEL, 143, 119, 50, 14, QStringLiteral("Cancel"));
    }
}

COwListDialog::~COwListDialog() = default;

void COwListDialog::AddItem(const QString& text, int number)
{
    if (number == -1)
        number = m_nNextNumber++;
    m_items.append(QStringLiteral("%1\n%2").arg(text).arg(number));
}

void COwListDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROMPT, m_strPrompt);
    if (m_list == nullptr) {
        m_list = qobject_cast<QListWidget*>(pDX->PrepareCtrl(IDC_LIST));
        if (m_list == nullptr)
            throw CNotSupportedException();
        connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
            m_list->setCurrentItem(item);
            accept();
        });
    }
    if (!pDX->m_bSaveAndValidate && !m_bFilled)
        fillList();
}

void COwListDialog::fillList()
{
    m_bFilled = true;
    m_list->setAccessibleDescription(m_strPrompt);
    QListWidgetItem* chosen = nullptr;
    for (const QString& entry : std::as_const(m_items)) {
        const qsizetype cut = entry.indexOf(QLatin1Char('\n'));
        auto* item = new QListWidgetItem(entry.left(cut));
        const int number = entry.mid(cut + 1).toInt();
        item->setData(Qt::UserRole, number);
        // Added before the number is read, so a sorted list places it first.
        m_list->addItem(item);
        if (number == m_nSelection)
            chosen = item;
    }
    if (chosen != nullptr) {
        m_list->setCurrentItem(chosen);
        m_list->scrollToItem(chosen);
    } else if (m_list->count() > 0) {
        // Keyboard focus on the first entry without choosing it.
        m_list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    }
    m_list->setFocus();
    m_nSelection = 0;
}

void COwListDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    const auto selected = m_list->selectedItems();
    if (!selected.isEmpty())
        m_nSelection = selected.front()->data(Qt::UserRole).toInt();
    EndDialog(IDOK);
}
