#pragma once
// A month calendar over QCalendarWidget with the platform's month-calendar
// looks: a circle round today's date and a "Today:" line under the month
// (a click on it goes to today), each of which a style switches off, week
// numbers by style, and tool tips on its buttons when enabled.
#include "platform/types/Win32Types.h"

#include <QCalendarWidget>

class QToolButton;

enum : DWORD {
    MCS_WEEKNUMBERS = 0x0004,
    MCS_NOTODAYCIRCLE = 0x0008,
    MCS_NOTODAY = 0x0010,
};

class COXMonthCalCtrl : public QCalendarWidget {
    Q_OBJECT
public:
    explicit COXMonthCalCtrl(QWidget* parent = nullptr);
    ~COXMonthCalCtrl() override;

    DWORD GetStyle() const { return m_style; }
    void SetStyle(DWORD style);
    void ModifyStyle(DWORD remove, DWORD add) { SetStyle((m_style & ~remove) | add); }

    void EnableToolTips(BOOL enable = TRUE);
    bool ToolTipsEnabled() const { return m_toolTips; }

    // The "Today:" line; hidden under MCS_NOTODAY.
    QToolButton* TodayLine() const { return m_today; }

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
    void showEvent(QShowEvent* event) override;

private:
    void goToToday();
    void updateTodayText();

    DWORD m_style = 0;
    bool m_toolTips = false;
    QToolButton* m_today = nullptr;
};
