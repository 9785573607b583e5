#pragma once
// The thumbnailer's entry for the desktop's file managers, per the
// freedesktop thumbnail standard: a key file in a "thumbnailers"
// folder of the data folders naming the program (TryExec), its command
// line (Exec, with %s the size, %u the file's URI, %o the output) and the
// MIME types it thumbnails: the metafiles always, and those raster types
// of the viewer that no other installed thumbnailer claims.
#include <QByteArray>
#include <QString>
#include <QStringList>

class ThumbnailerEntry {
public:
    // The enhanced and Windows 3.x metafile types, with their aliases.
    static QStringList MetafileTypes();
    // The raster types the viewer opens that a thumbnailer may serve.
    static QStringList RasterTypes();
    // The types of the raster list that no entry in the given thumbnailers
    // folders (other than this program's own) lists, under any alias.
    static QStringList UnclaimedRasterTypes(const QStringList& folders);

    // The entry's text for program (an absolute path, or a name on PATH).
    static QByteArray Text(const QString& program, const QStringList& mimeTypes);
    // $XDG_DATA_HOME/thumbnailers/lumivu.thumbnailer
    static QString UserPath();
    // Writes the user's entry for program; false with the reason.
    static bool Register(const QString& program, QString* error);
    // Removes the user's entry if it is this program's; true when no entry
    // of ours remains.
    static bool Unregister(QString* error);
    // The file at path is an entry this program wrote.
    static bool IsOurs(const QString& path);
};
