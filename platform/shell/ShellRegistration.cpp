#include "ShellRegistration.h"

#include "DefaultHandlers.h"
#include "XdgKeyFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QString kEntry = QStringLiteral("Desktop Entry");
const QString kCreatedData = QStringLiteral("X-Lumivue-CreatedData");
const QString kCreatedConfig = QStringLiteral("X-Lumivue-CreatedConfig");
const QString kDefaultFor = QStringLiteral("X-Lumivue-DefaultFor");
const QString kOwnTypes = QStringLiteral("X-Lumivue-OwnTypes");

QString dataHome() { return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation); }
QString configHome() { return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation); }

// What one registration wrote, relative to the data and config folders.
struct Manifest {
    QStringList createdData;
    QStringList createdConfig;
    QStringList defaultFor;
    QStringList ownTypes;

    void Read(const XdgKeyFile& f)
    {
        createdData = f.ListValue(kEntry, kCreatedData);
        createdConfig = f.ListValue(kEntry, kCreatedConfig);
        defaultFor = f.ListValue(kEntry, kDefaultFor);
        ownTypes = f.ListValue(kEntry, kOwnTypes);
    }
};

// Records each folder and file a registration creates, relative to root.
class Writer {
public:
    Writer(QString root, QStringList& created) : m_root(std::move(root)), m_created(created) {}

    bool MakeFolder(const QString& rel)
    {
        // The data folder itself is the desktop's, not ours to list.
        if (!QFileInfo(m_root).isDir() && !QDir().mkpath(m_root))
            return false;
        QString sofar;
        for (const QString& part : rel.split('/', Qt::SkipEmptyParts)) {
            sofar += part + '/';
            const QString abs = m_root + '/' + sofar;
            if (QFileInfo(abs).isDir())
                continue;
            if (!QDir().mkdir(abs))
                return false;
            note(sofar);
        }
        return true;
    }

    // Writes data at rel unless it is already there; changed tells whether it was not.
    bool Write(const QString& rel, const QByteArray& data, bool* changed)
    {
        const QString abs = m_root + '/' + rel;
        QFile existing(abs);
        if (existing.open(QIODevice::ReadOnly) && existing.readAll() == data) {
            *changed = false;
            return true;
        }
        const bool isNew = !QFileInfo::exists(abs);
        if (!MakeFolder(QFileInfo(rel).path()))
            return false;
        QSaveFile f(abs);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        f.write(data);
        if (!f.commit())
            return false;
        if (isNew)
            note(rel);
        *changed = true;
        return true;
    }

    void note(const QString& rel)
    {
        if (!m_created.contains(rel))
            m_created << rel;
    }

private:
    QString m_root;
    QStringList& m_created;
};

QByteArray readResource(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString iconNameFor(const QString& mimeType)
{
    QString n = mimeType;
    return n.replace('/', '-');
}

void runTool(const QString& tool, const QStringList& args)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty())
        return;
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(exe, args);
    if (!p.waitForFinished(30000))
        p.kill();
}

QByteArray mimePackage(const QString& typeId, const std::vector<std::pair<QString, const ShellFileType*>>& own)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<!-- Written by %1's file-type registration. -->\n"
                                 "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n")
                      .arg(typeId.toHtmlEscaped());
    for (const auto& [type, ft] : own) {
        xml += QStringLiteral("  <mime-type type=\"%1\">\n    <comment>%2</comment>\n"
                              "    <icon name=\"%3\"/>\n    <glob pattern=\"*%4\"/>\n  </mime-type>\n")
                   .arg(type.toHtmlEscaped(), ft->description.toHtmlEscaped(), iconNameFor(type).toHtmlEscaped(),
                        ft->extension.toHtmlEscaped());
    }
    xml += QStringLiteral("</mime-info>\n");
    return xml.toUtf8();
}

QString execLine(const QString& program, const QStringList& args)
{
    QStringList parts{XdgKeyFile::QuoteExecArgument(program)};
    for (const QString& a : args)
        parts << XdgKeyFile::QuoteExecArgument(a);
    parts << QStringLiteral("%F");
    return XdgKeyFile::Escape(parts.join(' '));
}

// Removes rel (a file, or a folder ending in '/' when it is empty).
bool removeCreated(const QString& root, const QString& rel)
{
    const QString abs = root + '/' + rel;
    if (rel.endsWith('/')) {
        QDir d(abs);
        if (!d.exists())
            return true;
        return d.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
                   ? QDir().rmdir(abs)
                   : true; // something else lives there now: it stays
    }
    return !QFileInfo::exists(abs) || QFile::remove(abs);
}

// Files, then folders deepest first.
bool removeAll(const QString& root, QStringList rels)
{
    std::sort(rels.begin(), rels.end(), [](const QString& a, const QString& b) {
        const bool da = a.endsWith('/'), db = b.endsWith('/');
        if (da != db)
            return !da;
        return a.count('/') > b.count('/');
    });
    bool ok = true;
    for (const QString& r : rels)
        ok = removeCreated(root, r) && ok;
    return ok;
}

} // namespace

QString ShellRegistration::DesktopEntryPath(const QString& fileTypeId)
{
    return dataHome() + QStringLiteral("/applications/") + fileTypeId + QStringLiteral(".desktop");
}

QString ShellRegistration::OwnMimeTypeFor(const QString& extension)
{
    QString ext = extension.startsWith('.') ? extension.mid(1) : extension;
    return QStringLiteral("image/x-") + ext.toLower();
}

QString ShellRegistration::SystemMimeTypeFor(const QString& extension, const QStringList& ownTypes)
{
    QMimeDatabase db;
    for (const QMimeType& t : db.mimeTypesForFileName(QStringLiteral("file") + extension)) {
        if (!t.isValid() || t.isDefault() || ownTypes.contains(t.name()))
            continue;
        return t.name();
    }
    return {};
}

bool ShellRegistration::Register(const ShellRegistrationInfo& info)
{
    const QString data = dataHome();
    const QString config = configHome();
    if (data.isEmpty() || info.fileTypeId.isEmpty())
        return false;
    const QString desktopId = info.fileTypeId + QStringLiteral(".desktop");
    const QString entryRel = QStringLiteral("applications/") + desktopId;

    XdgKeyFile previous;
    Manifest m;
    if (previous.Load(data + '/' + entryRel))
        m.Read(previous);
    const bool hadMimeCache = QFileInfo::exists(data + QStringLiteral("/applications/mimeinfo.cache"));
    const bool hadMimeDir = QFileInfo::exists(data + QStringLiteral("/mime"));

    Writer dataWriter(data, m.createdData);
    bool ok = true;

    // Types: the system's where it has one, ours otherwise.
    QStringList mimeTypes;
    std::vector<std::pair<QString, const ShellFileType*>> own;
    for (const ShellFileType& ft : info.types) {
        QString type = SystemMimeTypeFor(ft.extension, m.ownTypes);
        if (type.isEmpty()) {
            type = OwnMimeTypeFor(ft.extension);
            own.emplace_back(type, &ft);
        }
        if (!mimeTypes.contains(type))
            mimeTypes << type;
    }
    QStringList ownTypes;
    for (const auto& o : own)
        ownTypes << o.first;

    bool mimeChanged = false;
    const QString packageRel = QStringLiteral("mime/packages/") + info.fileTypeId + QStringLiteral(".xml");
    if (!own.empty()) {
        if (!hadMimeDir)
            dataWriter.note(QStringLiteral("mime/"));
        ok = dataWriter.Write(packageRel, mimePackage(info.fileTypeId, own), &mimeChanged) && ok;
        for (const auto& [type, ft] : own) {
            bool changed = false;
            const QByteArray icon = readResource(ft->iconPath);
            if (!icon.isEmpty())
                ok = dataWriter.Write(QStringLiteral("icons/hicolor/scalable/mimetypes/") + iconNameFor(type) +
                                          QStringLiteral(".svg"),
                                      icon, &changed) &&
                     ok;
        }
    } else if (QFileInfo::exists(data + '/' + packageRel)) {
        mimeChanged = QFile::remove(data + '/' + packageRel);
    }
    {
        bool changed = false;
        const QByteArray icon = readResource(info.iconPath);
        if (!icon.isEmpty())
            ok = dataWriter.Write(QStringLiteral("icons/hicolor/scalable/apps/") + info.fileTypeId +
                                      QStringLiteral(".svg"),
                                  icon, &changed) &&
                 ok;
    }
    m.ownTypes = ownTypes;

    // Default handler: only where nobody handles the type yet.
    Writer configWriter(config, m.createdConfig);
    DefaultHandlers handlers(desktopId);
    QStringList claimed;
    for (const QString& type : mimeTypes) {
        if (m.defaultFor.contains(type) && handlers.IsDefault(type)) {
            claimed << type;
        } else if (!handlers.HasHandler(type)) {
            claimed << type;
        }
    }
    if (!claimed.isEmpty() || !m.defaultFor.isEmpty()) {
        const bool existed = QFileInfo::exists(config + QStringLiteral("/mimeapps.list"));
        if (handlers.SetClaims(claimed, m.defaultFor)) {
            if (!existed && QFileInfo::exists(config + QStringLiteral("/mimeapps.list")))
                configWriter.note(QStringLiteral("mimeapps.list"));
        } else {
            ok = false;
            claimed = m.defaultFor;
        }
    }
    m.defaultFor = claimed;

    // The desktop entry last: it lists everything above.
    XdgKeyFile entry;
    entry.SetValue(kEntry, QStringLiteral("Type"), QStringLiteral("Application"));
    entry.SetValue(kEntry, QStringLiteral("Version"), QStringLiteral("1.0"));
    entry.SetValue(kEntry, QStringLiteral("Name"), XdgKeyFile::Escape(info.appName));
    if (!info.genericName.isEmpty())
        entry.SetValue(kEntry, QStringLiteral("GenericName"), XdgKeyFile::Escape(info.genericName));
    entry.SetValue(kEntry, QStringLiteral("Comment"), XdgKeyFile::Escape(info.fileTypeName));
    entry.SetValue(kEntry, QStringLiteral("Exec"), execLine(info.program, info.openArguments));
    entry.SetValue(kEntry, QStringLiteral("TryExec"), XdgKeyFile::Escape(info.program));
    entry.SetValue(kEntry, QStringLiteral("Icon"), info.fileTypeId);
    entry.SetValue(kEntry, QStringLiteral("Terminal"), QStringLiteral("false"));
    entry.SetListValue(kEntry, QStringLiteral("Categories"), {QStringLiteral("Graphics"), QStringLiteral("Viewer")});
    entry.SetListValue(kEntry, QStringLiteral("MimeType"), mimeTypes);
    entry.SetListValue(kEntry, QStringLiteral("Actions"), {QStringLiteral("Print")});
    if (!hadMimeCache)
        dataWriter.note(QStringLiteral("applications/mimeinfo.cache"));
    dataWriter.note(entryRel);
    // The desktop entry's own folder is listed before the file is written.
    ok = dataWriter.MakeFolder(QStringLiteral("applications")) && ok;
    entry.SetListValue(kEntry, kCreatedData, m.createdData);
    entry.SetListValue(kEntry, kCreatedConfig, m.createdConfig);
    entry.SetListValue(kEntry, kDefaultFor, m.defaultFor);
    entry.SetListValue(kEntry, kOwnTypes, m.ownTypes);
    const QString action = QStringLiteral("Desktop Action Print");
    entry.SetValue(action, QStringLiteral("Name"), QStringLiteral("Print"));
    entry.SetValue(action, QStringLiteral("Exec"), execLine(info.program, info.printArguments));

    bool entryChanged = false;
    ok = dataWriter.Write(entryRel, entry.ToText().toUtf8(), &entryChanged) && ok;

    if (mimeChanged)
        runTool(QStringLiteral("update-mime-database"), {data + QStringLiteral("/mime")});
    if (entryChanged)
        runTool(QStringLiteral("update-desktop-database"), {data + QStringLiteral("/applications")});
    return ok;
}

bool ShellRegistration::Unregister(const QString& fileTypeId)
{
    const QString data = dataHome();
    const QString config = configHome();
    const QString desktopId = fileTypeId + QStringLiteral(".desktop");
    const QString entryPath = DesktopEntryPath(fileTypeId);
    XdgKeyFile entry;
    if (!entry.Load(entryPath))
        return !QFileInfo::exists(entryPath);
    Manifest m;
    m.Read(entry);

    bool ok = true;
    DefaultHandlers handlers(desktopId);
    if (!m.defaultFor.isEmpty())
        ok = handlers.SetClaims({}, m.defaultFor) && ok;

    const QString packageRel = QStringLiteral("mime/packages/") + fileTypeId + QStringLiteral(".xml");
    const bool hadPackage = QFileInfo::exists(data + '/' + packageRel);
    const QString mimeCacheRel = QStringLiteral("applications/mimeinfo.cache");
    QStringList files, folders;
    for (const QString& rel : m.createdData) {
        if (rel.endsWith('/'))
            folders << rel;
        else if (rel != mimeCacheRel)
            files << rel;
    }
    // Our files first (the entry, the package, the icons)...
    ok = removeAll(data, files) && ok;

    // ...then the caches the tools built from them: rebuilt, or removed when
    // we made them and nothing else is left to describe.
    const QString mimeDir = data + QStringLiteral("/mime");
    if (hadPackage) {
        const bool othersLeft = !QDir(mimeDir + QStringLiteral("/packages")).entryList(QDir::Files).isEmpty();
        if (folders.contains(QStringLiteral("mime/")) && !othersLeft)
            ok = QDir(mimeDir).removeRecursively() && ok;
        else
            runTool(QStringLiteral("update-mime-database"), {mimeDir});
    }
    const QString apps = data + QStringLiteral("/applications");
    const bool otherEntries = !QDir(apps).entryList({QStringLiteral("*.desktop")}, QDir::Files).isEmpty();
    if (m.createdData.contains(mimeCacheRel) && !otherEntries)
        QFile::remove(data + '/' + mimeCacheRel);
    else if (QFileInfo::exists(data + '/' + mimeCacheRel))
        runTool(QStringLiteral("update-desktop-database"), {apps});

    // Folders we made, deepest first, when they are empty now.
    ok = removeAll(data, folders) && ok;

    // mimeapps.list goes only when we created it and nothing else is in it.
    for (const QString& rel : m.createdConfig) {
        if (rel == QLatin1String("mimeapps.list")) {
            XdgKeyFile list;
            if (list.Load(config + '/' + rel) && list.IsEmpty())
                ok = QFile::remove(config + '/' + rel) && ok;
        } else {
            ok = removeCreated(config, rel) && ok;
        }
    }
    return ok && !QFileInfo::exists(entryPath);
}
