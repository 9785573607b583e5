// The Preferences dialog opened from the menu on a real X server: every
// control changed with the mouse and the keyboard, the profile file read
// back, Cancel, and a unit the size edit does not know.
#include "StartupFixture.h"
#include "UserDriving.h"

#include "framework/dialog/CDialog.h"
#include "viewer/frame/CMainFrame.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QSettings>

namespace {

QAbstractButton* button(QDialog* d, int id) { return qobject_cast<QAbstractButton*>(CDialog::FindDlgItem(d, id)); }
QLineEdit* edit(QDialog* d, int id) { return qobject_cast<QLineEdit*>(CDialog::FindDlgItem(d, id)); }

void click(QDialog* d, int id)
{
    QAbstractButton* b = button(d, id);
    ASSERT_NE(b, nullptr) << id;
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

// Clicks into the edit, selects its text and types over it.
void typeInto(QDialog* d, int id, const QString& text)
{
    QLineEdit* e = edit(d, id);
    ASSERT_NE(e, nullptr) << id;
    ASSERT_TRUE(e->isEnabled()) << id;
    QTest::mouseClick(e, Qt::LeftButton);
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(e, text);
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(StartupTest, PreferencesFromTheMenuStoreEveryControlAndShowThemAgain)
{
    ASSERT_TRUE(Start({}));
    testenv::Settle();
    testenv::WhenModalShows([](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Preferences");
        click(d, 1007);
        typeInto(d, 1010, "3 in");
        click(d, 1008);
        typeInto(d, 1011, "150 mm");
        click(d, 1002);
        typeInto(d, 1009, "75");
        click(d, 1005); // Fit in Y is the option kept
        EXPECT_FALSE(edit(d, 1009)->isEnabled());
        click(d, 1025); // clear "Maximize children"
        click(d, 1026);
        click(d, 1027);
        click(d, 1028);
        click(d, IDOK);
    });
    testenv::ChooseMenuItem(MainFrame(), "&File", "Pr&eferences...");
    testenv::Settle();

    QSettings profile(ProfilePath(), QSettings::IniFormat);
    EXPECT_EQ(profile.value("Settings/FitOption").toInt(), 3);
    EXPECT_EQ(profile.value("Settings/Zoom").toString(), "0.75");
    EXPECT_EQ(profile.value("Settings/XSize").toString(), "762");
    EXPECT_EQ(profile.value("Settings/YSize").toString(), "1500");
    EXPECT_EQ(profile.value("Settings/MaximizeChildren").toInt(), 0);
    EXPECT_EQ(profile.value("Settings/PersistentPos").toInt(), 1);
    EXPECT_EQ(profile.value("Settings/MinToTaskTray").toInt(), 1);
    EXPECT_EQ(profile.value("Settings/CenterPrintedImage").toInt(), 1);

    testenv::WhenModalShows([](QDialog* d) {
        EXPECT_TRUE(button(d, 1005)->isChecked());
        EXPECT_EQ(edit(d, 1009)->text(), "75 %");
        EXPECT_EQ(edit(d, 1010)->text(), "7.62 cm");
        EXPECT_EQ(edit(d, 1011)->text(), "15 cm");
        EXPECT_FALSE(button(d, 1025)->isChecked());
        for (int id : {1026, 1027, 1028})
            EXPECT_TRUE(button(d, id)->isChecked()) << id;
        QTest::keyClick(d, Qt::Key_Escape);
    });
    testenv::ChooseMenuItem(MainFrame(), "&File", "Pr&eferences...");
}

TEST_F(StartupTest, PreferencesCancelWritesNothing)
{
    ASSERT_TRUE(Start({}));
    testenv::Settle();
    WriteSetting("Settings/Zoom", "2.00");
    const QByteArray before = fileBytes(ProfilePath());
    testenv::WhenModalShows([](QDialog* d) {
        EXPECT_EQ(edit(d, 1009)->text(), "200 %");
        click(d, 1006);
        click(d, 1028);
        click(d, IDCANCEL);
    });
    testenv::ChooseMenuItem(MainFrame(), "&File", "Pr&eferences...");
    testenv::Settle();
    EXPECT_EQ(fileBytes(ProfilePath()), before);
}

TEST_F(StartupTest, PreferencesStayOpenOnAnUnknownUnit)
{
    ASSERT_TRUE(Start({}));
    testenv::Settle();
    testenv::ClearMessages();
    testenv::WhenModalShows([this](QDialog* d) {
        click(d, 1007);
        typeInto(d, 1010, "3 furlongs");
        QTest::keyClick(edit(d, 1010), Qt::Key_Return);
        testenv::Settle(100);
        EXPECT_TRUE(d->isVisible());
        ASSERT_EQ(testenv::Messages().size(), 1u);
        EXPECT_EQ(testenv::Messages()[0].text,
                  "The size units specified \"furlongs\" are unknown.  Please correct the units.");
        EXPECT_FALSE(QSettings(ProfilePath(), QSettings::IniFormat).contains("Settings/XSize"));
        typeInto(d, 1010, "3 ft");
        QTest::keyClick(edit(d, 1010), Qt::Key_Return);
    });
    testenv::ChooseMenuItem(MainFrame(), "&File", "Pr&eferences...");
    testenv::Settle();
    QSettings profile(ProfilePath(), QSettings::IniFormat);
    EXPECT_EQ(profile.value("Settings/XSize").toString(), "9144");
    EXPECT_EQ(profile.value("Settings/FitOption").toInt(), 4);
}
