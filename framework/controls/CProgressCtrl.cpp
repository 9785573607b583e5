#include "CProgressCtrl.h"

#include <algorithm>

CProgressCtrl::CProgressCtrl(QWidget* parent) : QProgressBar(parent)
{
    setTextVisible(false);
    present();
}

void CProgressCtrl::SetRange32(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    SetPos(m_pos);
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    lower = m_lower;
    upper = m_upper;
}

int CProgressCtrl::SetPos(int pos)
{
    const int old = m_pos;
    m_pos = m_lower < m_upper ? std::clamp(pos, m_lower, m_upper) : pos;
    present();
    return old;
}

int CProgressCtrl::OffsetPos(int delta) { return SetPos(int(std::clamp<int64_t>(int64_t(m_pos) + delta, INT32_MIN, INT32_MAX))); }

int CProgressCtrl::SetStep(int step)
{
    const int old = m_step;
    m_step = step;
    return old;
}

int CProgressCtrl::StepIt()
{
    const int old = m_pos;
    if (m_lower >= m_upper)
        return old;
    const int64_t span = int64_t(m_upper) - m_lower;
    int64_t pos = int64_t(m_pos) + m_step;
    if (pos > m_upper)
        pos = (pos - m_lower) % span + m_lower;
    else if (pos < m_lower)
        pos = (pos - m_lower) % span + m_upper;
    m_pos = int(pos);
    present();
    return old;
}

void CProgressCtrl::present()
{
    // QProgressBar ignores values outside its range and shows a busy bar for
    // an empty range; the platform's bar shows an empty bar for both.
    if (m_lower < m_upper) {
        setRange(m_lower, m_upper);
        setValue(m_pos);
    } else {
        setRange(0, 1);
        setValue(0);
    }
    setAccessibleDescription(QStringLiteral("%1 of %2").arg(qint64(m_pos) - m_lower).arg(qint64(m_upper) - m_lower));
}
