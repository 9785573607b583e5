// The date and time picker's time-zone bias and messages, the progress
// window's values set before and after it exists, and the message box.
#include "owutil/debug/MsgBox.h"
#include "owutil/ui/CDateTimeDlg.h"
#include "owutil/ui/CProgressDlg.h"
#include "tests/common/ModalDialog.h"
#include "tests/common/TestEnvironment.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

// Runs the test body with TZ set to zone, then puts the previous zone back.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone) : m_had(qEnvironmentVariableIsSet("TZ")), m_old(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneScope()
    {
        if (m_had)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    bool m_had;
    QByteArray m_old;
};

// The wall-clock seconds of a local date and time, as the caller counts them.
uint32_t wallClock(QDate date, QTime time) { return uint32_t(QDateTime(date, time, Qt::UTC).toSecsSinceEpoch()); }

} // namespace

TEST(CDateTimeDlg, TheStandardBiasShiftsTheTimeBothWaysInTwoZones)
{
    const struct {
        const char* zone;
        int64_t bias;
    } zones[] = {{"America/New_York", 5 * 3600}, {"Asia/Kolkata", -(5 * 3600 + 1800)}};
    for (const auto& z : zones) {
        ZoneScope scope(z.zone);
        EXPECT_EQ(CDateTimeDlg::StandardBias(), z.bias) << z.zone;
        // A winter date: standard time, so the picker shows the caller's wall clock.
        uint32_t value = wallClock(QDate(2025, 1, 15), QTime(14, 5, 9));
        const uint32_t before = value;
        CDateTimeDlg dlg;
        dlg.Setup(QStringLiteral("When?"), &value);
        testenv::OnNextModal([&](QDialog* d) {
            QDateTime shown;
            ASSERT_TRUE(dlg.DateTimeCtrl().GetTime(shown));
            EXPECT_EQ(shown.toSecsSinceEpoch(), int64_t(before) + z.bias) << z.zone;
            EXPECT_EQ(dlg.DateTimeCtrl().text(), "01/15/2025 02:05:09 PM") << z.zone;
            EXPECT_EQ(qobject_cast<QLabel*>(CDialog::FindDlgItem(d, 1008))->text(), "When?");
            dlg.DateTimeCtrl().setDateTime(shown.addSecs(3600));
            d->accept();
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(value, before + 3600) << z.zone;

        // In summer the standard bias still applies both ways: OK gives the
        // caller's value back unchanged.
        uint32_t summer = wallClock(QDate(2025, 7, 4), QTime(8, 0));
        const uint32_t summerBefore = summer;
        CDateTimeDlg again;
        again.Setup(QStringLiteral("When?"), &summer);
        testenv::OnNextModal([](QDialog* d) { d->accept(); });
        EXPECT_EQ(again.DoModal(), IDOK);
        EXPECT_EQ(summer, summerBefore) << z.zone;
    }
    EXPECT_TRUE(testenv::Messages().empty());
}

TEST(CDateTimeDlg, CancelLeavesTheCallersTime)
{
    uint32_t value = 1'000'000'000;
    CDateTimeDlg dlg;
    dlg.Setup(QStringLiteral("When?"), &value);
    testenv::OnNextModal([&dlg](QDialog* d) {
        dlg.DateTimeCtrl().setDateTime(dlg.DateTimeCtrl().dateTime().addDays(3));
        d->reject();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(value, 1'000'000'000u);
}

TEST(CDateTimeDlg, OnlyTimesThatFitTheCallersValueCanBePicked)
{
    ZoneScope scope("Asia/Kolkata");
    uint32_t value = 0;
    CDateTimeDlg dlg;
    dlg.Setup(QString(), &value);
    testenv::OnNextModal([&dlg](QDialog* d) {
        EXPECT_EQ(dlg.DateTimeCtrl().text(), "01/01/1970 12:00:00 AM");
        // Earlier than the start of the count is held at it.
        dlg.DateTimeCtrl().setDateTime(QDateTime(QDate(1960, 1, 1), QTime(0, 0)));
        d->accept();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(value, 0u);
}

TEST(CDateTimeDlg, WithoutATimeTheDialogSaysItCannotSetOneAndOkStoresNothing)
{
    testenv::ClearMessages();
    CDateTimeDlg dlg;
    dlg.Setup(QStringLiteral("When?"), nullptr);
    testenv::OnNextModal([](QDialog* d) { d->accept(); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(testenv::Messages().size(), 1u);
    EXPECT_EQ(testenv::Messages()[0].text, "Error: Unable to set the time/date!");
    EXPECT_EQ(testenv::Messages()[0].caption, QString());
    EXPECT_EQ(testenv::Messages()[0].type, UINT(MB_OK));
}

TEST(CProgressDlg, ValuesSetBeforeCreateTakeEffectWhenTheWindowIsCreated)
{
    CProgressDlg dlg;
    dlg.SetTitle(QStringLiteral("Converting"));
    dlg.SetText(QStringLiteral("Converting 12 files"));
    dlg.SetMin(10);
    dlg.SetMax(1010);
    dlg.SetStep(100);
    dlg.SetPos(510);
    dlg.OffsetPos(50);
    dlg.IncrPos(); // nothing to move yet, and nothing stored
    EXPECT_EQ(dlg.ProgressCtrl().GetPos(), 0);
    EXPECT_FALSE(dlg.isVisible());

    ASSERT_TRUE(dlg.Create());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.parentWidget(), nullptr);
    EXPECT_EQ(dlg.windowTitle(), "Converting");
    EXPECT_EQ(qobject_cast<QLabel*>(dlg.GetDlgItem(1010))->text(), "Converting 12 files");
    int lower = 0, upper = 0;
    dlg.ProgressCtrl().GetRange(lower, upper);
    EXPECT_EQ(lower, 10);
    EXPECT_EQ(upper, 1010);
    EXPECT_EQ(dlg.ProgressCtrl().GetPos(), 510);
    EXPECT_EQ(dlg.ProgressCtrl().value(), 510);

    dlg.IncrPos();
    EXPECT_EQ(dlg.ProgressCtrl().GetPos(), 610);
    dlg.OffsetPos(-20);
    EXPECT_EQ(dlg.ProgressCtrl().GetPos(), 590);
    dlg.SetText(QStringLiteral("Almost done"));
    EXPECT_EQ(qobject_cast<QLabel*>(dlg.GetDlgItem(1010))->text(), "Almost done");
    dlg.SetMax(600);
    EXPECT_EQ(dlg.ProgressCtrl().GetPos(), 590);
    dlg.IncrPos(); // past the end: starts over from the minimum
    EXPECT_EQ(dlg.ProgressCtrl().GetPos(), 100);
    dlg.close();
}

TEST(CProgressDlg, CancelHidesTheWindowAndKeepsNoState)
{
    CProgressDlg dlg;
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(dlg.windowTitle(), "Progress");
    QTest::mouseClick(qobject_cast<QPushButton*>(dlg.GetDlgItem(IDCANCEL)), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    dlg.SetPos(40);
    EXPECT_EQ(dlg.ProgressCtrl().GetPos(), 40);
}

TEST(MsgBox, ShowsTextCaptionAndTypeFromAnyThread)
{
    testenv::ClearMessages();
    EXPECT_EQ(OWDebug::MsgBox(QStringLiteral("Saved."), QString(), MB_OK), IDOK);
    int fromThread = 0;
    std::unique_ptr<QThread> worker(QThread::create([&fromThread] {
        fromThread = OWDebug::MsgBox(QStringLiteral("From a worker"), QStringLiteral("Job"), MB_OKCANCEL);
    }));
    worker->start();
    while (!worker->wait(10))
        QCoreApplication::processEvents();
    EXPECT_EQ(fromThread, IDOK);
    ASSERT_EQ(testenv::Messages().size(), 2u);
    EXPECT_EQ(testenv::Messages()[1].text, "From a worker");
    EXPECT_EQ(testenv::Messages()[1].caption, "Job");
    EXPECT_EQ(testenv::Messages()[1].type, UINT(MB_OKCANCEL));
}
