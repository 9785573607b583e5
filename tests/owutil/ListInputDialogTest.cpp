// The text prompt and the list choice: the client's own templates, the
// plain layouts without one, item numbers, preselection and the results.
#include "owutil/ui/COwInputDialog.h"
#include "owutil/ui/COwListDialog.h"
#include "tests/common/ModalDialog.h"

#include "framework/app/CWinApp.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QListWidget* listOf(QDialog* d) { return qobject_cast<QListWidget*>(CDialog::FindDlgItem(d, 1000)); }

// A client's resources with its own templates 22000 and 22001.
class ClientTemplates {
public:
    ClientTemplates() : m_previous(AfxGetResourceHandle())
    {
        DialogDef input{QStringLiteral("Rename Layer"), 180, 50, {}};
        input.items = {
            {DialogItemDef::Static, 1001, QStringLiteral("Name:"), 7, 7, 166, 8},
            {DialogItemDef::Edit, 1000, QString(), 7, 18, 166, 12},
            {DialogItemDef::DefPushButton, IDOK, QStringLiteral("OK"), 69, 33, 50, 14},
            {DialogItemDef::PushButton, IDCANCEL, QStringLiteral("Cancel"), 123, 33, 50, 14},
        };
        m_module.AddDialog(22000, input);
        DialogDef list{QStringLiteral("Choose a Layer"), 160, 120, {}};
        list.items = {
            {DialogItemDef::Static, 1001, QStringLiteral("Layers:"), 7, 7, 146, 8},
            {DialogItemDef::ListBox, 1000, QString(), 7, 18, 146, 78, LBS_SORT},
            {DialogItemDef::DefPushButton, IDOK, QStringLiteral("OK"), 49, 100, 50, 14},
            {DialogItemDef::PushButton, IDCANCEL, QStringLiteral("Cancel"), 103, 100, 50, 14},
        };
        m_module.AddDialog(22001, list);
        AfxSetResourceHandle(&m_module);
    }
    ~ClientTemplates() { AfxSetResourceHandle(m_previous); }

private:
    CModule m_module{"client"};
    HINSTANCE m_previous;
};

} // namespace

TEST(COwListDialog, NumbersAutomaticallyAroundExplicitNumbersAndPreselectsTheCallersNumber)
{
    int selection = 7;
    COwListDialog dlg(QStringLiteral("Pick one:"), selection);
    dlg.AddItem(QStringLiteral("first"));
    dlg.AddItem(QStringLiteral("second"), 7);
    dlg.AddItem(QStringLiteral("third"));
    EXPECT_EQ(dlg.Items(), (QStringList{"first\n1", "second\n7", "third\n2"}));
    testenv::OnNextModal([&selection](QDialog* d) {
        QListWidget* list = listOf(d);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->currentRow(), 1);
        EXPECT_TRUE(list->item(1)->isSelected());
        EXPECT_EQ(selection, 0); // cleared as soon as the values went to the controls
        EXPECT_EQ(qobject_cast<QLabel*>(CDialog::FindDlgItem(d, 1001))->text(), "Pick one:");
        d->reject();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(selection, 0);
}

TEST(COwListDialog, OkAndDoubleClickTakeTheEntrysNumberAndNothingChosenLeavesZero)
{
    int selection = 0;
    {
        COwListDialog dlg(QStringLiteral("Pick one:"), selection);
        for (const char* t : {"a", "b", "c"})
            dlg.AddItem(QString::fromLatin1(t));
        dlg.AddItem(QStringLiteral("d"), 40);
        testenv::OnNextModal([](QDialog* d) {
            QListWidget* list = listOf(d);
            EXPECT_TRUE(list->selectedItems().isEmpty());
            list->setCurrentRow(3);
            QTest::keyClick(list, Qt::Key_Return);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(selection, 40);
    }
    {
        selection = 40;
        COwListDialog dlg(QStringLiteral("Pick one:"), selection);
        dlg.AddItem(QStringLiteral("a"));
        dlg.AddItem(QStringLiteral("b"));
        testenv::OnNextModal([](QDialog* d) {
            QListWidget* list = listOf(d);
            emit list->itemDoubleClicked(list->item(1));
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(selection, 2);
    }
    {
        selection = 5; // no entry has it
        COwListDialog dlg(QStringLiteral("Pick one:"), selection);
        dlg.AddItem(QStringLiteral("a"));
        testenv::OnNextModal([](QDialog* d) { d->accept(); });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(selection, 0);
    }
}

TEST(COwListDialog, TheClientsSortedListOrdersTheEntriesButKeepsTheirNumbers)
{
    ClientTemplates client;
    int selection = 2;
    COwListDialog dlg(QStringLiteral("Layers in this drawing:"), selection);
    EXPECT_EQ(dlg.windowTitle(), "Choose a Layer");
    dlg.AddItem(QStringLiteral("walls"));
    dlg.AddItem(QStringLiteral("doors"));
    dlg.AddItem(QStringLiteral("furniture"));
    testenv::OnNextModal([](QDialog* d) {
        QListWidget* list = listOf(d);
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(0)->text(), "doors");
        EXPECT_EQ(list->item(2)->text(), "walls");
        EXPECT_EQ(list->currentItem()->text(), "doors"); // number 2
        list->setCurrentRow(2);
        d->accept();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(selection, 1);
}

TEST(COwInputDialog, OkStoresTheTypedTextAndCancelLeavesTheValue)
{
    QString value = QStringLiteral("old name");
    {
        COwInputDialog dlg(QStringLiteral("New name:"), value);
        EXPECT_EQ(dlg.size(), dlg.DialogUnits().MapSize(240, 58));
        testenv::OnNextModal([](QDialog* d) {
            auto* edit = qobject_cast<QLineEdit*>(CDialog::FindDlgItem(d, 1000));
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->text(), "old name");
            EXPECT_EQ(edit->accessibleName(), "New name:");
            EXPECT_EQ(qobject_cast<QLabel*>(CDialog::FindDlgItem(d, 1001))->text(), "New name:");
            edit->selectAll();
            edit->insert(QStringLiteral("Ünïcode ")); // as an input method enters it
            QTest::keyClicks(edit, QStringLiteral("name"));
            d->reject();
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(value, "old name");
    }
    {
        ClientTemplates client;
        COwInputDialog dlg(QStringLiteral("Name:"), value);
        EXPECT_EQ(dlg.windowTitle(), "Rename Layer");
        EXPECT_EQ(dlg.size(), dlg.DialogUnits().MapSize(180, 50));
        testenv::OnNextModal([](QDialog* d) {
            auto* edit = qobject_cast<QLineEdit*>(CDialog::FindDlgItem(d, 1000));
            edit->selectAll();
            edit->insert(QStringLiteral("Ünïcode ")); // as an input method enters it
            QTest::keyClicks(edit, QStringLiteral("name"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(value, QStringLiteral("Ünïcode name"));
    }
}
