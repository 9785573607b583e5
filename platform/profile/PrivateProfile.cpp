#include "PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <mutex>

namespace {

// Profiles are small; a larger file is not one and is not read.
constexpr qint64 maxProfileSize = 64 * 1024 * 1024;

std::mutex& profileLock()
{
    static std::mutex lock;
    return lock;
}

class IniDocument {
public:
    // False when the file exists but cannot be read. A missing file is an empty document.
    bool Load(const QString& path)
    {
        QFile file(path);
        if (!file.exists())
            return true;
        if (!file.open(QIODevice::ReadOnly) || file.size() > maxProfileSize)
            return false;
        QByteArray bytes = file.readAll();
        if (bytes.startsWith("\xEF\xBB\xBF")) {
            m_bom = true;
            bytes.remove(0, 3);
        }
        const qsizetype lf = bytes.indexOf('\n');
        m_crlf = lf > 0 && bytes[lf - 1] == '\r';
        m_lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
        if (!m_lines.isEmpty() && m_lines.back().isEmpty())
            m_lines.removeLast();
        for (QString& line : m_lines) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
        }
        return true;
    }

    bool Save(const QString& path) const
    {
        QByteArray bytes = m_bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        const char* eol = m_crlf ? "\r\n" : "\n";
        for (const QString& line : m_lines)
            bytes += line.toUtf8() + eol;
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(bytes);
        return file.commit();
    }

    static bool SectionName(const QString& line, QString& name)
    {
        const QString t = line.trimmed();
        if (!t.startsWith(QLatin1Char('[')))
            return false;
        const qsizetype close = t.indexOf(QLatin1Char(']'));
        name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
        return true;
    }

    static bool KeyValue(const QString& line, QString& key, QString& value)
    {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            return false;
        key = line.left(eq).trimmed();
        value = line.mid(eq + 1).trimmed();
        return !key.isEmpty();
    }

    // The index of the section's header line, or -1.
    qsizetype FindSection(const QString& section) const
    {
        QString name;
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            if (SectionName(m_lines[i], name) && name.compare(section, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }

    // The index just after the section's last line.
    qsizetype SectionEnd(qsizetype header) const
    {
        QString name;
        qsizetype i = header + 1;
        while (i < m_lines.size() && !SectionName(m_lines[i], name))
            ++i;
        return i;
    }

    qsizetype FindKey(qsizetype header, const QString& key, QString* value = nullptr) const
    {
        QString k, v;
        const qsizetype end = SectionEnd(header);
        for (qsizetype i = header + 1; i < end; ++i) {
            if (KeyValue(m_lines[i], k, v) && k.compare(key, Qt::CaseInsensitive) == 0) {
                if (value)
                    *value = v;
                return i;
            }
        }
        return -1;
    }

    QStringList Keys(qsizetype header) const
    {
        QStringList keys;
        QString k, v;
        const qsizetype end = SectionEnd(header);
        for (qsizetype i = header + 1; i < end; ++i) {
            if (KeyValue(m_lines[i], k, v))
                keys << k;
        }
        return keys;
    }

    QStringList Sections() const
    {
        QStringList sections;
        QString name;
        for (const QString& line : m_lines) {
            if (SectionName(line, name))
                sections << name;
        }
        return sections;
    }

    QStringList& Lines() { return m_lines; }

private:
    QStringList m_lines;
    bool m_crlf = false;
    bool m_bom = false;
};

QString unquoted(const QString& value)
{
    if (value.size() >= 2 && value.front() == value.back()
        && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')))
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

QString ProfileFilePath(const QString& fileName)
{
    QString path = fileName;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.isEmpty() && !path.contains(QLatin1Char('/')))
        path =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + path;
    return path;
}

QString GetPrivateProfileString(const QString& section, const QString& key, const QString& defaultValue,
                                const QString& fileName)
{
    QString fallback = defaultValue;
    while (fallback.endsWith(QLatin1Char(' ')))
        fallback.chop(1);
    std::lock_guard guard(profileLock());
    IniDocument doc;
    if (!doc.Load(ProfileFilePath(fileName)))
        return fallback;
    const qsizetype header = doc.FindSection(section);
    QString value;
    if (header < 0 || doc.FindKey(header, key, &value) < 0)
        return fallback;
    return unquoted(value);
}

UINT GetPrivateProfileInt(const QString& section, const QString& key, int defaultValue,
                          const QString& fileName)
{
    // A marker no file value can hold tells a missing key from an empty one.
    const QString missing(QChar(0));
    const QString text = GetPrivateProfileString(section, key, missing, fileName);
    if (text == missing)
        return UINT(defaultValue);
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    uint64_t n = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i)
        n = (n * 10 + uint64_t(text[i].unicode() - u'0')) & 0xFFFFFFFFu;
    return negative ? UINT(0u - uint32_t(n)) : UINT(n);
}

QStringList GetPrivateProfileKeyNames(const QString& section, const QString& fileName)
{
    std::lock_guard guard(profileLock());
    IniDocument doc;
    if (!doc.Load(ProfileFilePath(fileName)))
        return {};
    const qsizetype header = doc.FindSection(section);
    return header < 0 ? QStringList() : doc.Keys(header);
}

QStringList GetPrivateProfileSectionNames(const QString& fileName)
{
    std::lock_guard guard(profileLock());
    IniDocument doc;
    if (!doc.Load(ProfileFilePath(fileName)))
        return {};
    return doc.Sections();
}

BOOL WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& fileName)
{
    if (section.trimmed().isEmpty() || key.trimmed().isEmpty() || fileName.isEmpty())
        return FALSE;
    // A line break in a value would start a new line of the file.
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))
        || key.contains(QLatin1Char('\n')) || key.contains(QLatin1Char('=')))
        return FALSE;
    const QString path = ProfileFilePath(fileName);
    std::lock_guard guard(profileLock());
    IniDocument doc;
    if (!doc.Load(path))
        return FALSE;
    QStringList& lines = doc.Lines();
    const QString line = key.trimmed() + QLatin1Char('=') + value;
    qsizetype header = doc.FindSection(section);
    if (header < 0) {
        lines << QLatin1Char('[') + section.trimmed() + QLatin1Char(']') << line;
    } else if (const qsizetype at = doc.FindKey(header, key.trimmed()); at >= 0) {
        QString k, v;
        IniDocument::KeyValue(lines[at], k, v);
        lines[at] = k + QLatin1Char('=') + value;
    } else {
        // After the section's last non-blank line, so that blank lines between sections stay.
        qsizetype end = doc.SectionEnd(header);
        while (end > header + 1 && lines[end - 1].trimmed().isEmpty())
            --end;
        lines.insert(end, line);
    }
    if (!QFileInfo::exists(path) && !fileName.contains(QLatin1Char('/'))
        && !fileName.contains(QLatin1Char('\\')))
        QDir().mkpath(QFileInfo(path).absolutePath());
    return doc.Save(path) ? TRUE : FALSE;
}

BOOL DeletePrivateProfileKey(const QString& section, const QString& key, const QString& fileName)
{
    const QString path = ProfileFilePath(fileName);
    std::lock_guard guard(profileLock());
    IniDocument doc;
    if (!doc.Load(path))
        return FALSE;
    const qsizetype header = doc.FindSection(section);
    if (header < 0)
        return TRUE;
    bool changed = false;
    for (qsizetype at; (at = doc.FindKey(header, key)) >= 0; changed = true)
        doc.Lines().removeAt(at);
    return !changed || doc.Save(path) ? TRUE : FALSE;
}

BOOL DeletePrivateProfileSection(const QString& section, const QString& fileName)
{
    const QString path = ProfileFilePath(fileName);
    std::lock_guard guard(profileLock());
    IniDocument doc;
    if (!doc.Load(path))
        return FALSE;
    const qsizetype header = doc.FindSection(section);
    if (header < 0)
        return TRUE;
    const qsizetype end = doc.SectionEnd(header);
    doc.Lines().remove(header, end - header);
    return doc.Save(path) ? TRUE : FALSE;
}
