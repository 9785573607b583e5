#include "COXDateTimeCtrl.h"

#include "COXMonthCalCtrl.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

COXDateTimeCtrl::COXDateTimeCtrl(QWidget* parent) : QDateTimeEdit(parent)
{
    setCalendarPopup(true);
    m_calendar = new COXMonthCalCtrl;
    setCalendarWidget(m_calendar);
    m_calendar->installEventFilter(this);
    m_calendarObject = m_calendar.data();
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
    // Literal text collects here and goes out as one quoted piece: two
    // quoted pieces side by side would read as a quote character.
    QString literal;
    auto flush = [&] {
        if (!literal.isEmpty())
            out += QLatin1Char('\'') + QString(literal).replace(QLatin1Char('\''), QStringLiteral("''")) +
                   QLatin1Char('\'');
        literal.clear();
    };
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            // Quoted text up to the next lone quote; '' is one quote.
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
            i = j + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < n && format[i + run] == c)
            ++run;
        const int r = int(run);
        QString field;
        switch (c.unicode()) {
        case 'd': field = QString(std::min(r, 4), QLatin1Char('d')); break;
        case 'M': field = QString(std::min(r, 4), QLatin1Char('M')); break;
        // A one-digit year has no Qt form: two digits are the nearest.
        case 'y': field = r <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"); break;
        case 'h': field = r == 1 ? QStringLiteral("h") : QStringLiteral("hh"); break;
        case 'H': field = r == 1 ? QStringLiteral("H") : QStringLiteral("HH"); break;
        case 'm': field = r == 1 ? QStringLiteral("m") : QStringLiteral("mm"); break;
        case 's': field = r == 1 ? QStringLiteral("s") : QStringLiteral("ss"); break;
        case 't': field = QStringLiteral("AP"); break;
        default: literal += QString(r, c); break;
        }
        if (!field.isEmpty()) {
            flush();
            out += field;
        }
        i += run;
    }
    flush();
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
    // Compared as a plain object: the calendar sends events while it is
    // destroyed, when it is no longer a calendar.
    if (watched == m_calendarObject.data()) {
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

void COXDateTimeCtrl::keyPressEvent(QKeyEvent* event)
{
    // F4 and Alt+Down drop the calendar down, as on the platform's picker.
    const bool altArrow = event->modifiers() == Qt::AltModifier &&
                          (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up);
    if ((event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier) || altArrow) {
        ShowDropDown();
        event->accept();
        return;
    }
    QDateTimeEdit::keyPressEvent(event);
}

void COXDateTimeCtrl::ShowDropDown()
{
    if (!calendarPopup() || !isEnabled() || m_bDroppedDown)
        return;
    // Qt opens the calendar only from a press on the drop-down arrow.
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.frame = true;
    option.subControls = QStyle::SC_All;
    const QRect arrow = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    const QPointF at = QRectF(arrow).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    mousePressEvent(&press);
}
