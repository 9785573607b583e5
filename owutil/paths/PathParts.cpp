#include "PathParts.h"

#include "owutil/paths/Slashes.h"
#include "toolkit/COXUNC.h"

namespace OwUtil {

QString GetFileName(const QString& path) { return COXUNC(path).File(); }

QString& ReplaceFileName(QString& path, const QString& name)
{
    COXUNC unc(path);
    unc.SetFile(name);
    path = unc.Full();
    return path;
}

QString GetFileFolder(const QString& path)
{
    COXUNC unc(path);
    unc.SetFile(QString());
    return unc.Full();
}

QString& ReplaceFileFolder(QString& path, const QString& folder)
{
    QString f = folder;
    COXUNC unc(path);
    unc.SetDirectory(COXUNC(AppendSlash(f)).Directory());
    path = unc.Full();
    return path;
}

QString MakePath(const QString& folder, const QString& file)
{
    QString f = folder;
    COXUNC unc(AppendSlash(f));
    unc.SetFile(file);
    return unc.Full();
}

} // namespace OwUtil
