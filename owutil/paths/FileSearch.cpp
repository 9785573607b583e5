#include "FileSearch.h"

#include "owutil/paths/Slashes.h"
#include "platform/file/FileAttributes.h"
#include "toolkit/COXUNC.h"

namespace OwUtil {

bool IsFileValid(const QString& path, unsigned long flags)
{
    const DWORD attributes = COXUNC(path).GetAttributes();
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    const bool wantFolder = (flags & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (wantFolder != isFolder)
        return false;
    return (flags & DisqualifyingAttributes & attributes) == 0;
}

bool FindFileOrFolder(QString& name, const QStringList& folders, unsigned long flags)
{
    QString start = name;
    if (flags & FILE_ATTRIBUTE_DIRECTORY)
        AppendSlash(start);
    COXUNC candidate(start);
    const QString file = candidate.File();
    if (IsFileValid(candidate.Full(), flags)) {
        name = candidate.Full();
        return true;
    }
    for (QString folder : folders) {
        COXUNC next(AppendSlash(folder));
        next.SetFile(file);
        if (IsFileValid(next.Full(), flags)) {
            name = next.Full();
            return true;
        }
    }
    return false;
}

bool FindFile(QString& name, const QStringList& folders, unsigned long flags)
{
    return FindFileOrFolder(name, folders, flags & ~static_cast<unsigned long>(FILE_ATTRIBUTE_DIRECTORY));
}

bool FindFolder(QString& name, const QStringList& folders, unsigned long flags)
{
    return FindFileOrFolder(name, folders, flags | FILE_ATTRIBUTE_DIRECTORY);
}

bool FindFile(QString& name, const QString& folder, unsigned long flags)
{
    return FindFile(name, folder.isEmpty() ? QStringList() : QStringList{folder}, flags);
}

bool FindFolder(QString& name, const QString& folder, unsigned long flags)
{
    return FindFolder(name, folder.isEmpty() ? QStringList() : QStringList{folder}, flags);
}

} // namespace OwUtil
