#include "COXMonthCalCtrl.h"

#include <QLayout>
#include <QLocale>
#include <QPainter>
#include <QToolButton>

namespace {

// Qt's own names for the navigation buttons of QCalendarWidget.
const struct {
    const char* objectName;
    const char* tip;
} kNavigationTips[] = {
    {"qt_calendar_prevmonth", "Previous month"},
    {"qt_calendar_nextmonth", "Next month"},
    {"qt_calendar_monthbutton", "Choose the month"},
    {"qt_calendar_yearbutton", "Choose the year"},
};

} // namespace

COXMonthCalCtrl::COXMonthCalCtrl(QWidget* parent) : QCalendarWidget(parent)
{
    setAccessibleName(QStringLiteral("Month calendar"));
    setGridVisible(false);
    m_today = new QToolButton(this);
    m_today->setObjectName(QStringLiteral("todayLine"));
    m_today->setAutoRaise(true);
    m_today->setAccessibleName(QStringLiteral("Today"));
    m_today->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QFont bold = m_today->font();
    bold.setBold(true);
    m_today->setFont(bold);
    if (layout() != nullptr)
        layout()->addWidget(m_today);
    connect(m_today, &QToolButton::clicked, this, &COXMonthCalCtrl::goToToday);
    SetStyle(0);
    updateTodayText();
}

COXMonthCalCtrl::~COXMonthCalCtrl() = default;

void COXMonthCalCtrl::SetStyle(DWORD style)
{
    m_style = style;
    setVerticalHeaderFormat((style & MCS_WEEKNUMBERS) ? ISOWeekNumbers : NoVerticalHeader);
    m_today->setVisible((style & MCS_NOTODAY) == 0);
    updateCells();
}

void COXMonthCalCtrl::EnableToolTips(BOOL enable)
{
    m_toolTips = enable != FALSE;
    for (const auto& n : kNavigationTips)
        if (auto* w = findChild<QWidget*>(QLatin1String(n.objectName)))
            w->setToolTip(m_toolTips ? tr(n.tip) : QString());
    m_today->setToolTip(m_toolTips ? tr("Go to today") : QString());
}

void COXMonthCalCtrl::paintCell(QPainter* painter, const QRect& rect, QDate date) const
{
    QCalendarWidget::paintCell(painter, rect, date);
    if ((m_style & MCS_NOTODAYCIRCLE) || date != QDate::currentDate())
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QColor(192, 0, 0), 1.5));
    painter->setBrush(Qt::NoBrush);
    painter->drawEllipse(QRectF(rect).adjusted(1.5, 1.5, -1.5, -1.5));
    painter->restore();
}

void COXMonthCalCtrl::showEvent(QShowEvent* event)
{
    // The calendar may stay open across midnight; each showing names the day.
    updateTodayText();
    QCalendarWidget::showEvent(event);
}

void COXMonthCalCtrl::goToToday()
{
    const QDate today = QDate::currentDate();
    setSelectedDate(today);
    showSelectedDate();
    // A date picker's drop-down takes a click on a day as the user's choice.
    emit clicked(today);
}

void COXMonthCalCtrl::updateTodayText()
{
    m_today->setText(tr("Today: %1").arg(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)));
}
