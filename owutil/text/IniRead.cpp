#include "IniValues.h"

#include "owutil/text/IniConversion.h"
#include "owutil/text/MemAlloc.h"
#include "owutil/text/NumberText.h"
#include "owutil/text/ParseToken.h"
#include "owutil/text/Quotes.h"
#include "platform/types/CRect.h"

#include <cstdarg>
#include <cstring>

namespace OwUtil {

namespace {

using Internal::FormatIniValue;
using Internal::IniConversion;
using Internal::ReadDecimal;
using Internal::ReadDouble;

// The numbers of a "(a|b|...)" token: the text before "(" is dropped, the
// values are separated by "|" and the last ends at ")".
void readGroup(const QString& token, long long* values, int count)
{
    QString part, rest;
    ParseToken(token, part, rest, '(');
    for (int k = 0; k < count; ++k) {
        QString next;
        ParseToken(rest, part, next, k + 1 < count ? '|' : ')');
        values[k] = ReadDecimal(part);
        rest = next;
    }
}

// Stores the value of token into the target that the conversion calls for.
void store(MemAlloc<char>& buffer, const IniConversion& c, const QString& token, va_list* args)
{
    const std::string conv = c.Printf();
    const char* f = conv.c_str();
    switch (c.letter) {
    case 'd':
    case 'i':
        if (c.isLong) {
            long* target = va_arg(*args, long*);
            if (target)
                *target = long(ReadDecimal(FormatIniValue(buffer, f, long(ReadDecimal(token)))));
        } else {
            int* target = va_arg(*args, int*);
            if (target)
                *target = int(ReadDecimal(FormatIniValue(buffer, f, int(ReadDecimal(token)))));
        }
        break;
    case 'u':
    case 'o':
    case 'x':
    case 'X':
        if (c.isLong) {
            unsigned long* target = va_arg(*args, unsigned long*);
            if (target)
                *target =
                    (unsigned long)ReadDecimal(FormatIniValue(buffer, f, (unsigned long)ReadDecimal(token)));
        } else {
            unsigned* target = va_arg(*args, unsigned*);
            if (target)
                *target = unsigned(ReadDecimal(FormatIniValue(buffer, f, unsigned(ReadDecimal(token)))));
        }
        break;
    case 'b': {
        bool* target = va_arg(*args, bool*);
        if (target)
            *target = ReadDecimal(FormatIniValue(buffer, f, int(ReadDecimal(token)))) != 0;
        break;
    }
    case 'f':
    case 'e':
    case 'E':
    case 'g':
    case 'G': {
        double* target = va_arg(*args, double*);
        if (target)
            *target = ReadDouble(FormatIniValue(buffer, f, ReadDouble(token)));
        break;
    }
    case 'c': {
        char* target = va_arg(*args, char*);
        if (target)
            *target = token.isEmpty() ? '\0' : token.toUtf8().at(0);
        break;
    }
    case 's': {
        QString* target = va_arg(*args, QString*);
        if (target)
            *target = token;
        break;
    }
    case 'q': {
        QString* target = va_arg(*args, QString*);
        if (target) {
            QString s = token;
            *target = StripQuotes(s);
        }
        break;
    }
    case 'C': {
        unsigned long* target = va_arg(*args, unsigned long*);
        long long v[3];
        readGroup(token, v, 3);
        if (target)
            *target = (unsigned long)(v[0] & 0xFF) + 256ul * (unsigned long)(v[1] & 0xFF)
                      + 65536ul * (unsigned long)(v[2] & 0xFF);
        break;
    }
    case 'S': {
        CSize* target = va_arg(*args, CSize*);
        long long v[2];
        readGroup(token, v, 2);
        if (target)
            *target = CSize(LONG(v[0]), LONG(v[1]));
        break;
    }
    case 'P': {
        CPoint* target = va_arg(*args, CPoint*);
        long long v[2];
        readGroup(token, v, 2);
        if (target)
            *target = CPoint(LONG(v[0]), LONG(v[1]));
        break;
    }
    case 'R': {
        CRect* target = va_arg(*args, CRect*);
        long long v[4];
        readGroup(token, v, 4);
        if (target)
            *target = CRect(LONG(v[0]), LONG(v[1]), LONG(v[2]), LONG(v[3]));
        break;
    }
    default:
        break;
    }
}

} // namespace

void IniRead(const QString& text, const char* format, ...)
{
    if (format == nullptr)
        return;
    va_list args;
    va_start(args, format);
    try {
        MemAlloc<char> buffer(1024);
        QString rest = text;
        QString token, next;
        const char* p = format;
        while (*p) {
            if (*p != '%') {
                ParseToken(rest, token, next, *p++);
                rest = next;
                continue;
            }
            IniConversion c;
            p = Internal::ParseIniConversion(p, c, &args);
            if (c.letter == '\0')
                break;
            if (c.letter == '%') {
                // A literal percent sign skips text like any ordinary character.
                ParseToken(rest, token, next, '%');
                rest = next;
                continue;
            }
            if (!std::strchr("diuoxXbfeEgGcsqCSPR", c.letter))
                continue; // no value, no target
            // The format character after the conversion delimits its value.
            const char delimiter = *p;
            if (*p)
                ++p;
            ParseToken(rest, token, next, delimiter);
            rest = next;
            store(buffer, c, token, &args);
        }
    } catch (...) {
        // Targets not reached yet keep their values.
    }
    va_end(args);
}

} // namespace OwUtil
