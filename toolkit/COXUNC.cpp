#include "COXUNC.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

bool endsWithSeparator(const QString& s) { return !s.isEmpty() && COXUNC::IsSeparator(s.back()); }
bool startsWithSeparator(const QString& s) { return !s.isEmpty() && COXUNC::IsSeparator(s.front()); }

} // namespace

void COXUNC::Set(const QString& path)
{
    m_server.clear();
    m_share.clear();
    m_directory.clear();
    m_file.clear();

    const qsizetype n = path.size();
    qsizetype i = 0;
    if (n > 2 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2])) {
        // A UNC name: two separators, the server, then the share up to the next separator.
        qsizetype j = 2;
        while (j < n && !IsSeparator(path[j]))
            ++j;
        m_server = path.left(j);
        qsizetype k = j;
        if (k < n) {
            ++k;
            while (k < n && !IsSeparator(path[k]))
                ++k;
            m_share = path.mid(j, k - j);
        }
        i = k;
    } else if (n >= 2 && path[1] == QLatin1Char(':') && isAsciiLetter(path[0])) {
        m_share = path.left(2);
        i = 2;
    }

    qsizetype last = -1;
    for (qsizetype j = n - 1; j >= i; --j) {
        if (IsSeparator(path[j])) {
            last = j;
            break;
        }
    }
    if (last >= 0) {
        m_directory = path.mid(i, last - i + 1);
        m_file = path.mid(last + 1);
    } else {
        m_file = path.mid(i);
    }
}

void COXUNC::SetDirectory(const QString& directory)
{
    m_directory = directory;
    if (!m_directory.isEmpty() && !endsWithSeparator(m_directory))
        m_directory += QLatin1Char(Separator);
}

QString COXUNC::Full() const
{
    QString full = m_server;
    const bool unc = !m_server.isEmpty();
    if (unc && !m_share.isEmpty() && !startsWithSeparator(m_share))
        full += QLatin1Char(Separator);
    full += m_share;
    // After a UNC name a separator must follow before any folder or file; a
    // drive ("C:dir\") may be followed directly by a relative folder.
    const bool needSeparator = unc && !endsWithSeparator(full);
    if (!m_directory.isEmpty()) {
        if (needSeparator && !startsWithSeparator(m_directory))
            full += QLatin1Char(Separator);
        full += m_directory;
    } else if (!m_file.isEmpty() && needSeparator) {
        full += QLatin1Char(Separator);
    }
    full += m_file;
    return full;
}

QString COXUNC::FileSystemPath() const
{
    QString path = Full();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

QString COXUNC::Base() const
{
    const QString ext = Extension(true);
    return m_file.left(m_file.size() - ext.size());
}

QString COXUNC::Extension(bool withDot) const
{
    if (m_file == QLatin1String(".") || m_file == QLatin1String(".."))
        return {};
    const qsizetype dot = m_file.lastIndexOf(QLatin1Char(Dot));
    if (dot < 0)
        return {};
    return m_file.mid(withDot ? dot : dot + 1);
}

bool COXUNC::Exists() const { return GetAttributes() != INVALID_FILE_ATTRIBUTES; }

DWORD COXUNC::GetAttributes() const
{
    const QString path = FileSystemPath();
    if (path.isEmpty())
        return INVALID_FILE_ATTRIBUTES;
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        return INVALID_FILE_ATTRIBUTES;

    DWORD attributes = 0;
    if (::faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0)
        attributes |= FILE_ATTRIBUTE_READONLY;

    QString name = path;
    while (name.size() > 1 && name.endsWith(QLatin1Char('/')))
        name.chop(1);
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.startsWith(QLatin1Char('.')) && name != QLatin1String(".") && name != QLatin1String(".."))
        attributes |= FILE_ATTRIBUTE_HIDDEN;

    if (S_ISDIR(st.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    else if (!S_ISREG(st.st_mode))
        attributes |= FILE_ATTRIBUTE_SYSTEM;
    else if (attributes == 0)
        attributes = FILE_ATTRIBUTE_NORMAL;
    return attributes;
}

QString COXUNC::GetAbbreviation(int maxLength, bool atLeastFile) const
{
    const QString full = Full();
    if (full.size() <= maxLength)
        return full;

    // The root: everything before the directory, and the directory's leading separators.
    COXUNC rootOnly = *this;
    rootOnly.m_directory.clear();
    rootOnly.m_file.clear();
    QString root = rootOnly.Full();
    qsizetype pos = 0;
    while (pos < m_directory.size() && IsSeparator(m_directory[pos]))
        ++pos;
    root += m_directory.left(pos);
    if (!m_server.isEmpty() && pos == 0 && !m_directory.isEmpty() && !endsWithSeparator(root))
        root += QLatin1Char(Separator);

    // The folders, each with the separator that ends it.
    QStringList folders;
    while (pos < m_directory.size()) {
        qsizetype end = pos;
        while (end < m_directory.size() && !IsSeparator(m_directory[end]))
            ++end;
        while (end < m_directory.size() && IsSeparator(m_directory[end]))
            ++end;
        folders << m_directory.mid(pos, end - pos);
        pos = end;
    }

    // A folder path keeps its last folder in place of a file name.
    QString tail = m_file;
    if (tail.isEmpty() && !folders.isEmpty())
        tail = folders.takeLast();

    const QString ellipsis = QStringLiteral("...");
    QChar joint = QLatin1Char(Separator);
    for (qsizetype removed = 1; removed <= folders.size(); ++removed) {
        joint = folders[removed - 1].back();
        QString candidate = root + ellipsis + joint;
        for (qsizetype k = removed; k < folders.size(); ++k)
            candidate += folders[k];
        candidate += tail;
        if (candidate.size() <= maxLength)
            return candidate;
    }
    if (!root.isEmpty() || !folders.isEmpty()) {
        const QString candidate = ellipsis + joint + tail;
        if (candidate.size() <= maxLength)
            return candidate;
    }
    if (tail.size() <= maxLength || atLeastFile)
        return tail;
    return tail.left(qMax(0, maxLength));
}

COXUNC COXUNC::GetWindowsDirectory() { return COXUNC(QStringLiteral("/etc/")); }

COXUNC COXUNC::GetSystemDirectory() { return COXUNC(QStringLiteral("/usr/lib/")); }

COXUNC COXUNC::GetTempDirectory()
{
    // $TMPDIR as it stands (also when it names no folder, so that nothing is
    // created elsewhere by mistake), else /tmp.
    QString temp = qEnvironmentVariable("TMPDIR");
    if (temp.isEmpty())
        temp = QStringLiteral("/tmp");
    temp = QDir::cleanPath(temp);
    if (!temp.endsWith(QLatin1Char('/')))
        temp += QLatin1Char('/');
    return COXUNC(temp);
}
