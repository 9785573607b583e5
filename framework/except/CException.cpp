#include "CException.h"

#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <cerrno>

QString CException::GetErrorMessage() const { return m_message; }

int CException::ReportError(UINT type, const QString& fallback) const
{
    QString text = GetErrorMessage();
    if (text.isEmpty())
        text = fallback.isEmpty() ? QStringLiteral("An unsupported operation was attempted.") : fallback;
    return AfxMessageBox(text, type | MB_ICONERROR);
}

const char* CException::what() const noexcept
{
    m_what = GetErrorMessage().toUtf8();
    return m_what.constData();
}

CMemoryException::CMemoryException() : CException(QStringLiteral("Out of memory.")) {}
CNotSupportedException::CNotSupportedException()
    : CException(QStringLiteral("An unsupported operation was attempted."))
{
}
CResourceException::CResourceException()
    : CException(QStringLiteral("A required resource was unavailable."))
{
}
CUserException::CUserException() = default;

CArchiveException::CArchiveException(Cause cause, QString fileName)
    : CException(QStringLiteral("An unexpected file format was encountered.")), m_cause(cause),
      m_strFileName(std::move(fileName))
{
}

CFileException::CFileException(Cause cause, int osError, QString fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName))
{
}

QString CFileException::GetErrorMessage() const
{
    const QString& f = m_strFileName;
    switch (m_cause) {
    case fileNotFound: return QStringLiteral("%1 was not found.").arg(f);
    case badPath: return QStringLiteral("%1 contains an incorrect path.").arg(f);
    case tooManyOpenFiles:
        return QStringLiteral("%1 could not be opened because there are too many open files.").arg(f);
    case accessDenied: return QStringLiteral("%1 could not be accessed.").arg(f);
    case invalidFile: return QStringLiteral("An attempt was made to access %1 using an invalid file handle.").arg(f);
    case removeCurrentDir:
        return QStringLiteral("%1 could not be removed because it is the current directory.").arg(f);
    case directoryFull: return QStringLiteral("%1 could not be created because the directory is full.").arg(f);
    case badSeek: return QStringLiteral("Seek failed on %1").arg(f);
    case hardIO: return QStringLiteral("A hardware I/O error was reported while accessing %1.").arg(f);
    case sharingViolation: return QStringLiteral("A sharing violation occurred while accessing %1.").arg(f);
    case lockViolation: return QStringLiteral("A locking violation occurred while accessing %1.").arg(f);
    case diskFull: return QStringLiteral("Disk full while accessing %1.").arg(f);
    case endOfFile: return QStringLiteral("An attempt was made to access %1 past its end.").arg(f);
    default: return QStringLiteral("An unexpected error occurred while accessing %1.").arg(f);
    }
}

CFileException::Cause CFileException::OsErrorToCause(int e)
{
    switch (e) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return accessDenied;
    case EBADF: return invalidFile;
    case EBUSY: return sharingViolation;
    case ENOSPC:
    case EDQUOT: return diskFull;
    case EIO: return hardIO;
    default: return genericException;
    }
}

int AfxMessageBox(const QString& text, UINT type)
{
    QWidget* parent = QApplication::activeWindow();
    return MessageBox(parent, text, QString(), type);
}
