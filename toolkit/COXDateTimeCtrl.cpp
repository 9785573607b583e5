#include "COXDateTimeCtrl.h"

#include "COXMonthCalCtrl.h"

#include <QEvent>

COXDateTimeCtrl::COXDateTimeCtrl(QWidget* parent) : QDateTimeEdit(parent)
{
    setCalendarPopup(true);
    m_calendar = new COXMonthCalCtrl;
    setCalendarWidget(m_calendar);
    m_calendar->installEventFilter(this);
    setTimeSpec(Qt::LocalTime);
    setDateTime(QDateTime::currentDateTime());
}

COXDateTimeCtrl::~COXDateTimeCtrl()
{
    // The picker does not own the calendar it was given; its popup holds it.
    delete m_calendar.data();
}

QString COXDateTimeCtrl::ConvertFormat(const QString& format)
{
    QString out;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            // Quoted text up to the next lone quote; '' inside is one quote.
            QString literal;
            qsizetype j = i + 1;
            bool closed = false;
            while (j < n) {
                if (format[j] == QLatin1Char('\'')) {
                    if (j + 1 < n && format[j + 1] == QLatin1Char('\'')) {
                        literal += QLatin1Char('\'');
                        j += 2;
                        continue;
                    }
                    closed = true;
                    break;
                }
                literal += format[j++];
            }
            if (!closed)
                return {};
            if (literal.isEmpty() && j == i + 1)
                out += QStringLiteral("''"); // '' outside quotes is a quote
            else
                out += QLatin1Char('\'') + QString(literal).replace(QLatin1Char('\''), QStringLiteral("''")) +
                       QLatin1Char('\'');
            i = j + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < n && format[i + run] == c)
            ++run;
        const int r = int(run);
        switch (c.unicode()) {
        case 'd': out += QString(std::min(r, 4), QLatin1Char('d')); break;
        case 'M': out += QString(std::min(r, 4), QLatin1Char('M')); break;
        case 'y': out += r == 1 ? QStringLiteral("yy") : r == 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"); break;
        case 'h': out += r == 1 ? QStringLiteral("h") : QStringLiteral("hh"); break;
        case 'H': out += r == 1 ? QStringLiteral("H") : QStringLiteral("HH"); break;
        case 'm': out += r == 1 ? QStringLiteral("m") : QStringLiteral("mm"); break;
        case 's': out += r == 1 ? QStringLiteral("s") : QStringLiteral("ss"); break;
        case 't': out += QStringLiteral("AP"); break;
        default:
            // Anything else is shown as it is.
            out += QLatin1Char('\'') + QString(r, c).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
            break;
        }
        i += run;
    }
    return out;
}

BOOL COXDateTimeCtrl::SetFormat(const QString& format)
{
    const QString qt = ConvertFormat(format);
    if (qt.isEmpty())
        return FALSE;
    setDisplayFormat(qt);
    return TRUE;
}

BOOL COXDateTimeCtrl::SetTime(const QDateTime& time)
{
    if (!time.isValid() || time < minimumDateTime() || time > maximumDateTime())
        return FALSE;
    setDateTime(time.toLocalTime());
    return TRUE;
}

BOOL COXDateTimeCtrl::GetTime(QDateTime& time) const
{
    const QDateTime value = dateTime();
    if (!value.isValid())
        return FALSE;
    time = value;
    return TRUE;
}

BOOL COXDateTimeCtrl::SetRange(const QDateTime& minimum, const QDateTime& maximum)
{
    if (!minimum.isValid() || !maximum.isValid() || maximum < minimum)
        return FALSE;
    setDateTimeRange(minimum.toLocalTime(), maximum.toLocalTime());
    return TRUE;
}

COXMonthCalCtrl* COXDateTimeCtrl::GetMonthCalCtrl() const { return m_bDroppedDown ? m_calendar.data() : nullptr; }

bool COXDateTimeCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_calendar) {
        if (event->type() == QEvent::Show && !m_bDroppedDown) {
            m_bDroppedDown = true;
            emit dropDown();
        } else if (event->type() == QEvent::Hide && m_bDroppedDown) {
            m_bDroppedDown = false;
            emit closeUp();
        }
    }
    return QDateTimeEdit::eventFilter(watched, event);
}
