#include "IniValues.h"

#include "owutil/text/IniConversion.h"
#include "owutil/text/MemAlloc.h"
#include "platform/types/CRect.h"

#include <cstdarg>
#include <cstring>

namespace OwUtil {

namespace {

using Internal::FormatIniValue;
using Internal::IniConversion;

// The value of one conversion, its argument taken from args.
QString convert(MemAlloc<char>& buffer, const IniConversion& c, va_list* args)
{
    const std::string conv = c.Printf();
    const char* f = conv.c_str();
    switch (c.letter) {
    case 'd':
    case 'i':
        return c.isLong ? FormatIniValue(buffer, f, va_arg(*args, long))
                        : FormatIniValue(buffer, f, va_arg(*args, int));
    case 'u':
    case 'o':
    case 'x':
    case 'X':
        return c.isLong ? FormatIniValue(buffer, f, va_arg(*args, unsigned long))
                        : FormatIniValue(buffer, f, va_arg(*args, unsigned));
    case 'b':
        // bool arrives promoted to int.
        return FormatIniValue(buffer, f, va_arg(*args, int) != 0 ? 1 : 0);
    case 'c':
        return FormatIniValue(buffer, f, va_arg(*args, int));
    case 'f':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
        return FormatIniValue(buffer, f, va_arg(*args, double));
    case 's': {
        const char* s = va_arg(*args, const char*);
        return FormatIniValue(buffer, f, s ? s : "");
    }
    case 'q': {
        const char* s = va_arg(*args, const char*);
        const QByteArray quoted = '"' + QByteArray(s ? s : "") + '"';
        return FormatIniValue(buffer, f, quoted.constData());
    }
    case 'C': {
        const unsigned long* colour = va_arg(*args, const unsigned long*);
        const unsigned long v = colour ? *colour : 0;
        return FormatIniValue(buffer, "(%d|%d|%d)", int(v & 0xFF), int((v >> 8) & 0xFF),
                              int((v >> 16) & 0xFF));
    }
    case 'S': {
        const CSize* s = va_arg(*args, const CSize*);
        return FormatIniValue(buffer, "(%d|%d)", s ? int(s->cx) : 0, s ? int(s->cy) : 0);
    }
    case 'P': {
        const CPoint* p = va_arg(*args, const CPoint*);
        return FormatIniValue(buffer, "(%d|%d)", p ? int(p->x) : 0, p ? int(p->y) : 0);
    }
    case 'R': {
        const CRect* r = va_arg(*args, const CRect*);
        const CRect v = r ? *r : CRect();
        return FormatIniValue(buffer, "(%d|%d|%d|%d)", int(v.left), int(v.top), int(v.right), int(v.bottom));
    }
    case '%':
        return QStringLiteral("%");
    default:
        // Not a conversion this format knows: its text stands, no argument is taken.
        return QString::fromUtf8(c.text.c_str()) + (c.letter ? QString::fromLatin1(&c.letter, 1) : QString());
    }
}

} // namespace

QString& IniWrite(QString& out, const char* format, ...)
{
    out.clear();
    if (format == nullptr)
        return out;
    va_list args;
    va_start(args, format);
    try {
        MemAlloc<char> buffer(1024);
        const char* p = format;
        while (*p) {
            if (*p != '%') {
                const char* run = p;
                while (*p && *p != '%')
                    ++p;
                out += QString::fromUtf8(run, p - run);
                continue;
            }
            IniConversion c;
            p = Internal::ParseIniConversion(p, c, &args);
            out += convert(buffer, c, &args);
        }
    } catch (...) {
        // Whatever failed, the text built so far is the result.
    }
    va_end(args);
    return out;
}

} // namespace OwUtil
