#include "IniString.h"

#include "platform/profile/PrivateProfile.h"

#include <QStringList>

#include <algorithm>

namespace OwUtil {

QString GetIniString(const QString& section, const QString& key, const QString& file,
                     const QString& defaultValue, unsigned int size)
{
    if (size == 0)
        return {};
    const qsizetype room = qsizetype(std::min<unsigned>(size, 0x7FFFFFFFu));
    if (!key.isEmpty())
        return GetPrivateProfileString(section, key, defaultValue, file).left(room - 1);

    // The platform hands the names over as "a\0b\0\0"; a list that does not
    // fit is cut, keeping the two closing zeros.
    QString list;
    for (const QString& name : GetPrivateProfileKeyNames(section, file))
        list += name + QChar(0);
    if (list.size() + 1 > room)
        list = list.left(std::max<qsizetype>(room - 2, 0)) + QChar(0);
    while (list.endsWith(QChar(0)))
        list.chop(1);
    list.replace(QChar(0), QLatin1Char(','));
    return list;
}

} // namespace OwUtil
