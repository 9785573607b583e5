// The date and time picker: the platform's format strings, times in and out
// of range, and the drop-down calendar with its styles.
#include "toolkit/COXDateTimeCtrl.h"
#include "toolkit/COXMonthCalCtrl.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(COXDateTimeCtrl, PlatformFormatsBecomeQtFormats)
{
    const struct {
        const char* platform;
        const char* qt;
    } cases[] = {
        {"MM'/'dd'/'yyy' 'hh':'mm':'ss' 'tt", "MM'/'dd'/'yyyy' 'hh':'mm':'ss' 'AP"},
        {"dddd, MMMM d, yyyy", "dddd', 'MMMM' 'd', 'yyyy"},
        {"HH:mm", "HH':'mm"},
        {"'It''s' h t", "'It''s 'h' 'AP"},
        {"yy-M-d", "yy'-'M'-'d"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(COXDateTimeCtrl::ConvertFormat(QString::fromLatin1(c.platform)), QString::fromLatin1(c.qt))
            << c.platform;
    EXPECT_EQ(COXDateTimeCtrl::ConvertFormat(QStringLiteral("MM'/dd")), QString()); // unclosed quote
    EXPECT_EQ(COXDateTimeCtrl::ConvertFormat(QString()), QString());

    COXDateTimeCtrl ctrl;
    ASSERT_TRUE(ctrl.SetFormat(QStringLiteral("MM'/'dd'/'yyy' 'hh':'mm':'ss' 'tt")));
    ASSERT_TRUE(ctrl.SetTime(QDateTime(QDate(2031, 7, 4), QTime(23, 59, 58))));
    EXPECT_EQ(ctrl.text(), "07/04/2031 11:59:58 PM");
    EXPECT_FALSE(ctrl.SetFormat(QStringLiteral("'open")));
    EXPECT_EQ(ctrl.text(), "07/04/2031 11:59:58 PM");
}

TEST(COXDateTimeCtrl, TimesOutsideTheRangeAreRefusedAndTheValueKept)
{
    COXDateTimeCtrl ctrl;
    const QDateTime low(QDate(2000, 1, 1), QTime(0, 0));
    const QDateTime high(QDate(2000, 12, 31), QTime(23, 0));
    ASSERT_TRUE(ctrl.SetRange(low, high));
    EXPECT_FALSE(ctrl.SetRange(high, low));
    ASSERT_TRUE(ctrl.SetTime(QDateTime(QDate(2000, 6, 1), QTime(12, 0))));
    EXPECT_FALSE(ctrl.SetTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0))));
    EXPECT_FALSE(ctrl.SetTime(QDateTime()));
    QDateTime read;
    ASSERT_TRUE(ctrl.GetTime(read));
    EXPECT_EQ(read, QDateTime(QDate(2000, 6, 1), QTime(12, 0)));
}

TEST(COXDateTimeCtrl, TheCalendarIsReachableOnlyWhileDroppedDown)
{
    COXDateTimeCtrl ctrl;
    ctrl.show();
    int drops = 0;
    QObject::connect(&ctrl, &COXDateTimeCtrl::dropDown, [&] {
        ++drops;
        ASSERT_NE(ctrl.GetMonthCalCtrl(), nullptr);
        ctrl.GetMonthCalCtrl()->ModifyStyle(0, MCS_NOTODAY);
    });
    EXPECT_EQ(ctrl.GetMonthCalCtrl(), nullptr);
    QTest::keyClick(&ctrl, Qt::Key_F4); // the platform's key for the drop-down
    ASSERT_TRUE(ctrl.MonthCalendar()->isVisible());
    EXPECT_EQ(drops, 1);
    EXPECT_FALSE(ctrl.MonthCalendar()->TodayLine()->isVisible());
    ctrl.MonthCalendar()->window()->hide();
    EXPECT_EQ(ctrl.GetMonthCalCtrl(), nullptr);
    QTest::keyClick(&ctrl, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(drops, 2);
    ctrl.MonthCalendar()->window()->hide();
}

TEST(COXMonthCalCtrl, StylesAndToolTips)
{
    COXMonthCalCtrl cal;
    cal.show();
    EXPECT_TRUE(cal.TodayLine()->isVisible());
    EXPECT_TRUE(cal.TodayLine()->text().startsWith("Today: "));
    EXPECT_EQ(cal.verticalHeaderFormat(), QCalendarWidget::NoVerticalHeader);
    cal.SetStyle(MCS_WEEKNUMBERS | MCS_NOTODAY);
    EXPECT_FALSE(cal.TodayLine()->isVisible());
    EXPECT_EQ(cal.verticalHeaderFormat(), QCalendarWidget::ISOWeekNumbers);
    cal.ModifyStyle(MCS_NOTODAY, MCS_NOTODAYCIRCLE);
    EXPECT_EQ(cal.GetStyle(), DWORD(MCS_WEEKNUMBERS | MCS_NOTODAYCIRCLE));
    EXPECT_TRUE(cal.TodayLine()->isVisible());

    auto* next = cal.findChild<QWidget*>(QStringLiteral("qt_calendar_nextmonth"));
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->toolTip().isEmpty());
    cal.EnableToolTips(TRUE);
    EXPECT_EQ(next->toolTip(), "Next month");
    EXPECT_FALSE(cal.TodayLine()->toolTip().isEmpty());

    cal.setSelectedDate(QDate(1999, 1, 1));
    QTest::mouseClick(cal.TodayLine(), Qt::LeftButton);
    EXPECT_EQ(cal.selectedDate(), QDate::currentDate());
}
