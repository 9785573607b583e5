#include "DefaultHandlers.h"

#include "XdgKeyFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kDefaults = QStringLiteral("Default Applications");

QStringList envPaths(const char* var, const QString& fallback)
{
    const QString v = QString::fromLocal8Bit(qgetenv(var));
    QStringList out;
    for (const QString& p : (v.isEmpty() ? fallback : v).split(':', Qt::SkipEmptyParts))
        out << p;
    return out;
}
} // namespace

DefaultHandlers::DefaultHandlers(QString desktopId) : m_desktopId(std::move(desktopId)) {}

QString DefaultHandlers::UserListPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/mimeapps.list");
}

QStringList DefaultHandlers::applicationFolders() const
{
    QStringList out{QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/applications")};
    for (const QString& d : envPaths("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share")))
        out << d + QStringLiteral("/applications");
    return out;
}

QStringList DefaultHandlers::listFiles() const
{
    // The lookup order of the freedesktop.org MIME applications standard, with the
    // desktop-specific lists before the general ones in each folder.
    QStringList desktops;
    for (const QString& d : QString::fromLocal8Bit(qgetenv("XDG_CURRENT_DESKTOP")).split(':', Qt::SkipEmptyParts))
        desktops << d.toLower() + QStringLiteral("-mimeapps.list");
    desktops << QStringLiteral("mimeapps.list");
    QStringList folders{QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)};
    folders << envPaths("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    folders << applicationFolders();
    QStringList out;
    for (const QString& f : folders)
        for (const QString& name : desktops)
            out << f + '/' + name;
    return out;
}

bool DefaultHandlers::HasHandler(const QString& type) const
{
    for (const QString& path : listFiles()) {
        XdgKeyFile f;
        if (!f.Load(path))
            continue;
        for (const QString& id : f.ListValue(kDefaults, type))
            if (id != m_desktopId)
                return true;
    }
    // A program that declares the type: in the folder's cache, or in an
    // entry the cache has not seen yet (the user's own folder often has none).
    for (const QString& folder : applicationFolders()) {
        XdgKeyFile cache;
        if (cache.Load(folder + QStringLiteral("/mimeinfo.cache")))
            for (const QString& id : cache.ListValue(QStringLiteral("MIME Cache"), type))
                if (id != m_desktopId)
                    return true;
    }
    const QString userApps = applicationFolders().first();
    for (const QFileInfo& fi : QDir(userApps).entryInfoList({QStringLiteral("*.desktop")}, QDir::Files)) {
        if (fi.fileName() == m_desktopId)
            continue;
        XdgKeyFile e;
        if (e.Load(fi.filePath()) && e.ListValue(QStringLiteral("Desktop Entry"), QStringLiteral("MimeType")).contains(type))
            return true;
    }
    return false;
}

bool DefaultHandlers::IsDefault(const QString& type) const
{
    XdgKeyFile f;
    return f.Load(UserListPath()) && f.ListValue(kDefaults, type).contains(m_desktopId);
}

bool DefaultHandlers::SetClaims(const QStringList& claimed, const QStringList& previous) const
{
    const QString path = UserListPath();
    XdgKeyFile f;
    const bool existed = f.Load(path);
    bool changed = false;
    for (const QString& type : previous) {
        if (claimed.contains(type))
            continue;
        QStringList ids = f.ListValue(kDefaults, type);
        if (ids.removeAll(m_desktopId) == 0)
            continue;
        if (ids.isEmpty())
            f.RemoveKey(kDefaults, type);
        else
            f.SetListValue(kDefaults, type, ids);
        changed = true;
    }
    for (const QString& type : claimed) {
        QStringList ids = f.ListValue(kDefaults, type);
        if (ids.contains(m_desktopId))
            continue;
        ids.prepend(m_desktopId);
        f.SetListValue(kDefaults, type, ids);
        changed = true;
    }
    if (!changed)
        return true;
    if (!existed)
        QDir().mkpath(QFileInfo(path).path());
    return f.Save(path);
}
