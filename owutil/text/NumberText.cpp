#include "NumberText.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace OwUtil::Internal {

long long ReadDecimal(const char* text)
{
    if (text == nullptr)
        return 0;
    // strtoll reads no decimal point, so the locale does not matter; it
    // saturates instead of overflowing as atoi would.
    return std::strtoll(text, nullptr, 10);
}

long long ReadDecimal(const QString& text) { return ReadDecimal(text.toUtf8().constData()); }

double ReadDouble(const char* text)
{
    if (text == nullptr)
        return 0.0;
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(text, nullptr, cLocale);
}

double ReadDouble(const QString& text) { return ReadDouble(text.toUtf8().constData()); }

} // namespace OwUtil::Internal
