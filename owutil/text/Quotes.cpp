#include "Quotes.h"

namespace OwUtil {

QString& PadQuotes(QString& s)
{
    if (s.isEmpty())
        return s;
    if (!s.startsWith(QLatin1Char('"')))
        s.prepend(QLatin1Char('"'));
    if (!s.endsWith(QLatin1Char('"')))
        s.append(QLatin1Char('"'));
    return s;
}

QString& StripQuotes(QString& s)
{
    if (s.startsWith(QLatin1Char('"')))
        s.remove(0, 1);
    if (s.endsWith(QLatin1Char('"')))
        s.chop(1);
    return s;
}

QString& ToXMLTag(QString& s) { return s; }

QString& FromXMLTag(QString& s) { return s; }

} // namespace OwUtil
