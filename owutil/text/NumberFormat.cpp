#include "NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace OwUtil {

namespace {

// Digits of a double never reach beyond this many places.
constexpr int maxPrecision = 340;

QString groupDigits(const QString& digits)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits[i];
    }
    return out;
}

} // namespace

QString GetDoubleStr(double value, int width, int precision, bool trimZeros)
{
    precision = std::clamp(precision, 0, maxPrecision);
    width = std::max(width, 0);
    if (width > 20) {
        precision = std::max(0, precision - (width - 20));
        width = 20;
    }
    double limit = 1.0;
    for (int i = 0; i < width - precision - 1; ++i)
        limit *= 10.0;
    // Beyond 2^53, limit - 1 rounds back to limit, which needs one digit more.
    const double largest = limit - 1 < limit ? limit - 1 : std::nextafter(limit, 0.0);
    if (value >= limit)
        value = largest;
    else if (value <= -limit)
        value = -largest;

    QString text = QString::asprintf("%-*.*f", width, precision, value);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    if (trimZeros && text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

QString CommaFormat(unsigned long value) { return groupDigits(QString::number(value)); }

QString CommaFormat(long value)
{
    if (value >= 0)
        return CommaFormat((unsigned long)value);
    return QLatin1Char('-') + CommaFormat(0ul - (unsigned long)value);
}

QString CommaFormat(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, maxPrecision);
    if (!std::isfinite(value))
        return QString::asprintf("%f", value);
    // Round the magnitude as a whole, then group its whole digits.
    const QString text = QString::asprintf("%.*f", decimals, std::fabs(value));
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point);
    const bool nonZero = std::any_of(text.begin(), text.end(),
                                     [](QChar c) { return c.isDigit() && c != QLatin1Char('0'); });
    const QString sign = value < 0 && nonZero ? QStringLiteral("-") : QString();
    return sign + groupDigits(whole) + fraction;
}

double Round(double x, double step)
{
    if (step == 0 || !std::isfinite(x) || !std::isfinite(step))
        return x;
    const double q = std::fabs(x) / step;
    double whole = std::floor(q);
    if (q - whole >= 0.5)
        whole += 1;
    const double r = whole * step;
    return x > 0 ? r : (x < 0 ? -r : 0.0);
}

} // namespace OwUtil
