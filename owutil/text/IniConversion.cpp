#include "IniConversion.h"

#include "owutil/OwUtilC.h"
#include "owutil/text/MemAlloc.h"

#include <QString>
#include <cstring>

namespace OwUtil::Internal {

std::string IniConversion::Printf() const
{
    std::string conv = text;
    const bool longInteger = std::strchr("diuoxX", letter) != nullptr;
    if (isLong && !longInteger && !conv.empty() && conv.back() == 'l')
        conv.pop_back();
    switch (letter) {
    case 'b': return conv + 'd';
    case 'q': return conv + 's';
    default: return conv + letter;
    }
}

const char* ParseIniConversion(const char* p, IniConversion& c, va_list* args)
{
    c = IniConversion{};
    c.text = *p++; // the percent sign
    while (*p && std::strchr("-+ #", *p))
        c.text += *p++;
    if (*p == '*') {
        c.text += std::to_string(va_arg(*args, int));
        ++p;
    } else {
        while (*p >= '0' && *p <= '9')
            c.text += *p++;
    }
    if (*p == '.') {
        ++p;
        std::string precision;
        if (*p == '*') {
            const int n = va_arg(*args, int);
            // A negative precision counts as none, as in printf.
            if (n >= 0)
                precision = std::to_string(n);
            ++p;
        } else {
            while (*p >= '0' && *p <= '9')
                precision += *p++;
        }
        if (!precision.empty() || p[-1] != '*')
            c.text += '.' + precision;
    }
    if (*p == 'l') {
        c.isLong = true;
        c.text += *p++;
    }
    c.letter = *p;
    return *p ? p + 1 : p;
}

QString FormatIniValue(MemAlloc<char>& buffer, const char* conversion, ...)
{
    va_list args;
    va_start(args, conversion);
    char* text = &buffer[0];
    FormatVStr(text, int(buffer.GetCount()), conversion, args);
    va_end(args);
    return QString::fromUtf8(text);
}

} // namespace OwUtil::Internal
