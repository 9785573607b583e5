#include "RelativePath.h"

#include "owutil/OwUtilC.h"
#include "owutil/paths/Slashes.h"
#include "owutil/text/StringSearch.h"
#include "owutil/text/TextBuffer.h"
#include "toolkit/COXUNC.h"

#include <cstring>

namespace OwUtil {

namespace {

// Whether text begins with prefix, ignoring case; "/" and "\" count as the
// same character, since both separate folders.
bool beginsWith(const QString& prefix, const QString& text)
{
    if (prefix.size() > text.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        const QChar a = prefix[i], b = text[i];
        if (IsPathSeparator(a) && IsPathSeparator(b))
            continue;
        if (a.toCaseFolded() != b.toCaseFolded())
            return false;
    }
    return true;
}

// Cuts folder (without its trailing separator) before its last separator.
// False when it has none.
bool cutLastFolder(QString& folder)
{
    RemoveSlash(folder);
    const int last = RFindOneOf(folder, int(folder.size()), PathSeparators(), -1);
    if (last < 0)
        return false;
    folder.truncate(last);
    return true;
}

} // namespace

QString DetermineRelPath(const QString& source, const QString& base)
{
    const COXUNC src(source);
    QString b = base;
    const COXUNC folder(AppendSlash(b));
    if (!beginsWith(src.Server(), folder.Server()) || !beginsWith(src.Share(), folder.Share()))
        return src.Full();

    QString s = src.Directory();
    RemoveSlash(s);
    QString f = folder.Directory();
    RemoveSlash(f);
    QString result;
    while (!beginsWith(f, s)) {
        // A base that cannot be cut further never becomes a beginning of the
        // source's folder: the source stays as it is.
        if (!cutLastFolder(f))
            return src.Full();
        result += QStringLiteral("..") + PlatformSeparator();
    }
    s.remove(0, f.size());
    if (!s.isEmpty()) {
        if (IsPathSeparator(s.front()))
            s.remove(0, 1);
        AppendSlash(s);
        result += s;
    }
    return result + src.File();
}

QString ResolveRelPath(const QString& source, const QString& base)
{
    if ((source.size() >= 2 && source[1] == QLatin1Char(':'))
        || (!source.isEmpty() && IsPathSeparator(source[0])))
        return source;
    QString b = base;
    COXUNC folder(AppendSlash(b));
    const bool rooted = !folder.Directory().isEmpty() && IsPathSeparator(folder.Directory().front());
    QString climbs; // ".." left over from a relative base that ran out of folders
    QString rest = source;
    // ".." counts only as a whole folder name: "..hidden/f" is a name of its own.
    while (rest.startsWith(QLatin1String("..")) && (rest.size() == 2 || IsPathSeparator(rest[2]))) {
        QString directory = folder.Directory();
        if (directory.isEmpty() && !rooted)
            climbs += QStringLiteral("..") + PlatformSeparator();
        if (!cutLastFolder(directory))
            directory.clear();
        // Climbing above the root stays at the root.
        folder.SetDirectory(directory.isEmpty() && rooted ? QString(PlatformSeparator()) : directory);
        rest.remove(0, 3);
    }
    const COXUNC relative(rest);
    folder.SetDirectory(climbs + folder.Directory() + relative.Directory());
    folder.SetFile(relative.File());
    return folder.Full();
}

} // namespace OwUtil

namespace {

// Stores result into the caller's 260-byte buffer: cleared, at most 259 bytes.
char* storePath(char* source, const QString& result)
{
    std::memset(source, 0, OWUTIL_PATH_BUFFER);
    OwUtil::Internal::CopyUtf8(result.toUtf8(), source, OWUTIL_PATH_BUFFER);
    return source;
}

} // namespace

extern "C" char* DetermineRelativePath(char* source, const char* base)
{
    if (source == nullptr)
        return nullptr;
    const QString src = QString::fromUtf8(source, qsizetype(strnlen(source, OWUTIL_PATH_BUFFER)));
    return storePath(source, OwUtil::DetermineRelPath(src, QString::fromUtf8(base ? base : "")));
}

extern "C" char* ResolveRelativePath(char* source, const char* base)
{
    if (source == nullptr)
        return nullptr;
    const QString src = QString::fromUtf8(source, qsizetype(strnlen(source, OWUTIL_PATH_BUFFER)));
    return storePath(source, OwUtil::ResolveRelPath(src, QString::fromUtf8(base ? base : "")));
}
