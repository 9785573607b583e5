#include "StringSearch.h"

#include <algorithm>
#include <functional>

namespace OwUtil {

namespace {

const QChar quote = QLatin1Char('"');

int clampEnd(const QString& s, int end)
{
    return std::clamp(end, 0, int(std::min<qsizetype>(s.size(), INT32_MAX)));
}

// The first index in [start, end) outside quoted text where match(i) holds.
int findForward(const QString& s, int end, int start, const std::function<bool(int)>& match)
{
    end = clampEnd(s, end);
    for (int i = std::max(start, 0); i < end; ++i) {
        if (s[i] == quote) {
            // Skip to the closing quote; an unclosed quote hides the rest.
            while (++i < end && s[i] != quote) {
            }
            continue;
        }
        if (match(i))
            return i;
    }
    return -1;
}

int findBackward(const QString& s, int end, int start, const std::function<bool(int)>& match)
{
    end = clampEnd(s, end);
    if (start < 0 || start >= end)
        start = end - 1;
    for (int i = start; i >= 0; --i) {
        if (s[i] == quote) {
            while (--i >= 0 && s[i] != quote) {
            }
            continue;
        }
        if (match(i))
            return i;
    }
    return -1;
}

} // namespace

bool CmpString(const QString& a, const QString& b, bool whole)
{
    if (whole && a.size() != b.size())
        return false;
    return b.startsWith(a, Qt::CaseInsensitive);
}

int FindLastCompare(const QString& a, const QString& b, bool caseSensitive)
{
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && (caseSensitive ? a[i] == b[i] : a[i].toUpper() == b[i].toUpper()))
        ++i;
    return int(i) - 1;
}

int Find(const QString& s, int end, char c, int start)
{
    const QChar wanted = QLatin1Char(c);
    return findForward(s, end, start, [&](int i) { return s[i] == wanted; });
}

int Find(const QString& s, int end, const QString& word, int count, int start)
{
    if (word.isEmpty())
        return -1;
    const QStringView wordPart = QStringView(word).left(std::max(count, 0));
    return findForward(s, end, start, [&](int i) {
        return s[i] == word[0]
               && QStringView(s).mid(i, std::max(count, 0)).compare(wordPart, Qt::CaseInsensitive) == 0;
    });
}

int FindOneOf(const QString& s, int end, const QString& set, int start)
{
    return findForward(s, end, start, [&](int i) { return set.contains(s[i]); });
}

int FindNotOneOf(const QString& s, int end, const QString& set, int start)
{
    return findForward(s, end, start, [&](int i) { return !set.contains(s[i]); });
}

int RFindOneOf(const QString& s, int end, const QString& set, int start)
{
    return findBackward(s, end, start, [&](int i) { return set.contains(s[i]); });
}

int RFindNotOneOf(const QString& s, int end, const QString& set, int start)
{
    return findBackward(s, end, start, [&](int i) { return !set.contains(s[i]); });
}

} // namespace OwUtil
