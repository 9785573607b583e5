// The utility dialogs on a real X server, driven with keys and clicks as a
// user drives them, and a C client that meets them through the plain header.
#include "tests/common/EventLoop.h"
#include "owutil/ui/CDateTimeDlg.h"
#include "owutil/ui/COwListDialog.h"
#include "owutil/ui/CProgressDlg.h"
#include "owutil/ui/CTipDlg.h"
#include "tests/common/ModalDialog.h"
#include "tests/common/TestEnvironment.h"
#include "toolkit/COXMonthCalCtrl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <ctime>

namespace {

void settle(int ms = 150) { testenv::ProcessEventsFor(ms); }

// Runs act once the modal dialog is showing and active on the X server.
void onShownModal(std::function<void(QDialog*)> act)
{
    testenv::OnNextModal([act = std::move(act)](QDialog* d) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(d));
        settle();
        act(d);
    });
}

QString writeTips(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("tips.txt"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("; Tips for the test\n"
            "Press F4 in a date field to drop its calendar down.\n"
            "A double click on an entry of a list chooses it.\n");
    return path;
}

} // namespace

TEST(UtilityDialogsX11, AListEntryIsChosenWithTheArrowKeysAndEnter)
{
    int selection = 2;
    COwListDialog dlg(QStringLiteral("Open which layer?"), selection);
    for (const char* name : {"Walls", "Doors", "Furniture", "Notes"})
        dlg.AddItem(QString::fromLatin1(name));
    onShownModal([](QDialog* d) {
        auto* list = qobject_cast<QListWidget*>(CDialog::FindDlgItem(d, 1000));
        ASSERT_TRUE(list->hasFocus());
        EXPECT_EQ(list->currentItem()->text(), "Doors");
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(selection, 4);
}

TEST(UtilityDialogsX11, TheDateIsPickedFromTheDroppedDownCalendar)
{
    const QByteArray oldZone = qgetenv("TZ");
    qputenv("TZ", "Asia/Kolkata");
    tzset();
    uint32_t value = uint32_t(QDateTime(QDate(2030, 3, 14), QTime(9, 30), Qt::UTC).toSecsSinceEpoch());
    const uint32_t before = value;
    CDateTimeDlg dlg;
    dlg.Setup(QStringLiteral("When does the meeting start?"), &value);
    onShownModal([&dlg](QDialog*) {
        COXDateTimeCtrl& picker = dlg.DateTimeCtrl();
        ASSERT_TRUE(picker.hasFocus());
        EXPECT_EQ(picker.text(), "03/14/2030 09:30:00 AM");
        QTest::keyClick(&picker, Qt::Key_F4);
        settle();
        COXMonthCalCtrl* calendar = picker.GetMonthCalCtrl();
        ASSERT_NE(calendar, nullptr);
        EXPECT_TRUE(calendar->isVisible());
        EXPECT_EQ(calendar->GetStyle() & (MCS_NOTODAYCIRCLE | MCS_NOTODAY), DWORD(MCS_NOTODAYCIRCLE | MCS_NOTODAY));
        EXPECT_FALSE(calendar->TodayLine()->isVisible());
        EXPECT_TRUE(calendar->ToolTipsEnabled());
        // A week on, as a user's keys move through the month.
        QWidget* days = QApplication::focusWidget();
        ASSERT_NE(days, nullptr);
        QTest::keyClick(days, Qt::Key_Down);
        QTest::keyClick(days, Qt::Key_Return);
        settle();
        EXPECT_EQ(picker.GetMonthCalCtrl(), nullptr);
        EXPECT_EQ(picker.text(), "03/21/2030 09:30:00 AM");
        QTest::keyClick(&picker, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(value, before + 7 * 86400);
    qputenv("TZ", oldZone);
    tzset();
}

TEST(UtilityDialogsX11, TheTipFrameIsPaintedAndNextTipShowsTheNextOne)
{
    QTemporaryDir dir;
    int position = 0;
    int startup = 1;
    char stamp[32] = {};
    CTipDlg dlg;
    dlg.Setup(writeTips(dir), &position, &startup, stamp, sizeof stamp);
    onShownModal([&dlg](QDialog* d) {
        QWidget* frame = CDialog::FindDlgItem(d, 1002);
        const QImage shot = frame->grab().toImage();
        const qreal dpr = shot.devicePixelRatio();
        const QPoint tip = frame->mapFrom(d, CDialog::FindDlgItem(d, 1003)->pos());
        const QPoint bulb = frame->mapFrom(d, CDialog::FindDlgItem(d, 1004)->pos());
        const QRgb shadow = d->palette().color(QPalette::Dark).rgb();
        const QRgb window = d->palette().color(QPalette::Base).rgb();
        auto at = [&](int x, int y) { return shot.pixel(QPoint(x, y) * dpr); };
        EXPECT_EQ(at(bulb.x(), bulb.y()), shadow);          // the bulb's white corner, flooded
        EXPECT_EQ(at(bulb.x() + 16, bulb.y() + 16), qRgb(0xff, 0xe9, 0x4d)); // its glass
        EXPECT_EQ(at(tip.x() - 12, tip.y() + 60), shadow);  // the strip
        EXPECT_EQ(at(tip.x() - 8, tip.y() + 60), window);   // right of the strip
        EXPECT_EQ(at(tip.x() + 100, bulb.y() + 46), shadow); // the line under the bulb
        EXPECT_NE(at(tip.x() + 100, bulb.y() + 47), shadow);

        QTest::mouseClick(qobject_cast<QPushButton*>(CDialog::FindDlgItem(d, 1006)), Qt::LeftButton);
        EXPECT_EQ(dlg.CurrentTip(), "A double click on an entry of a list chooses it.\n");
        QTest::keyClick(d, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(startup, 1);
}

TEST(UtilityDialogsX11, TheProgressWindowStandsAloneAndFollowsItsBar)
{
    QWidget owner;
    owner.show();
    CProgressDlg dlg(&owner);
    dlg.SetTitle(QStringLiteral("Converting"));
    dlg.SetText(QStringLiteral("Converting drawings..."));
    dlg.SetMax(4);
    dlg.SetPos(1);
    ASSERT_TRUE(dlg.Create());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_TRUE(dlg.isWindow());
    EXPECT_EQ(dlg.parentWidget(), nullptr);
    EXPECT_EQ(dlg.ProgressCtrl().value(), 1);
    for (int i = 0; i < 2; ++i) {
        dlg.IncrPos();
        settle(30);
    }
    EXPECT_EQ(dlg.ProgressCtrl().value(), 3);
    QTest::mouseClick(qobject_cast<QPushButton*>(dlg.GetDlgItem(IDCANCEL)), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
}

// The C client, with xdotool as its user: unticks "Show tips on startup",
// closes the tip with Enter, moves the month up by one and confirms.
TEST(UtilityDialogsX11, ACProgramUsesTheDialogsThroughThePlainHeader)
{
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xdotool.isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    QTemporaryDir dir;
    QProcess client;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    client.setProcessEnvironment(env);
    client.start(testenv::BuildDir() + QStringLiteral("/bin/owutil_c_client"),
                 {writeTips(dir), QStringLiteral("1700000000")});
    ASSERT_TRUE(client.waitForStarted());

    auto user = [&xdotool](const QString& title, const QStringList& keys) {
        QProcess search;
        search.start(xdotool, {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                               QStringLiteral("--name"), title});
        ASSERT_TRUE(search.waitForFinished(20000)) << qPrintable(title);
        const QString window = QString::fromLatin1(search.readAllStandardOutput()).split('\n').value(0);
        ASSERT_FALSE(window.isEmpty()) << qPrintable(title);
        QThread::msleep(300);
        QProcess::execute(xdotool, {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        QThread::msleep(200);
        QStringList args{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80")};
        QProcess::execute(xdotool, args + keys);
    };
    user(QStringLiteral("Tip of the Day"), {QStringLiteral("space"), QStringLiteral("Return")});
    user(QStringLiteral("Pick Time & Date"), {QStringLiteral("Up"), QStringLiteral("Return")});
    ASSERT_TRUE(client.waitForFinished(20000));
    const QStringList lines = QString::fromUtf8(client.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << client.readAllStandardError().constData();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("tip result=1 position=72 startup=0 stamp=")))
        << qPrintable(lines[0]);
    EXPECT_EQ(lines[0].section(QStringLiteral("stamp="), 1).size(), 24);
    // 14 November 2023 22:13:20, a month on.
    EXPECT_EQ(lines[1], QStringLiteral("date result=1 time=%1")
                            .arg(QDateTime(QDate(2023, 12, 14), QTime(22, 13, 20), Qt::UTC).toSecsSinceEpoch()));
}
