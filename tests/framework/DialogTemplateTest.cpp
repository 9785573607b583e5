// Dialogs that a program describes as data: where the template is found, the
// controls it makes, modeless creation, check boxes, and the progress bar's
// range, position and step.
#include "framework/app/CWinApp.h"
#include "framework/controls/CProgressCtrl.h"
#include "framework/dialog/CDataExchange.h"
#include "framework/dialog/CDialog.h"
#include "framework/dialog/DDX.h"
#include "tests/common/ModalDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class CheckDlg : public CDialog {
public:
    explicit CheckDlg(const DialogDef& def) : CDialog(700) { BuildFromTemplate(def); }
    int checked = 2;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Check(pDX, 12, checked); }
};

DialogDef sample()
{
    DialogDef def{QStringLiteral("Options"), 150, 80, {}};
    def.items = {
        {DialogItemDef::Static, 10, QStringLiteral("&Name:"), 7, 7, 40, 8},
        {DialogItemDef::Edit, 11, QString(), 50, 6, 93, 12, ES_PASSWORD},
        {DialogItemDef::CheckBox, 12, QStringLiteral("&Remember"), 7, 24, 80, 10},
        {DialogItemDef::ListBox, 13, QString(), 7, 38, 80, 30, LBS_SORT},
        {DialogItemDef::Static, 14, QStringLiteral("secret"), 90, 38, 20, 8, 0, true},
        {DialogItemDef::DefPushButton, IDOK, QStringLiteral("OK"), 93, 59, 50, 14},
    };
    return def;
}

} // namespace

TEST(DialogTemplate, TheChosenResourceModuleIsSearchedBeforeTheProgramsOwn)
{
    CModule library("library");
    const HINSTANCE previous = AfxGetResourceHandle();
    EXPECT_EQ(CDialog::FindTemplate(700), nullptr);
    library.AddDialog(700, sample());
    AfxSetResourceHandle(&library);
    const DialogDef* def = CDialog::FindTemplate(700);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->caption, "Options");
    AfxSetResourceHandle(previous);
    EXPECT_EQ(CDialog::FindTemplate(700), nullptr);
}

TEST(DialogTemplate, BuildsEachControlWithItsIdPlaceStyleAndName)
{
    CheckDlg dlg(sample());
    EXPECT_EQ(dlg.windowTitle(), "Options");
    EXPECT_EQ(dlg.size(), dlg.DialogUnits().MapSize(150, 80));
    auto* edit = qobject_cast<QLineEdit*>(dlg.GetDlgItem(11));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(edit->geometry(), dlg.DialogUnits().MapItem(50, 6, 93, 12));
    EXPECT_EQ(edit->accessibleName(), "Name:"); // from the static before it
    EXPECT_EQ(qobject_cast<QLabel*>(dlg.GetDlgItem(10))->buddy(), edit);
    EXPECT_TRUE(qobject_cast<QListWidget*>(dlg.GetDlgItem(13))->isSortingEnabled());
    EXPECT_EQ(dlg.GetDlgItem(12)->accessibleName(), "Remember");
    EXPECT_TRUE(qobject_cast<QPushButton*>(dlg.GetDlgItem(IDOK))->isDefault());
    dlg.show();
    EXPECT_FALSE(dlg.GetDlgItem(14)->isVisible());
    EXPECT_TRUE(dlg.GetDlgItem(13)->isVisible());
    dlg.hide();
}

TEST(DialogTemplate, CheckBoxesExchangeTheirThreeStates)
{
    CheckDlg dlg(sample());
    dlg.checked = 1;
    testenv::OnNextModal([&dlg](QDialog* d) {
        auto* box = qobject_cast<QCheckBox*>(CDialog::FindDlgItem(d, 12));
        EXPECT_TRUE(box->isChecked());
        box->setChecked(false);
        d->accept();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.checked, 0);

    dlg.checked = 2;
    dlg.UpdateData(false);
    EXPECT_EQ(qobject_cast<QCheckBox*>(dlg.GetDlgItem(12))->checkState(), Qt::PartiallyChecked);
    dlg.UpdateData(true);
    EXPECT_EQ(dlg.checked, 2);
}

TEST(DialogTemplate, CreateShowsTheDialogModelessAndCancelHidesIt)
{
    CheckDlg dlg(sample());
    EXPECT_FALSE(dlg.IsCreated());
    dlg.checked = 1;
    ASSERT_TRUE(dlg.Create());
    EXPECT_TRUE(dlg.IsCreated());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.isModal());
    EXPECT_TRUE(qobject_cast<QCheckBox*>(dlg.GetDlgItem(12))->isChecked()); // OnInitDialog ran
    dlg.EndDialog(IDCANCEL);
    EXPECT_FALSE(dlg.isVisible());
}

TEST(CProgressCtrl, PositionsStayInTheRangeAndTheStepWrapsRound)
{
    CProgressCtrl bar;
    bar.SetRange32(-50, 50);
    EXPECT_EQ(bar.SetPos(80), 0);
    EXPECT_EQ(bar.GetPos(), 50);
    bar.SetPos(-80);
    EXPECT_EQ(bar.GetPos(), -50);
    EXPECT_EQ(bar.value(), -50);
    bar.OffsetPos(INT32_MAX); // no overflow on the way
    EXPECT_EQ(bar.GetPos(), 50);

    bar.SetPos(40);
    bar.SetStep(30);
    EXPECT_EQ(bar.StepIt(), 40);
    EXPECT_EQ(bar.GetPos(), -30); // 70 is 20 past the end: 20 past the start
    bar.SetStep(-30);
    bar.StepIt();
    bar.StepIt();
    EXPECT_EQ(bar.GetPos(), 10); // -90 is 40 before the start: 40 before the end

    bar.SetRange32(0, 0);
    bar.StepIt();
    EXPECT_EQ(bar.value(), bar.minimum()); // an empty range shows an empty bar, not a busy one
    EXPECT_LT(bar.minimum(), bar.maximum());

    // The range's high half: 32-bit bounds, no 16-bit limit.
    bar.SetRange32(0, 3'000'000);
    bar.SetPos(2'000'000);
    EXPECT_EQ(bar.value(), 2'000'000);
}
