// The input value dialog as the zoom and given-size commands run it: the
// user's typing, the result, and the value read back in the default unit.
#include "tests/common/ModalDialog.h"
#include "tests/common/TestEnvironment.h"
#include "viewer/dialogs/CInputValueDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QLineEdit* valueEdit(QDialog* d) { return qobject_cast<QLineEdit*>(CDialog::FindDlgItem(d, 1001)); }

// Replaces the edit's text as the user would, then presses Return.
void typeAndEnter(QDialog* d, const QString& text)
{
    QLineEdit* edit = valueEdit(d);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

class InputValueDlgTest : public testing::Test {
protected:
    void SetUp() override { testenv::ClearMessages(); }

    // The dialog of "Fit to Given Width" for a given width of 2032.
    static void givenWidth(CInputValueDlg& dlg)
    {
        dlg.SetPrompt(QStringLiteral("Enter the horizontal size:"));
        dlg.SetValue(2032 / 100.0, -1);
    }
};

TEST_F(InputValueDlgTest, TemplateHasItsCaptionSizeAndControls)
{
    CInputValueDlg dlg(CInputValueDlg::SizeMode);
    EXPECT_EQ(dlg.windowTitle(), "Input Value");
    EXPECT_EQ(dlg.size(), dlg.DialogUnits().MapSize(294, 46));
    for (int id : {1000, 1001, int(IDOK), int(IDCANCEL)}) {
        QWidget* control = dlg.GetDlgItem(id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(control->objectName(), QStringLiteral("ctl%1").arg(id));
        EXPECT_FALSE(control->accessibleName().isEmpty()) << id;
        EXPECT_TRUE(dlg.rect().contains(control->geometry())) << id;
    }
    auto* ok = qobject_cast<QPushButton*>(dlg.GetDlgItem(IDOK));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_GT(ok->geometry().left(), dlg.GetDlgItem(1001)->geometry().right());
    EXPECT_GT(dlg.GetDlgItem(IDCANCEL)->geometry().top(), ok->geometry().bottom());
    EXPECT_LT(dlg.GetDlgItem(1000)->geometry().bottom(), dlg.GetDlgItem(1001)->geometry().top());
}

TEST_F(InputValueDlgTest, GivenWidthOpensInCentimetresAndMillimetresReadBackAsCentimetres)
{
    CInputValueDlg dlg(CInputValueDlg::SizeMode);
    givenWidth(dlg);
    EXPECT_EQ(dlg.GetUnit(), -1);
    testenv::OnNextModal([](QDialog* d) {
        EXPECT_EQ(valueEdit(d)->text(), "20.32 cm");
        EXPECT_STREQ(valueEdit(d)->metaObject()->className(), "CSizeEdit");
        EXPECT_EQ(valueEdit(d)->accessibleName(), "Enter the horizontal size:");
        EXPECT_EQ(qobject_cast<QLabel*>(CDialog::FindDlgItem(d, 1000))->text(), "Enter the horizontal size:");
        typeAndEnter(d, QStringLiteral("10 mm"));
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(dlg.GetValue(), 1.0);
    EXPECT_EQ(dlg.GetUnit(), 0);
}

TEST_F(InputValueDlgTest, OtherUnitsOfTheTableAreConvertedToCentimetres)
{
    const struct {
        const char* typed;
        double cm;
    } cases[] = {{"3 ft", 91.44}, {"1 in", 2.54}, {"1.5M", 150}, {"12", 12}};
    for (const auto& c : cases) {
        CInputValueDlg dlg(CInputValueDlg::SizeMode);
        givenWidth(dlg);
        testenv::OnNextModal([&c](QDialog* d) { typeAndEnter(d, QString::fromUtf8(c.typed)); });
        EXPECT_EQ(dlg.DoModal(), IDOK) << c.typed;
        EXPECT_DOUBLE_EQ(dlg.GetValue(), c.cm) << c.typed;
    }
}

TEST_F(InputValueDlgTest, UnknownUnitIsNamedInTheMessageAndTheDialogStaysOpen)
{
    CInputValueDlg dlg(CInputValueDlg::SizeMode);
    givenWidth(dlg);
    testenv::OnNextModal([](QDialog* d) {
        typeAndEnter(d, QStringLiteral("12 px"));
        EXPECT_TRUE(d->isVisible());
        ASSERT_EQ(testenv::Messages().size(), 1u);
        EXPECT_EQ(testenv::Messages()[0].text,
                  "The size units specified \"px\" are unknown.  Please correct the units.");
        EXPECT_EQ(d->focusWidget(), valueEdit(d));
        // Corrected, the same dialog accepts it.
        typeAndEnter(d, QStringLiteral("12 mm"));
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(dlg.GetValue(), 1.2);
}

TEST_F(InputValueDlgTest, CancelLeavesTheValueAsItWas)
{
    CInputValueDlg dlg(CInputValueDlg::SizeMode);
    givenWidth(dlg);
    testenv::OnNextModal([](QDialog* d) {
        valueEdit(d)->setText(QStringLiteral("5 cm"));
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_DOUBLE_EQ(dlg.GetValue(), 20.32);
    // The first exchange still settled the unit.
    EXPECT_EQ(dlg.GetUnit(), 0);
}

TEST_F(InputValueDlgTest, ZoomToTakesPercentWithOrWithoutItsSign)
{
    for (const char* typed : {"150 %", "150%", "150"}) {
        CInputValueDlg dlg(CInputValueDlg::PercentMode);
        dlg.SetPrompt(QStringLiteral("Enter the zoom factor:"));
        dlg.SetValue(1.0 * 100, -1);
        testenv::OnNextModal([typed](QDialog* d) {
            EXPECT_EQ(valueEdit(d)->text(), "100 %");
            EXPECT_STREQ(valueEdit(d)->metaObject()->className(), "CPercentEdit");
            typeAndEnter(d, QString::fromUtf8(typed));
        });
        EXPECT_EQ(dlg.DoModal(), IDOK) << typed;
        EXPECT_DOUBLE_EQ(dlg.GetValue() / 100, 1.5) << typed;
    }
    CInputValueDlg dlg(CInputValueDlg::PercentMode);
    testenv::OnNextModal([](QDialog* d) {
        typeAndEnter(d, QStringLiteral("150 cm"));
        ASSERT_EQ(testenv::Messages().size(), 1u);
        EXPECT_EQ(testenv::Messages()[0].text,
                  "The percent units specified \"cm\" are unknown.  Please correct the units.");
        d->reject();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(InputValueDlgTest, AValueSetInAnotherUnitReadsBackInThatUnit)
{
    CInputValueDlg dlg(CInputValueDlg::SizeMode);
    dlg.SetValue(8, CSizeEdit::Inches);
    testenv::OnNextModal([](QDialog* d) {
        EXPECT_EQ(valueEdit(d)->text(), "8 in");
        typeAndEnter(d, QStringLiteral("2.54 cm"));
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(dlg.GetValue(), 1.0);
    EXPECT_EQ(dlg.GetUnit(), CSizeEdit::Inches);
}

} // namespace
