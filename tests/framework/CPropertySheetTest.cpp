// Property sheets: pages initialised when first shown, validated before
// another page or OK takes over, told of OK and Cancel.
#include "framework/dialog/CPropertyPage.h"
#include "framework/dialog/CPropertySheet.h"
#include "tests/common/ModalDialog.h"

#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

class Page : public CPropertyPage {
public:
    Page(UINT id, const QString& caption) : CPropertyPage(id, caption) {}
    BOOL OnInitDialog() override
    {
        ++inits;
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnKillActive() override { return valid ? TRUE : FALSE; }
    void OnOK() override
    {
        ++oks;
        CPropertyPage::OnOK();
    }
    void OnCancel() override { ++cancels; }
    int inits = 0, oks = 0, cancels = 0;
    bool valid = true;
};

} // namespace

TEST(CPropertySheet, PagesAreInitialisedOnceAndToldOfOk)
{
    Page a(100, "First"), b(101, "Second");
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&a);
    sheet.AddPage(&b);
    sheet.AddPage(&a); // once only
    EXPECT_EQ(sheet.GetPageCount(), 2);
    EXPECT_EQ(a.GetSheet(), &sheet);
    testenv::OnNextModal([&](QDialog*) {
        EXPECT_EQ(sheet.GetActivePage(), &a);
        EXPECT_EQ(a.inits, 1);
        EXPECT_EQ(b.inits, 0);
        EXPECT_EQ(sheet.GetTabControl()->tabText(1), "Second");
        // A page that does not validate keeps its tab.
        a.valid = false;
        sheet.GetTabControl()->setCurrentIndex(1);
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_EQ(sheet.GetTabControl()->currentIndex(), 0);
        a.valid = true;
        sheet.GetTabControl()->setCurrentIndex(1);
        EXPECT_EQ(sheet.GetActivePage(), &b);
        EXPECT_EQ(b.inits, 1);
        sheet.SetActivePage(0);
        EXPECT_EQ(a.inits, 1);
        // Apply is there while a page is modified.
        auto* apply = static_cast<QPushButton*>(sheet.GetDlgItem(ID_APPLY_NOW));
        EXPECT_FALSE(apply->isEnabled());
        b.SetModified();
        EXPECT_TRUE(apply->isEnabled());
        sheet.PressButton(PSBTN_APPLYNOW);
        EXPECT_FALSE(apply->isEnabled());
        EXPECT_EQ(b.oks, 1);
        sheet.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(a.oks, 1);
    EXPECT_EQ(b.oks, 2);
    EXPECT_EQ(a.cancels, 0);
}

TEST(CPropertySheet, CancelTellsOnlyInitialisedPages)
{
    Page a(100, "First"), b(101, "Second");
    CPropertySheet sheet("Sheet", nullptr, 1);
    sheet.AddPage(&a);
    sheet.AddPage(&b);
    testenv::OnNextModal([&](QDialog*) {
        EXPECT_EQ(sheet.GetActivePage(), &b);
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(b.cancels, 1);
    EXPECT_EQ(a.cancels, 0);
    EXPECT_EQ(a.inits, 0);
}

TEST(CPropertySheet, OkWaitsForTheActivePageToValidate)
{
    Page a(100, "First");
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&a);
    testenv::OnNextModal([&](QDialog* dialog) {
        a.valid = false;
        sheet.PressButton(PSBTN_OK);
        EXPECT_TRUE(dialog->isVisible());
        a.valid = true;
        sheet.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(a.oks, 1);
}

TEST(CPropertySheet, APageMayGoBeforeItsSheet)
{
    CPropertySheet sheet("Sheet");
    {
        Page a(100, "First");
        sheet.AddPage(&a);
        EXPECT_EQ(sheet.GetPage(0), &a);
    }
    EXPECT_EQ(sheet.GetPage(0), nullptr);
    EXPECT_EQ(sheet.GetTabControl()->count(), 0);
}
