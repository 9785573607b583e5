// The framework dialog: modal results, validation that keeps the dialog
// open, help on the dialog's help id, controls found and replaced by id, and
// template sizes in dialog units.
#include "framework/app/CWinApp.h"
#include "framework/app/HelpIds.h"
#include "framework/dialog/CDataExchange.h"
#include "framework/dialog/CDialog.h"
#include "framework/dialog/DDX.h"
#include "tests/common/ModalDialog.h"
#include "tests/common/TestEnvironment.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class HelpApp : public CWinApp {
public:
    void WinHelp(DWORD data, UINT cmd) override { calls.push_back({data, cmd}); }
    std::vector<std::pair<DWORD, UINT>> calls;
};

// A template with a caption static (10), a number edit (11) and OK/Cancel.
class CountDlg : public CDialog {
public:
    CountDlg() : CDialog(500)
    {
        SetDialogSize(200, 50);
        AddDlgItem(new QLabel, 10, 7, 7, 100, 8, QStringLiteral("caption"));
        AddDlgItem(new QLineEdit, 11, 7, 20, 100, 14, QStringLiteral("count"));
        AddDlgItem(new QPushButton(QStringLiteral("OK")), IDOK, 140, 7, 50, 14, QStringLiteral("OK"))
            ->setDefault(true);
        AddDlgItem(new QPushButton(QStringLiteral("Cancel")), IDCANCEL, 140, 24, 50, 14, QStringLiteral("Cancel"));
    }
    QString caption = QStringLiteral("How many?");
    int count = 3;
    int missingId = 0; // an exchange with a control the template lacks

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 10, caption);
        DDX_Text(pDX, 11, count);
        if (missingId != 0)
            DDX_Text(pDX, missingId, caption);
    }
};

QLineEdit* edit(QDialog* d) { return qobject_cast<QLineEdit*>(CDialog::FindDlgItem(d, 11)); }

class CDialogTest : public testing::Test {
protected:
    void SetUp() override { testenv::ClearMessages(); }
};

TEST_F(CDialogTest, OkSavesTheDataAndCancelKeepsIt)
{
    CountDlg dlg;
    testenv::OnNextModal([](QDialog* d) {
        EXPECT_EQ(edit(d)->text(), "3");
        EXPECT_EQ(qobject_cast<QLabel*>(CDialog::FindDlgItem(d, 10))->text(), "How many?");
        edit(d)->setText(QStringLiteral(" 42 "));
        QTest::keyClick(edit(d), Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.count, 42);

    testenv::OnNextModal([](QDialog* d) {
        edit(d)->setText(QStringLiteral("7"));
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.count, 42);
    EXPECT_TRUE(testenv::Messages().empty());
}

TEST_F(CDialogTest, InvalidNumberTellsTheUserAndKeepsTheDialogOpen)
{
    CountDlg dlg;
    testenv::OnNextModal([](QDialog* d) {
        edit(d)->setText(QStringLiteral("4x"));
        qobject_cast<QPushButton*>(CDialog::FindDlgItem(d, IDOK))->click();
        EXPECT_TRUE(d->isVisible());
        ASSERT_EQ(testenv::Messages().size(), 1u);
        EXPECT_EQ(testenv::Messages()[0].text, "Please enter an integer.");
        EXPECT_EQ(d->focusWidget(), edit(d));
        EXPECT_EQ(edit(d)->selectedText(), "4x");
        qobject_cast<QPushButton*>(CDialog::FindDlgItem(d, IDCANCEL))->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.count, 3);
}

TEST_F(CDialogTest, ExchangeWithAMissingControlIsReportedNotThrownThroughTheEventLoop)
{
    CountDlg dlg;
    testenv::OnNextModal([&dlg](QDialog* d) {
        dlg.missingId = 99;
        QTest::keyClick(edit(d), Qt::Key_Return);
        EXPECT_TRUE(d->isVisible());
        ASSERT_EQ(testenv::Messages().size(), 1u);
        EXPECT_EQ(testenv::Messages()[0].type & MB_ICONMASK, UINT(MB_ICONERROR));
        d->reject();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(CDialogTest, F1AsksTheApplicationForHelpOnTheHelpId)
{
    HelpApp app;
    CountDlg dlg;
    testenv::OnNextModal([](QDialog* d) {
        QTest::keyClick(d, Qt::Key_F1);
        d->reject();
    });
    dlg.DoModal();
    dlg.SetHelpID(32776);
    testenv::OnNextModal([](QDialog* d) {
        QTest::keyClick(edit(d), Qt::Key_F1);
        d->reject();
    });
    dlg.DoModal();
    const std::vector<std::pair<DWORD, UINT>> expected{{HID_BASE_RESOURCE + 500, HELP_CONTEXT},
                                                       {HID_BASE_RESOURCE + 32776, HELP_CONTEXT}};
    EXPECT_EQ(app.calls, expected);
}

TEST_F(CDialogTest, ControlsAreFoundByIdAndReplacedOnce)
{
    CountDlg dlg;
    EXPECT_EQ(dlg.GetDlgItem(11)->objectName(), "ctl11");
    EXPECT_EQ(dlg.GetDlgItem(11)->accessibleName(), "count");
    EXPECT_EQ(dlg.GetDlgItem(12), nullptr);

    const QRect place = dlg.GetDlgItem(11)->geometry();
    QPointer<QWidget> templateEdit = dlg.GetDlgItem(11);
    QLineEdit own;
    CDataExchange dx(&dlg, false);
    DDX_Control(&dx, 11, own);
    DDX_Control(&dx, 11, own);
    EXPECT_TRUE(templateEdit.isNull());
    EXPECT_EQ(dlg.GetDlgItem(11), &own);
    EXPECT_EQ(own.parentWidget(), &dlg);
    EXPECT_EQ(own.geometry(), place);
    EXPECT_EQ(own.accessibleName(), "count");
}

TEST(CDialogUnitsTest, TemplateUnitsScaleWithTheFontAndKeepItemsFlush)
{
    QFont small;
    small.setPixelSize(10);
    QFont large;
    large.setPixelSize(20);
    const CDialogUnits s(small), l(large);
    EXPECT_GT(l.BaseX(), s.BaseX());
    EXPECT_EQ(s.MapX(4), s.BaseX());
    EXPECT_EQ(s.MapY(8), s.BaseY());
    // Items that touch in the template touch on the screen.
    EXPECT_EQ(s.MapItem(7, 7, 13, 9).right() + 1, s.MapItem(20, 7, 5, 9).left());
    CRect r(4, 8, 8, 16);
    s.MapDialogRect(r);
    EXPECT_EQ(r.left, s.BaseX());
    EXPECT_EQ(r.Height(), s.BaseY());
}

} // namespace
