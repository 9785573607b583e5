#include "COXRegistryItem.h"

#include <QSettings>

#include <limits>

namespace {

QString trimmedName(const QString& text)
{
    QString s = text.trimmed();
    while (s.startsWith(QLatin1Char('\\')))
        s.remove(0, 1);
    while (s.endsWith(QLatin1Char('\\')))
        s.chop(1);
    return s;
}

// The existing spelling of name among names, compared without case.
QString existing(const QStringList& names, const QString& name)
{
    for (const QString& n : names) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    }
    return name;
}

// Opens the settings of where and enters its groups; returns the stored
// spelling of the value name.
QString enter(QSettings& settings, const QStringList& groups, const QString& valueName)
{
    for (const QString& g : groups)
        settings.beginGroup(existing(settings.childGroups(), g));
    return existing(settings.childKeys(), valueName.isEmpty() ? QStringLiteral("@") : valueName);
}

} // namespace

void COXRegistryItem::SetRegistryName(const QString& root) { m_root = root; }
void COXRegistryItem::SetKeyNames(const QString& keys) { m_keys = keys; }
void COXRegistryItem::SetValueName(const QString& name) { m_valueName = name; }

QString COXRegistryItem::GetFullRegistryItem() const
{
    const QString root = trimmedName(m_root);
    const QString keys = trimmedName(m_keys);
    return QLatin1Char('\\') + root + QLatin1Char('\\') + (keys.isEmpty() ? QString() : keys + QLatin1Char('\\'))
           + m_valueName;
}

bool COXRegistryItem::location(Location& where) const
{
    const QString root = trimmedName(m_root);
    if (root.compare(QLatin1String("HKEY_CURRENT_USER"), Qt::CaseInsensitive) != 0
        && root.compare(QLatin1String("HKCU"), Qt::CaseInsensitive) != 0)
        return false;
    const QStringList names = m_keys.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (names.size() < 3 || names[0].compare(QLatin1String("Software"), Qt::CaseInsensitive) != 0)
        return false;
    where.organization = names[1];
    where.application = names[2];
    where.groups = names.mid(3);
    return true;
}

bool COXRegistryItem::IsValid() const
{
    Location where;
    return location(where);
}

DWORD COXRegistryItem::GetNumberValue(DWORD defaultValue, BOOL* success) const
{
    if (success)
        *success = FALSE;
    Location where;
    if (!location(where))
        return defaultValue;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, where.organization, where.application);
    const QString key = enter(settings, where.groups, m_valueName);
    if (!settings.contains(key))
        return defaultValue;
    // Native settings files keep no types: a number comes back as its text.
    bool ok = false;
    const qlonglong number = settings.value(key).toString().trimmed().toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int32_t>::min() || number > std::numeric_limits<uint32_t>::max())
        return defaultValue;
    if (success)
        *success = TRUE;
    return DWORD(number);
}

BOOL COXRegistryItem::SetNumberValue(DWORD value)
{
    Location where;
    if (!location(where))
        return FALSE;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, where.organization, where.application);
    const QString key = enter(settings, where.groups, m_valueName);
    settings.setValue(key, uint(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString COXRegistryItem::GetStringValue(const QString& defaultValue, BOOL* success) const
{
    if (success)
        *success = FALSE;
    Location where;
    if (!location(where))
        return defaultValue;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, where.organization, where.application);
    const QString key = enter(settings, where.groups, m_valueName);
    if (!settings.contains(key))
        return defaultValue;
    if (success)
        *success = TRUE;
    return settings.value(key).toString();
}

BOOL COXRegistryItem::SetStringValue(const QString& value)
{
    Location where;
    if (!location(where))
        return FALSE;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, where.organization, where.application);
    const QString key = enter(settings, where.groups, m_valueName);
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

BOOL COXRegistryItem::DeleteValue()
{
    Location where;
    if (!location(where))
        return FALSE;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, where.organization, where.application);
    const QString key = enter(settings, where.groups, m_valueName);
    settings.remove(key);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
