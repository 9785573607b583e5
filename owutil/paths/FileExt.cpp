#include "FileExt.h"

#include "toolkit/COXUNC.h"

namespace OwUtil {

QString GetFileExt(const QString& path) { return COXUNC(path).Extension(false); }

QString& ReplaceFileExt(QString& path, const QString& ext)
{
    QString full = COXUNC(path).Full();
    const qsizetype dot = full.lastIndexOf(QLatin1Char(COXUNC::Dot));
    if (dot >= 0)
        full = full.left(dot + 1) + ext;
    path = full;
    return path;
}

} // namespace OwUtil
