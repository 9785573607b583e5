#include "FileMoves.h"

#include "toolkit/COXUNC.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace OwUtil {

namespace {

QByteArray native(const QString& path) { return QFile::encodeName(path); }

bool copyTree(const QString& from, const QString& to);

// Copies a regular file: the copy replaces to only once it is complete, and
// keeps the original's permissions and modification time.
bool copyFile(const QString& from, const QString& to, const struct stat& st)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char chunk[64 * 1024];
    for (;;) {
        const qint64 n = in.read(chunk, sizeof chunk);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (out.write(chunk, n) != n)
            return false;
    }
    if (!out.commit())
        return false;
    ::chmod(native(to).constData(), st.st_mode & 07777);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::utimensat(AT_FDCWD, native(to).constData(), times, 0);
    return true;
}

bool copyEntry(const QString& from, const QString& to)
{
    struct stat st {};
    if (::lstat(native(from).constData(), &st) != 0)
        return false;
    if (S_ISDIR(st.st_mode))
        return ::mkdir(native(to).constData(), st.st_mode & 07777) == 0 && copyTree(from, to);
    if (S_ISLNK(st.st_mode)) {
        char link[4096];
        const ssize_t n = ::readlink(native(from).constData(), link, sizeof link - 1);
        if (n < 0)
            return false;
        link[n] = '\0';
        return ::symlink(link, native(to).constData()) == 0;
    }
    if (S_ISREG(st.st_mode))
        return copyFile(from, to, st);
    return false; // devices, pipes and sockets do not move between file systems
}

bool copyTree(const QString& from, const QString& to)
{
    const QStringList names =
        QDir(from).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (!copyEntry(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name))
            return false;
    }
    return true;
}

bool removeEntry(const QString& path)
{
    struct stat st {};
    if (::lstat(native(path).constData(), &st) != 0)
        return false;
    if (S_ISDIR(st.st_mode))
        return QDir(path).removeRecursively();
    return ::unlink(native(path).constData()) == 0;
}

// A move between file systems: copy, then remove the original.
bool moveAcross(const QString& from, const QString& to)
{
    struct stat st {};
    if (::lstat(native(from).constData(), &st) != 0)
        return false;
    if (S_ISREG(st.st_mode)) {
        if (!copyFile(from, to, st))
            return false;
    } else {
        // A folder (or link) is copied under a temporary name beside its
        // destination and takes the name only once it is complete.
        const QString partial = to + QStringLiteral(".moving-%1").arg(::getpid());
        if (!copyEntry(from, partial) || ::rename(native(partial).constData(), native(to).constData()) != 0) {
            removeEntry(partial);
            return false;
        }
    }
    if (!removeEntry(from)) {
        // The original could not go: keep it, and do not leave a second copy.
        removeEntry(to);
        return false;
    }
    return true;
}

QString fileSystemPath(const char* utf8)
{
    return COXUNC(QString::fromUtf8(utf8)).FileSystemPath();
}

} // namespace

bool EasyMoveFile(const char* from, const char* to)
{
    if (from == nullptr || to == nullptr || *from == '\0' || *to == '\0')
        return false;
    QString source = fileSystemPath(from);
    QString target = fileSystemPath(to);
    while (source.size() > 1 && source.endsWith(QLatin1Char('/')))
        source.chop(1);
    struct stat st {};
    if (::lstat(native(source).constData(), &st) != 0)
        return false;
    const QFileInfo targetInfo(target);
    if (targetInfo.isDir() && !targetInfo.isSymLink())
        target = QDir(target).filePath(QFileInfo(source).fileName());
    while (target.size() > 1 && target.endsWith(QLatin1Char('/')))
        target.chop(1);

    const QString sourceFull = QFileInfo(source).absoluteFilePath();
    const QString targetFull = QFileInfo(target).absoluteFilePath();
    if (sourceFull == targetFull)
        return true;
    // A folder cannot move into itself.
    if (S_ISDIR(st.st_mode) && targetFull.startsWith(sourceFull + QLatin1Char('/')))
        return false;
    QDir().mkpath(QFileInfo(targetFull).absolutePath());

    if (::rename(native(sourceFull).constData(), native(targetFull).constData()) == 0)
        return true;
    return errno == EXDEV && moveAcross(sourceFull, targetFull);
}

} // namespace OwUtil
