#include "Slashes.h"

namespace OwUtil {

const QString& PathSeparators()
{
    static const QString separators = QStringLiteral("/\\");
    return separators;
}

bool IsPathSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

QChar PlatformSeparator() { return QLatin1Char('/'); }

QString& AppendSlash(QString& path)
{
    if (!path.isEmpty() && !IsPathSeparator(path.back()))
        path += PlatformSeparator();
    return path;
}

QString& RemoveSlash(QString& path)
{
    if (!path.isEmpty() && IsPathSeparator(path.back()))
        path.chop(1);
    return path;
}

QString& ExpandSlashes(QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (IsPathSeparator(c))
            out += QString(2, PlatformSeparator());
        else
            out += c;
    }
    text = out;
    return text;
}

QString& ReduceSlashes(QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (IsPathSeparator(text[i]) && i + 1 < text.size() && IsPathSeparator(text[i + 1])) {
            out += PlatformSeparator();
            ++i;
        } else {
            out += text[i];
        }
    }
    text = out;
    return text;
}

} // namespace OwUtil
