#include "FileMoves.h"

#include "owutil/paths/Slashes.h"
#include "owutil/paths/SystemPaths.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace OwUtil {

namespace {

// Whether anything (file, folder, link) has this name; a trailing separator is ignored.
bool nameExists(QString path)
{
    while (path.size() > 1 && IsPathSeparator(path.back()))
        path.chop(1);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

QString FindUniqueSubPath(const QString& base, const QString& name)
{
    QString folder = base;
    AppendSlash(folder);
    QString candidate = folder + name + PlatformSeparator();
    for (int n = 2; nameExists(candidate); ++n) {
        if (n == INT_MAX)
            return {};
        candidate = QStringLiteral("%1%2 (%3)").arg(folder, name).arg(n) + PlatformSeparator();
    }
    return candidate;
}

bool GetTempFile(const char* prefix, unsigned int size, char* buffer)
{
    if (buffer == nullptr || size == 0)
        return false;
    const QByteArray folder = QFile::encodeName(GetTempFolder());
    if (uint64_t(folder.size()) + 1 > size)
        return false;
    const QByteArray pre = prefix ? QByteArray(prefix) : QByteArray();
    if (pre.contains('/'))
        return false;
    std::memset(buffer, 0, size);

    // Numbers of four hexadecimal digits from a random start, as the platform
    // numbers its temporary files; should all of them be taken, longer ones.
    const unsigned start = QRandomGenerator::global()->bounded(0x10000u);
    for (unsigned k = 0; k < 0x10000u + 100u; ++k) {
        const unsigned number = k < 0x10000u ? (start + k) & 0xFFFFu : QRandomGenerator::global()->generate();
        if (number == 0)
            continue;
        const QByteArray path =
            folder + pre + QByteArray::number(number, 16).toUpper().rightJustified(4, '0') + ".tmp";
        if (uint64_t(path.size()) + 1 > size)
            return false;
        const int fd = ::open(path.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        ::close(fd);
        std::memcpy(buffer, path.constData(), size_t(path.size()));
        return true;
    }
    return false;
}

} // namespace OwUtil
