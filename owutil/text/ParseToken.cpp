#include "ParseToken.h"

#include <climits>

namespace OwUtil {

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || (c.unicode() >= 9 && c.unicode() <= 13); }

// Reads the list items after "(" from i; returns the index after ")" (or the end).
qsizetype readList(const QString& t, qsizetype i, std::vector<QString>& list)
{
    const qsizetype n = t.size();
    while (i < n) {
        const QChar c = t[i];
        if (c == QLatin1Char(')'))
            return i + 1;
        if (isBlank(c) || c == QLatin1Char(',')) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('"')) {
            QString item;
            ++i;
            while (i < n && t[i] != QLatin1Char('"')) {
                if (t[i] == QLatin1Char('\\') && i + 1 < n)
                    ++i;
                item += t[i++];
            }
            if (i < n)
                ++i; // the closing quote
            list.push_back(item.trimmed());
            continue;
        }
        qsizetype j = i;
        while (j < n && t[j] != QLatin1Char(',') && t[j] != QLatin1Char(')'))
            ++j;
        const QString item = t.mid(i, j - i).trimmed();
        if (!item.isEmpty())
            list.push_back(item);
        i = j;
    }
    return i;
}

// The number after a sign at i, negated for "-".
int readSigned(const QString& t, qsizetype i)
{
    const bool negative = t[i] == QLatin1Char('-');
    const qsizetype n = t.size();
    ++i;
    while (i < n && isBlank(t[i]))
        ++i;
    long long value = 0;
    for (; i < n && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9'); ++i) {
        if (value <= INT_MAX)
            value = value * 10 + (t[i].unicode() - u'0');
    }
    value = std::min<long long>(value, INT_MAX);
    return int(negative ? -value : value);
}

} // namespace

bool ParseToken(const QString& text, QString& token, QString& rest, char delimiter, int* number,
                std::vector<QString>* list)
{
    const QString t = text.trimmed();
    if (number)
        *number = 0;
    if (list)
        list->clear();
    const QChar delim = QLatin1Char(delimiter);
    const qsizetype n = t.size();
    qsizetype start = 0;
    qsizetype end = -1;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = t[i];
        if (c == QLatin1Char('(') && list) {
            if (end < 0)
                end = i;
            i = readList(t, i + 1, *list);
            continue;
        }
        if ((c == QLatin1Char('+') || c == QLatin1Char('-')) && number && i != start) {
            if (end < 0)
                end = i;
            *number = readSigned(t, i);
            ++i;
            continue;
        }
        if (c == QLatin1Char('"')) {
            start = i + 1;
            qsizetype j = i + 1;
            while (j < n && t[j] != QLatin1Char('"'))
                j += t[j] == QLatin1Char('\\') ? 2 : 1;
            if (j < n) {
                end = j;
                i = j + 1;
            } else {
                i = n;
            }
            continue;
        }
        if (c == delim)
            break;
        ++i;
    }
    if (end < 0)
        end = i;
    token = t.mid(start, std::max<qsizetype>(0, end - start)).trimmed();
    rest = i + 1 < n ? t.mid(i + 1) : QString();
    return true;
}

} // namespace OwUtil
