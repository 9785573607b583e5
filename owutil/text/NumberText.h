#pragma once
// Reading numbers from text the way the C library does (leading blanks, a
// sign, the longest number that follows), always with the "C" locale's
// decimal point, whatever the user's locale.
#include <QString>

namespace OwUtil::Internal {

// The leading decimal integer of text (0 when there is none), saturated to
// the range of long long.
long long ReadDecimal(const QString& text);
long long ReadDecimal(const char* text);

// The leading floating-point number of text (0 when there is none).
double ReadDouble(const QString& text);
double ReadDouble(const char* text);

} // namespace OwUtil::Internal
