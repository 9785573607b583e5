#include "CUGCell.h"

#include <QLocale>

namespace {

QString numberText(double number, int decimals)
{
    return QString::number(number, 'f', decimals);
}

} // namespace

void CUGCell::SetText(const QString& text)
{
    m_text = text;
    m_dataType = UGCELLDATA_STRING;
}

void CUGCell::SetNumber(double number)
{
    m_number = number;
    m_dataType = UGCELLDATA_NUMBER;
    m_text = numberText(number, m_decimals);
}

double CUGCell::GetNumber() const
{
    if (m_dataType == UGCELLDATA_NUMBER)
        return m_number;
    bool ok = false;
    const double value = m_text.trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

void CUGCell::SetNumberDecimals(int decimals)
{
    m_decimals = qBound(0, decimals, 15);
    if (m_dataType == UGCELLDATA_NUMBER)
        m_text = numberText(m_number, m_decimals);
}
