#include "tools/ThumbnailerEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

namespace {

const char kMarker[] = "X-Lumivu-Thumbnailer=true";

// A desktop entry's Exec argument: quoted when it holds a reserved
// character, with the characters the quoting rules escape escaped.
QString execArgument(const QString& arg)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = false;
    for (QChar c : arg)
        quote = quote || reserved.contains(c);
    if (!quote)
        return arg;
    QString out = QStringLiteral("\"");
    for (QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('"');
}

QString canonical(const QMimeDatabase& db, const QString& name)
{
    const QMimeType t = db.mimeTypeForName(name);
    return t.isValid() ? t.name() : name;
}

QString dataHome()
{
    const QString env = qEnvironmentVariable("XDG_DATA_HOME");
    return env.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share") : env;
}

} // namespace

QStringList ThumbnailerEntry::MetafileTypes()
{
    return {QStringLiteral("image/emf"), QStringLiteral("image/x-emf"), QStringLiteral("application/x-emf"),
            QStringLiteral("image/wmf"), QStringLiteral("image/x-wmf"), QStringLiteral("application/x-msmetafile")};
}

QStringList ThumbnailerEntry::RasterTypes()
{
    return {QStringLiteral("image/vnd.zbrush.pcx"), QStringLiteral("image/x-pcx"), QStringLiteral("image/x-tga"),
            QStringLiteral("image/x-mj"),           QStringLiteral("image/bmp"),   QStringLiteral("image/vnd.microsoft.icon"),
            QStringLiteral("image/tiff"),           QStringLiteral("image/gif"),   QStringLiteral("image/jpeg"),
            QStringLiteral("image/png")};
}

QStringList ThumbnailerEntry::UnclaimedRasterTypes(const QStringList& folders)
{
    const QMimeDatabase db;
    QSet<QString> claimed;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({QStringLiteral("*.thumbnailer")}, QDir::Files)) {
            const QString path = dir.filePath(name);
            if (IsOurs(path))
                continue;
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            while (!f.atEnd()) {
                const QByteArray line = f.readLine(64 * 1024).trimmed();
                if (!line.startsWith("MimeType="))
                    continue;
                for (const QByteArray& type : line.mid(9).split(';'))
                    if (!type.isEmpty())
                        claimed.insert(canonical(db, QString::fromUtf8(type)));
            }
        }
    }
    QStringList out;
    for (const QString& type : RasterTypes())
        if (!claimed.contains(canonical(db, type)))
            out << type;
    return out;
}

QByteArray ThumbnailerEntry::Text(const QString& program, const QStringList& mimeTypes)
{
    QByteArray text = "[Thumbnailer Entry]\n";
    text += "TryExec=" + execArgument(program).toUtf8() + '\n';
    text += "Exec=" + execArgument(program).toUtf8() + " -s %s %u %o\n";
    text += "MimeType=" + mimeTypes.join(QLatin1Char(';')).toUtf8() + ";\n";
    text += QByteArray(kMarker) + '\n';
    return text;
}

QString ThumbnailerEntry::UserPath()
{
    return dataHome() + QStringLiteral("/thumbnailers/lumivu.thumbnailer");
}

bool ThumbnailerEntry::IsOurs(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    while (!f.atEnd())
        if (f.readLine(64 * 1024).trimmed() == kMarker)
            return true;
    return false;
}

bool ThumbnailerEntry::Register(const QString& program, QString* error)
{
    const QString path = UserPath();
    if (QFileInfo::exists(path) && !IsOurs(path)) {
        *error = QStringLiteral("%1 belongs to another program").arg(path);
        return false;
    }
    // Every data folder but the user's own one, which we are about to write.
    QStringList folders;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        if (QDir(dir) != QDir(dataHome()))
            folders << dir + QStringLiteral("/thumbnailers");
    folders << dataHome() + QStringLiteral("/thumbnailers");
    const QStringList types = MetafileTypes() + UnclaimedRasterTypes(folders);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot create %1").arg(QFileInfo(path).absolutePath());
        return false;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(Text(program, types)) < 0 || !out.commit()) {
        *error = QStringLiteral("%1 cannot be written").arg(path);
        return false;
    }
    return true;
}

bool ThumbnailerEntry::Unregister(QString* error)
{
    const QString path = UserPath();
    if (!QFileInfo::exists(path) || !IsOurs(path))
        return true;
    if (!QFile::remove(path)) {
        *error = QStringLiteral("%1 cannot be removed").arg(path);
        return false;
    }
    return true;
}
