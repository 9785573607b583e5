#include "COXVersionInfo.h"

#include <QRegularExpression>

BOOL COXVersionInfo::ReadInfo(const QString& fileName)
{
    Empty();
    QByteArray block;
    if (!GetFileVersionInfo(fileName, block) || !ParseVersionBlock(block, m_entries)) {
        m_entries.clear();
        return FALSE;
    }
    m_valid = true;
    return TRUE;
}

void COXVersionInfo::Empty()
{
    m_valid = false;
    m_entries.clear();
}

QString COXVersionInfo::GetValue(const QString& key) const
{
    for (const auto& [k, v] : m_entries) {
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return v;
    }
    return {};
}

BOOL COXVersionInfo::ParseVersion(const QString& text, DWORD& ms, DWORD& ls)
{
    ms = ls = 0;
    static const QRegularExpression separator(QStringLiteral("\\s*[.,]\\s*"));
    const QStringList parts = text.trimmed().split(separator);
    DWORD numbers[4] = {0, 0, 0, 0};
    for (qsizetype i = 0; i < parts.size() && i < 4; ++i) {
        bool ok = false;
        const uint n = parts[i].toUInt(&ok);
        if (!ok || n > 0xFFFF) {
            if (i == 0)
                return FALSE;
            break;
        }
        numbers[i] = n;
    }
    ms = (numbers[0] << 16) | numbers[1];
    ls = (numbers[2] << 16) | numbers[3];
    return TRUE;
}
