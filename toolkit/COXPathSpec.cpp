#include "COXPathSpec.h"

#include "COXUNC.h"

#include <QDir>
#include <QFileInfo>

bool COXPathSpec::SetPath(const QString& path)
{
    if (path.contains(QChar(0)))
        return false;
    const COXUNC unc(path);
    // A UNC name has no drive: its server and share lead the directory.
    if (unc.Server().isEmpty()) {
        m_drive = unc.Share();
        m_directory = unc.Directory();
    } else {
        COXUNC root = unc;
        root.SetDirectory(QString());
        root.SetFile(QString());
        m_drive.clear();
        m_directory = root.Full();
        if (!unc.Directory().isEmpty() && !COXUNC::IsSeparator(unc.Directory().front()))
            m_directory += QLatin1Char(COXUNC::Separator);
        m_directory += unc.Directory();
        if (unc.Directory().isEmpty())
            m_directory += QLatin1Char(COXUNC::Separator);
    }
    SetFileName(unc.File());
    return true;
}

QString COXPathSpec::GetPath() const { return m_drive + m_directory + m_baseName + m_extension; }

void COXPathSpec::SetDirectory(const QString& directory)
{
    m_directory = directory;
    if (!m_directory.isEmpty() && !COXUNC::IsSeparator(m_directory.back()))
        m_directory += QLatin1Char(COXUNC::Separator);
}

void COXPathSpec::SetExtension(const QString& ext)
{
    if (ext.isEmpty())
        m_extension.clear();
    else if (ext.startsWith(QLatin1Char('.')))
        m_extension = ext;
    else
        m_extension = QLatin1Char('.') + ext;
}

void COXPathSpec::SetFileName(const QString& fileName)
{
    COXUNC unc;
    unc.SetFile(fileName);
    m_extension = unc.Extension(true);
    m_baseName = unc.Base();
}

bool COXPathSpec::IsAbsolute() const { return !m_directory.isEmpty() && COXUNC::IsSeparator(m_directory.front()); }

bool COXPathSpec::MakeAbsolute()
{
    if (!m_drive.isEmpty())
        return IsAbsolute();
    QString folder = m_directory;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    folder = QDir::cleanPath(QDir::current().absoluteFilePath(folder.isEmpty() ? QStringLiteral(".") : folder));
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    m_directory = folder;
    return true;
}

bool COXPathSpec::Exists() const
{
    QString path = GetPath();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return GetFileName().isEmpty() ? info.isDir() : info.exists();
}
