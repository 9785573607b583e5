// The Preferences dialog against the profile: what opening shows for the
// stored values, what OK stores for the values entered, and what Cancel
// and a value that does not transfer leave alone.
#include "framework/app/CWinApp.h"
#include "framework/app/HelpIds.h"
#include "tests/common/ModalDialog.h"
#include "tests/common/TestEnvironment.h"
#include "viewer/settings/CPreferencesDlg.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PreferencesApp : public CWinApp {
public:
    PreferencesApp() : CWinApp(QStringLiteral("Lumivue")) { SetRegistryKey(QStringLiteral("Orrery Works")); }
    void WinHelp(DWORD data, UINT cmd) override { help.emplace_back(data, cmd); }
    std::vector<std::pair<DWORD, UINT>> help;
};

const int kRadios[] = {1002, 1004, 1005, 1006, 1007, 1008};
const int kChecks[] = {1025, 1026, 1027, 1028};

QLineEdit* edit(QDialog* d, int id) { return qobject_cast<QLineEdit*>(CDialog::FindDlgItem(d, id)); }
QAbstractButton* button(QDialog* d, int id) { return qobject_cast<QAbstractButton*>(CDialog::FindDlgItem(d, id)); }

void retype(QDialog* d, int id, const QString& text)
{
    QLineEdit* e = edit(d, id);
    ASSERT_NE(e, nullptr) << id;
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, text);
}

void pressOk(QDialog* d) { button(d, IDOK)->click(); }

class PreferencesDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        testenv::ClearMessages();
        app = std::make_unique<PreferencesApp>();
        QFile::remove(app->OpenProfile()->fileName());
    }

    QVariant stored(const QString& name) const { return app->OpenProfile()->value("Settings/" + name); }
    void store(const QString& name, const QVariant& value) { app->OpenProfile()->setValue("Settings/" + name, value); }

    // Opens the dialog, lets act look and type, and returns the result.
    static INT_PTR run(const std::function<void(QDialog*)>& act)
    {
        CPreferencesDlg dlg;
        testenv::OnNextModal(act);
        return dlg.DoModal();
    }

    std::unique_ptr<PreferencesApp> app;
};

} // namespace

TEST_F(PreferencesDlgTest, TemplateHasItsCaptionSizeAndControls)
{
    CPreferencesDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Preferences");
    EXPECT_EQ(dlg.size(), dlg.DialogUnits().MapSize(250, 171));
    const std::pair<int, const char*> texts[] = {
        {1002, "Use Zoom Factor"},
        {1004, "Fit in X"},
        {1005, "Fit in Y"},
        {1006, "Fit to Page"},
        {1007, "Fit to Given X"},
        {1008, "Fit to Given Y"},
        {1025, "&Maximize children on open"},
        {1026, "&Retain application window position between sessions"},
        {1027, "Minimize application to the &task tray"},
        {1028, "Center image when printing"},
        {IDOK, "OK"},
        {IDCANCEL, "Cancel"},
    };
    for (const auto& [id, text] : texts) {
        QAbstractButton* b = qobject_cast<QAbstractButton*>(dlg.GetDlgItem(id));
        ASSERT_NE(b, nullptr) << id;
        EXPECT_EQ(b->text(), QString::fromUtf8(text));
        EXPECT_FALSE(b->accessibleName().isEmpty()) << id;
        EXPECT_TRUE(dlg.rect().contains(b->geometry())) << id;
    }
    for (int id : {1009, 1010, 1011, -1}) {
        ASSERT_NE(dlg.GetDlgItem(id), nullptr) << id;
        EXPECT_FALSE(dlg.GetDlgItem(id)->accessibleName().isEmpty()) << id;
    }
    EXPECT_EQ(dlg.GetDlgItem(-1)->property("title").toString(), "Default &Zoom Option");
    // Each edit sits beside its radio, right of it and on its row.
    for (auto [radio, editId] : {std::pair{1002, 1009}, {1007, 1010}, {1008, 1011}}) {
        const QRect r = dlg.GetDlgItem(radio)->geometry(), e = dlg.GetDlgItem(editId)->geometry();
        EXPECT_GT(e.left(), r.right());
        EXPECT_LE(std::abs(e.center().y() - r.center().y()), 2);
    }
    // The help of command 32770.
    EXPECT_EQ(HID_BASE_RESOURCE + dlg.m_nIDHelp, HID_BASE_COMMAND + 32770);
}

TEST_F(PreferencesDlgTest, AnEmptyProfileShowsTheDefaultsAndCancelWritesNothing)
{
    EXPECT_EQ(run([](QDialog* d) {
                  for (int id : kRadios)
                      EXPECT_EQ(button(d, id)->isChecked(), id == 1002) << id;
                  EXPECT_EQ(edit(d, 1009)->text(), "100 %");
                  EXPECT_EQ(edit(d, 1010)->text(), "20.32 cm");
                  EXPECT_EQ(edit(d, 1011)->text(), "20.32 cm");
                  EXPECT_STREQ(edit(d, 1009)->metaObject()->className(), "CPercentEdit");
                  EXPECT_STREQ(edit(d, 1010)->metaObject()->className(), "CSizeEdit");
                  EXPECT_TRUE(edit(d, 1009)->isEnabled());
                  EXPECT_FALSE(edit(d, 1010)->isEnabled());
                  EXPECT_FALSE(edit(d, 1011)->isEnabled());
                  for (int id : kChecks)
                      EXPECT_EQ(button(d, id)->isChecked(), id == 1025) << id;
                  // Changes, then Cancel.
                  button(d, 1006)->click();
                  button(d, 1026)->click();
                  retype(d, 1009, "250");
                  button(d, IDCANCEL)->click();
              }),
              IDCANCEL);
    EXPECT_TRUE(app->OpenProfile()->childGroups().isEmpty());
}

TEST_F(PreferencesDlgTest, EveryFitOptionChecksItsRadioAndOkStoresIt)
{
    const std::pair<int, int> mapping[] = {{0, 1002}, {1, 1006}, {2, 1004}, {3, 1005}, {4, 1007}, {5, 1008}};
    for (const auto& [option, radio] : mapping) {
        store("FitOption", option);
        EXPECT_EQ(run([radio = radio](QDialog* d) {
                      for (int id : kRadios)
                          EXPECT_EQ(button(d, id)->isChecked(), id == radio) << radio;
                      EXPECT_EQ(edit(d, 1009)->isEnabled(), radio == 1002);
                      EXPECT_EQ(edit(d, 1010)->isEnabled(), radio == 1007);
                      EXPECT_EQ(edit(d, 1011)->isEnabled(), radio == 1008);
                      pressOk(d);
                  }),
                  IDOK);
        EXPECT_EQ(stored("FitOption").toInt(), option);
    }
}

TEST_F(PreferencesDlgTest, AnUnknownFitOptionChecksNothingAndOkStoresZero)
{
    store("FitOption", 7);
    run([](QDialog* d) {
        for (int id : kRadios)
            EXPECT_FALSE(button(d, id)->isChecked()) << id;
        for (int id : {1009, 1010, 1011})
            EXPECT_FALSE(edit(d, id)->isEnabled()) << id;
        pressOk(d);
    });
    EXPECT_EQ(stored("FitOption").toInt(), 0);
}

TEST_F(PreferencesDlgTest, RadioClicksApplyTheEnablingRule)
{
    run([](QDialog* d) {
        button(d, 1007)->click();
        EXPECT_FALSE(edit(d, 1009)->isEnabled());
        EXPECT_TRUE(edit(d, 1010)->isEnabled());
        EXPECT_FALSE(edit(d, 1011)->isEnabled());
        button(d, 1008)->click();
        EXPECT_FALSE(edit(d, 1010)->isEnabled());
        EXPECT_TRUE(edit(d, 1011)->isEnabled());
        button(d, 1004)->click();
        for (int id : {1009, 1010, 1011})
            EXPECT_FALSE(edit(d, id)->isEnabled()) << id;
        button(d, 1002)->click();
        EXPECT_TRUE(edit(d, 1009)->isEnabled());
        button(d, IDCANCEL)->click();
    });
}

TEST_F(PreferencesDlgTest, ZoomIsStoredAsAFactorWithTwoDecimalsWithinItsBounds)
{
    const std::pair<const char*, const char*> cases[] = {
        {"0.5", "1.00"},     // below 0.01: the default factor
        {"20000", "100.00"}, // above 100
        {"12.345", "0.12"},  //
        {"150 %", "1.50"},   //
        {"1", "0.01"},       // the smallest factor
    };
    for (const auto& [typed, text] : cases) {
        run([typed = typed](QDialog* d) {
            retype(d, 1009, QString::fromUtf8(typed));
            pressOk(d);
        });
        EXPECT_EQ(stored("Zoom").toString(), QString::fromUtf8(text)) << typed;
    }
    // What was stored shows as percent the next time.
    store("Zoom", "1.50");
    run([](QDialog* d) {
        EXPECT_EQ(edit(d, 1009)->text(), "150 %");
        button(d, IDCANCEL)->click();
    });
}

TEST_F(PreferencesDlgTest, ZoomTextThatIsNoNumberShowsAsOneHundredPercent)
{
    for (const char* text : {"abc", "", "0", "-3", "0.001"}) {
        store("Zoom", QString::fromUtf8(text));
        run([text](QDialog* d) {
            EXPECT_EQ(edit(d, 1009)->text(), "100 %") << text;
            button(d, IDCANCEL)->click();
        });
    }
}

TEST_F(PreferencesDlgTest, SizesAreStoredInHundredthsOfACentimetreTruncated)
{
    run([](QDialog* d) {
        // Each edit takes input while its radio is checked.
        button(d, 1007)->click();
        retype(d, 1010, "12.345");
        button(d, 1008)->click();
        retype(d, 1011, "0");
        pressOk(d);
    });
    EXPECT_EQ(stored("XSize").toString(), "1234");
    EXPECT_EQ(stored("YSize").toString(), "0");
    run([](QDialog* d) {
        EXPECT_EQ(edit(d, 1010)->text(), "12.34 cm");
        // 0 is no size: the default shows.
        EXPECT_EQ(edit(d, 1011)->text(), "20.32 cm");
        EXPECT_TRUE(button(d, 1008)->isChecked());
        retype(d, 1011, "1 in");
        button(d, 1007)->click();
        retype(d, 1010, "10 mm");
        pressOk(d);
    });
    EXPECT_EQ(stored("XSize").toString(), "100");
    EXPECT_EQ(stored("YSize").toString(), "254");
}

TEST_F(PreferencesDlgTest, AStoredNegativeOrUnreadableSizeOpensAsTheDefaultAndIsStoredAsIt)
{
    store("XSize", "-500");
    store("YSize", "wide");
    run([](QDialog* d) {
        EXPECT_EQ(edit(d, 1010)->text(), "20.32 cm");
        EXPECT_EQ(edit(d, 1011)->text(), "20.32 cm");
        pressOk(d);
    });
    EXPECT_EQ(stored("XSize").toString(), "2032");
    EXPECT_EQ(stored("YSize").toString(), "2032");
    EXPECT_TRUE(testenv::Messages().empty());
}

TEST_F(PreferencesDlgTest, CheckBoxesShowAnyNonZeroValueAsCheckedAndStoreZeroOrOne)
{
    store("MaximizeChildren", 0);
    store("PersistentPos", 1);
    store("MinToTaskTray", 2);
    store("CenterPrintedImage", 0);
    run([](QDialog* d) {
        EXPECT_FALSE(button(d, 1025)->isChecked());
        EXPECT_TRUE(button(d, 1026)->isChecked());
        EXPECT_TRUE(button(d, 1027)->isChecked());
        EXPECT_FALSE(button(d, 1028)->isChecked());
        button(d, 1028)->click();
        pressOk(d);
    });
    EXPECT_EQ(stored("MaximizeChildren").toInt(), 0);
    EXPECT_EQ(stored("PersistentPos").toInt(), 1);
    EXPECT_EQ(stored("MinToTaskTray").toInt(), 1);
    EXPECT_EQ(stored("CenterPrintedImage").toInt(), 1);
}

TEST_F(PreferencesDlgTest, AValueThatDoesNotTransferWritesNothingAndKeepsTheDialogOpen)
{
    EXPECT_EQ(run([this](QDialog* d) {
                  button(d, 1026)->click();
                  retype(d, 1009, "125");
                  button(d, 1008)->click();
                  retype(d, 1011, "12 px");
                  pressOk(d);
                  EXPECT_TRUE(d->isVisible());
                  ASSERT_EQ(testenv::Messages().size(), 1u);
                  EXPECT_EQ(testenv::Messages()[0].text,
                            "The size units specified \"px\" are unknown.  Please correct the units.");
                  EXPECT_EQ(d->focusWidget(), edit(d, 1011));
                  EXPECT_TRUE(app->OpenProfile()->childGroups().isEmpty());
                  // Corrected, the same OK stores everything.
                  retype(d, 1011, "12 mm");
                  pressOk(d);
              }),
              IDOK);
    EXPECT_EQ(stored("Zoom").toString(), "1.25");
    EXPECT_EQ(stored("YSize").toString(), "120");
    EXPECT_EQ(stored("PersistentPos").toInt(), 1);
}

TEST_F(PreferencesDlgTest, HelpOpensTheTopicOfThePreferencesCommand)
{
    run([](QDialog* d) {
        QTest::keyClick(d, Qt::Key_F1);
        button(d, IDCANCEL)->click();
    });
    ASSERT_EQ(app->help.size(), 1u);
    EXPECT_EQ(app->help[0].first, HID_BASE_COMMAND + 32770);
    EXPECT_EQ(app->help[0].second, UINT(HELP_CONTEXT));
}
