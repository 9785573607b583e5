#include "CRecentFileList.h"

#include "CWinApp.h"

#include <QDir>
#include <QFileInfo>

CRecentFileList::CRecentFileList(QString section, QString entryFormat, int size)
    : m_section(std::move(section)), m_entryFormat(std::move(entryFormat)), m_maxSize(std::max(0, std::min(size, 16)))
{
}

void CRecentFileList::Add(const QString& path)
{
    if (path.isEmpty() || m_maxSize == 0)
        return;
    const QString full = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(full);
    m_files.prepend(full);
    while (m_files.size() > m_maxSize)
        m_files.removeLast();
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_files.size())
        m_files.removeAt(index);
}

QString CRecentFileList::GetDisplayName(int index, int maxLength) const
{
    if (index < 0 || index >= m_files.size())
        return {};
    QString name = QDir::toNativeSeparators(m_files.at(index));
    // Files in the current folder show by their name alone.
    if (QFileInfo(name).absolutePath() == QDir::currentPath())
        name = QFileInfo(name).fileName();
    const QString home = QDir::homePath();
    if (name.startsWith(home + '/'))
        name = '~' + name.mid(home.size());
    if (name.size() > maxLength && maxLength > 8) {
        const QString file = QFileInfo(name).fileName();
        const int keep = maxLength - int(file.size()) - 4;
        name = keep > 3 ? name.left(keep) + QStringLiteral(".../") + file : QStringLiteral(".../") + file;
    }
    name.replace('&', QLatin1String("&&"));
    return name;
}

void CRecentFileList::ReadList(CWinApp* app)
{
    m_files.clear();
    for (int i = 0; i < m_maxSize; ++i) {
        const QString f = app->GetProfileString(m_section, m_entryFormat.arg(i + 1));
        if (!f.isEmpty() && !m_files.contains(f))
            m_files << f;
    }
}

void CRecentFileList::WriteList(CWinApp* app) const
{
    for (int i = 0; i < m_maxSize; ++i) {
        const QString key = m_entryFormat.arg(i + 1);
        if (i < m_files.size())
            app->WriteProfileString(m_section, key, m_files.at(i));
        else
            app->RemoveProfileEntry(m_section, key);
    }
}
