#include "XdgKeyFile.h"

#include <QFile>
#include <QSaveFile>

bool XdgKeyFile::Load(const QString& path)
{
    m_lines.clear();
    QFile f(path);
    // Key files are small; a huge one is not ours to read.
    if (!f.open(QIODevice::ReadOnly) || f.size() > 16 * 1024 * 1024)
        return false;
    Parse(QString::fromUtf8(f.readAll()));
    return true;
}

void XdgKeyFile::Parse(const QString& text)
{
    m_lines.clear();
    QString group;
    const QStringList lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString raw = lines[i];
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (i == lines.size() - 1 && raw.isEmpty())
            break; // the final newline
        Line line;
        line.text = raw;
        const QString t = raw.trimmed();
        if (t.startsWith('[') && t.endsWith(']')) {
            group = t.mid(1, t.size() - 2);
            line.header = true;
        } else if (!t.isEmpty() && !t.startsWith('#')) {
            const int eq = raw.indexOf('=');
            if (eq > 0)
                line.key = raw.left(eq).trimmed();
        }
        line.group = group;
        m_lines.push_back(line);
    }
}

QString XdgKeyFile::ToText() const
{
    QString out;
    for (const Line& l : m_lines)
        out += l.text + '\n';
    return out;
}

bool XdgKeyFile::Save(const QString& path) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(ToText().toUtf8());
    return f.commit();
}

int XdgKeyFile::find(const QString& group, const QString& key) const
{
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (!m_lines[i].header && m_lines[i].group == group && m_lines[i].key == key)
            return int(i);
    return -1;
}

bool XdgKeyFile::HasKey(const QString& group, const QString& key) const { return find(group, key) >= 0; }

QString XdgKeyFile::Value(const QString& group, const QString& key) const
{
    const int i = find(group, key);
    if (i < 0)
        return {};
    const QString& t = m_lines[size_t(i)].text;
    return t.mid(t.indexOf('=') + 1).trimmed();
}

QStringList XdgKeyFile::ListValue(const QString& group, const QString& key) const
{
    QStringList out;
    for (const QString& s : Value(group, key).split(';', Qt::SkipEmptyParts))
        if (!s.trimmed().isEmpty())
            out << s.trimmed();
    return out;
}

void XdgKeyFile::SetValue(const QString& group, const QString& key, const QString& value)
{
    const QString text = key + '=' + value;
    const int i = find(group, key);
    if (i >= 0) {
        m_lines[size_t(i)].text = text;
        return;
    }
    // After the group's last key, or a new group at the end.
    int last = -1;
    for (size_t j = 0; j < m_lines.size(); ++j)
        if (m_lines[j].group == group && (m_lines[j].header || !m_lines[j].key.isEmpty()))
            last = int(j);
    if (last < 0) {
        if (!m_lines.empty() && !m_lines.back().text.trimmed().isEmpty())
            m_lines.push_back({m_lines.back().group, QString(), QString(), false});
        m_lines.push_back({group, QString(), '[' + group + ']', true});
        last = int(m_lines.size()) - 1;
    }
    m_lines.insert(m_lines.begin() + last + 1, Line{group, key, text, false});
}

void XdgKeyFile::SetListValue(const QString& group, const QString& key, const QStringList& values)
{
    SetValue(group, key, values.isEmpty() ? QString() : values.join(';') + ';');
}

void XdgKeyFile::RemoveKey(const QString& group, const QString& key)
{
    const int i = find(group, key);
    if (i >= 0)
        m_lines.erase(m_lines.begin() + i);
}

QStringList XdgKeyFile::Keys(const QString& group) const
{
    QStringList out;
    for (const Line& l : m_lines)
        if (!l.header && l.group == group && !l.key.isEmpty())
            out << l.key;
    return out;
}

QStringList XdgKeyFile::Groups() const
{
    QStringList out;
    for (const Line& l : m_lines)
        if (l.header && !out.contains(l.group))
            out << l.group;
    return out;
}

bool XdgKeyFile::IsEmpty() const
{
    for (const Line& l : m_lines)
        if (!l.key.isEmpty())
            return false;
    return true;
}

QString XdgKeyFile::Escape(const QString& value)
{
    QString out;
    for (QChar c : value) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c; break;
        }
    }
    if (out.startsWith(' '))
        out.replace(0, 1, QLatin1String("\\s"));
    return out;
}

QString XdgKeyFile::Unescape(const QString& value)
{
    QString out;
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar n = value[++i];
        switch (n.unicode()) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        default: out += n; break;
        }
    }
    return out;
}

QString XdgKeyFile::QuoteExecArgument(const QString& arg)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needs = arg.isEmpty();
    for (QChar c : arg)
        if (reserved.contains(c))
            needs = true;
    if (!needs)
        return arg;
    QString out = QStringLiteral("\"");
    for (QChar c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}
