#pragma once
// Number formatting: fixed-width decimals, thousands separators, rounding.
#include <QString>

namespace OwUtil {

// value in at most width characters (widths over 20 give up precision for
// the excess), left-aligned with precision decimals and no trailing blanks.
// Values that do not fit are clamped to the largest that do (99999.00 for
// width 8 and precision 2). trimZeros removes trailing zeros after the
// decimal point and then a bare decimal point.
QString GetDoubleStr(double value, int width, int precision, bool trimZeros);

// Decimal digits with "," before every group of three: 1234567 gives "1,234,567".
QString CommaFormat(unsigned long value);
// As the unsigned form, with "-" in front of negative values.
QString CommaFormat(long value);
// The whole part with separators and decimals digits after the point:
// 1234.5 with 2 gives "1,234.50". The value is rounded as a whole, so a
// fraction that rounds up carries into the whole part (2.999 gives "3.00"),
// and negative values keep their sign (-0.5 gives "-0.50").
QString CommaFormat(double value, int decimals);
// int arguments would be ambiguous between the forms above.
inline QString CommaFormat(int value) { return CommaFormat(long(value)); }
inline QString CommaFormat(unsigned int value) { return CommaFormat((unsigned long)value); }

// x rounded to the nearest multiple of step, halves away from zero; x itself
// when step is 0 (or x is not finite).
double Round(double x, double step);

} // namespace OwUtil
