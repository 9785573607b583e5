#include "COXPhysicalEdit.h"

#include "framework/dialog/CDataExchange.h"
#include "framework/except/CException.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kMaxDecimals = 6;

} // namespace

COXPhysicalEdit::COXPhysicalEdit(const UnitTable& table, BOOL bAllowNegative, BOOL bShowUnit, QWidget* parent)
    : QLineEdit(parent), m_table(table), m_bAllowNegative(bAllowNegative != FALSE),
      m_bShowUnit(bShowUnit != FALSE), m_nCurrentUnit(table.nDefaultUnit)
{
}

COXPhysicalEdit::~COXPhysicalEdit() = default;

int COXPhysicalEdit::GetUnitCount() const { return m_table.nUnitCount; }

QString COXPhysicalEdit::GetUnitName(int unit) const
{
    if (unit < 0 || unit >= GetUnitCount())
        return QString();
    return QString::fromUtf8(m_table.ppszUnitNames[unit]);
}

int COXPhysicalEdit::GetDefaultUnit() const { return m_table.nDefaultUnit; }

const double* COXPhysicalEdit::GetConversionParams(int unit) const
{
    if (unit < 0 || unit >= GetUnitCount())
        return nullptr;
    return m_table.pConversionParams[unit];
}

QString COXPhysicalEdit::GetErrorMessage() const { return QString::fromUtf8(m_table.pszErrorMsg); }

double COXPhysicalEdit::ConversionHelper(std::span<const double[3]> params, double value, int fromUnit, int toUnit)
{
    const auto count = static_cast<int>(params.size());
    if (fromUnit < 0 || fromUnit >= count || toUnit < 0 || toUnit >= count)
        return kNaN;
    const double* from = params[fromUnit];
    const double* to = params[toUnit];
    if (from[1] == 0.0 || to[1] == 0.0)
        return kNaN;
    if (fromUnit == toUnit)
        return value;
    const double inDefault = (value + from[0]) * from[1] + from[2];
    return (inDefault - to[2]) / to[1] - to[0];
}

double COXPhysicalEdit::ConvertValue(double value, int fromUnit, int toUnit) const
{
    const double* from = GetConversionParams(fromUnit);
    const double* to = GetConversionParams(toUnit);
    if (from == nullptr || to == nullptr || from[1] == 0.0 || to[1] == 0.0)
        return kNaN;
    if (fromUnit == toUnit)
        return value;
    const double rows[2][3] = {{from[0], from[1], from[2]}, {to[0], to[1], to[2]}};
    return ConversionHelper(rows, value, 0, 1);
}

BOOL COXPhysicalEdit::SetValue(double value, int unit, const QString& unitText)
{
    if (!unitText.isEmpty())
        unit = FindUnit(unitText);
    else if (unit == -1)
        unit = GetDefaultUnit();
    if (unit < 0 || unit >= GetUnitCount() || !std::isfinite(value))
        return FALSE;
    m_nCurrentUnit = unit;
    setText(FormatValue(value, unit));
    return TRUE;
}

double COXPhysicalEdit::GetValue(int unit) const
{
    double value = 0;
    int typedUnit = 0;
    QString unitText;
    if (ParseText(text(), value, typedUnit, unitText) != ParseOK)
        return kNaN;
    return ConvertValue(value, typedUnit, unit == -1 ? GetDefaultUnit() : unit);
}

COXPhysicalEdit::ParseResult COXPhysicalEdit::ParseText(const QString& text, double& value, int& unit,
                                                        QString& unitText) const
{
    // A sign, digits with at most one '.', then whatever is left is the unit.
    static const QRegularExpression number(QStringLiteral(R"(^([+-]?(?:\d+\.?\d*|\.\d+))\s*(.*)$)"));
    const QRegularExpressionMatch m = number.match(text.trimmed());
    if (!m.hasMatch())
        return ParseNoNumber;
    bool ok = false;
    const double parsed = QLocale::c().toDouble(m.captured(1), &ok);
    if (!ok || !std::isfinite(parsed))
        return ParseNoNumber;
    unitText = m.captured(2);
    int parsedUnit = m_nCurrentUnit;
    if (!unitText.isEmpty()) {
        parsedUnit = FindUnit(unitText);
        if (parsedUnit < 0)
            return ParseUnknownUnit;
    }
    if (parsed < 0 && !m_bAllowNegative)
        return ParseNegative;
    value = parsed;
    unit = parsedUnit;
    return ParseOK;
}

QString COXPhysicalEdit::FormatValue(double value, int unit) const
{
    QString number = QLocale::c().toString(value, 'f', kMaxDecimals);
    if (number.contains(QLatin1Char('.'))) {
        while (number.endsWith(QLatin1Char('0')))
            number.chop(1);
        if (number.endsWith(QLatin1Char('.')))
            number.chop(1);
    }
    if (number == QLatin1String("-0"))
        number = QStringLiteral("0");
    if (!m_bShowUnit)
        return number;
    return number + QLatin1Char(' ') + GetUnitName(unit);
}

int COXPhysicalEdit::FindUnit(const QString& name) const
{
    for (int i = 0; i < GetUnitCount(); ++i)
        if (GetUnitName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void DDX_OXPhysicalEdit(CDataExchange* pDX, int id, COXPhysicalEdit& edit, double& value, int unit)
{
    pDX->PrepareEditCtrl(id);
    if (unit == -1)
        unit = edit.GetDefaultUnit();
    if (!pDX->m_bSaveAndValidate) {
        edit.SetValue(value, unit);
        return;
    }
    double typed = 0;
    int typedUnit = 0;
    QString unitText;
    switch (edit.ParseText(edit.text(), typed, typedUnit, unitText)) {
    case COXPhysicalEdit::ParseOK:
        value = edit.ConvertValue(typed, typedUnit, unit);
        return;
    case COXPhysicalEdit::ParseUnknownUnit:
        AfxMessageBox(edit.GetErrorMessage().arg(unitText), MB_OK | MB_ICONEXCLAMATION);
        break;
    case COXPhysicalEdit::ParseNegative:
        AfxMessageBox(QStringLiteral("Please enter a value of zero or more."), MB_OK | MB_ICONEXCLAMATION);
        break;
    case COXPhysicalEdit::ParseNoNumber:
    {
        QStringList units;
        for (int i = 0; i < edit.GetUnitCount(); ++i)
            units << edit.GetUnitName(i);
        AfxMessageBox(QStringLiteral("Please enter a number, optionally followed by one of its units: %1.")
                          .arg(units.join(QStringLiteral(", "))),
                      MB_OK | MB_ICONEXCLAMATION);
        break;
    }
    }
    pDX->Fail();
}
