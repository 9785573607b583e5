#include "CFile.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CFile::CFile(const QString& fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        throw error;
}

CFile::~CFile()
{
    if (m_fd >= 0)
        Abort();
}

BOOL CFile::Open(const QString& fileName, UINT openFlags, CFileException* error)
{
    if (m_fd >= 0)
        Abort();
    int flags = O_CLOEXEC;
    switch (openFlags & 3) {
    case modeWrite: flags |= O_WRONLY; break;
    case modeReadWrite: flags |= O_RDWR; break;
    default: flags |= O_RDONLY; break;
    }
    if (openFlags & modeCreate) {
        flags |= O_CREAT;
        if (!(openFlags & modeNoTruncate))
            flags |= O_TRUNC;
    }
    const QString full = fileName.isEmpty() ? fileName : QFileInfo(fileName).absoluteFilePath();
    const QByteArray path = QFile::encodeName(full);
    int fd = -1;
    int err = ENOENT;
    if (!path.isEmpty()) {
        do {
            fd = ::open(path.constData(), flags, 0666);
        } while (fd < 0 && errno == EINTR);
        err = errno;
    }
    if (fd >= 0) {
        // Opening a folder succeeds on POSIX for reading; a file it is not.
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            fd = -1;
            err = EISDIR;
        }
    }
    if (fd < 0) {
        if (error) {
            error->m_cause = CFileException::OsErrorToCause(err);
            error->m_lOsError = err;
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    m_fd = fd;
    m_strFilePath = full;
    return TRUE;
}

void CFile::Close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        ThrowOsError(errno);
}

void CFile::Abort()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (m_fd < 0)
        ThrowOsError(EBADF);
    auto* p = static_cast<char*>(buffer);
    UINT total = 0;
    while (total < count) {
        const ssize_t n = ::read(m_fd, p + total, count - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowOsError(errno);
        }
        if (n == 0)
            break;
        total += UINT(n);
    }
    return total;
}

void CFile::Write(const void* buffer, UINT count)
{
    if (m_fd < 0)
        ThrowOsError(EBADF);
    const auto* p = static_cast<const char*>(buffer);
    UINT total = 0;
    while (total < count) {
        const ssize_t n = ::write(m_fd, p + total, count - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowOsError(errno);
        }
        total += UINT(n);
    }
}

uint64_t CFile::Seek(int64_t offset, UINT from)
{
    if (m_fd < 0)
        ThrowOsError(EBADF);
    const int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
    const off_t pos = ::lseek(m_fd, off_t(offset), whence);
    if (pos < 0)
        throw CFileException(CFileException::badSeek, errno, m_strFilePath);
    return uint64_t(pos);
}

uint64_t CFile::GetPosition() const
{
    if (m_fd < 0)
        ThrowOsError(EBADF);
    const off_t pos = ::lseek(m_fd, 0, SEEK_CUR);
    if (pos < 0)
        ThrowOsError(errno);
    return uint64_t(pos);
}

uint64_t CFile::GetLength() const
{
    if (m_fd < 0)
        ThrowOsError(EBADF);
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        ThrowOsError(errno);
    return uint64_t(st.st_size);
}

void CFile::SetLength(uint64_t length)
{
    if (m_fd < 0 || ::ftruncate(m_fd, off_t(length)) != 0)
        ThrowOsError(m_fd < 0 ? EBADF : errno);
}

void CFile::Flush()
{
    if (m_fd >= 0 && ::fsync(m_fd) != 0 && errno != EINVAL)
        ThrowOsError(errno);
}

QString CFile::GetFileName() const { return QFileInfo(m_strFilePath).fileName(); }

void CFile::ThrowOsError(int osError) const
{
    throw CFileException(CFileException::OsErrorToCause(osError), osError, m_strFilePath);
}
