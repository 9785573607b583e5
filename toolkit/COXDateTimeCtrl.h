#pragma once
// A date and time picker over QDateTimeEdit with a drop-down month
// calendar (COXMonthCalCtrl). Formats are written as the platform's picker
// takes them ("MM'/'dd'/'yyy' 'hh':'mm':'ss' 'tt"): d dd ddd dddd, M MM MMM
// MMMM, y yy yyy yyyy, h hh (12-hour), H HH (24-hour), m mm, s ss, t tt
// (AM/PM) and quoted literal text, '' being a quote.
#include "platform/types/Win32Types.h"

#include <QDateTime>
#include <QDateTimeEdit>
#include <QPointer>

#include "toolkit/COXMonthCalCtrl.h"

class COXDateTimeCtrl : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit COXDateTimeCtrl(QWidget* parent = nullptr);
    ~COXDateTimeCtrl() override;

    // FALSE (format unchanged) for an empty format or an unclosed quote.
    BOOL SetFormat(const QString& format);
    // The platform's format as Qt writes it; empty when format is malformed.
    static QString ConvertFormat(const QString& format);

    // FALSE (value unchanged) for an invalid time or one outside the range.
    BOOL SetTime(const QDateTime& time);
    // FALSE when the control holds no valid time.
    BOOL GetTime(QDateTime& time) const;
    BOOL SetRange(const QDateTime& minimum, const QDateTime& maximum);

    // Drops the calendar down (as F4 or Alt+Down do).
    void ShowDropDown();
    // The calendar while it is dropped down, null otherwise.
    COXMonthCalCtrl* GetMonthCalCtrl() const;
    // The calendar the picker drops down, whether showing or not.
    COXMonthCalCtrl* MonthCalendar() const { return m_calendar; }

signals:
    // The calendar has just dropped down (styles set now apply to it).
    void dropDown();
    void closeUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<COXMonthCalCtrl> m_calendar;
    QPointer<QObject> m_calendarObject;
    bool m_bDroppedDown = false;
};
