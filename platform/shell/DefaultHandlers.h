#pragma once
// Who handles a MIME type on this desktop (mimeapps.list defaults and the
// desktop entries that declare the type), and the user's own defaults that
// one program sets or takes back.
#include <QString>
#include <QStringList>

class DefaultHandlers {
public:
    // desktopId: the program's own desktop entry ("Lumivue.Document.desktop"),
    // which never counts as another handler.
    explicit DefaultHandlers(QString desktopId);

    // Some other program is the default for type, or declares that it opens it.
    bool HasHandler(const QString& type) const;
    // The user's defaults name this program for type.
    bool IsDefault(const QString& type) const;
    // Makes this program the user's default for claimed, and takes it back
    // from the types of previous that are not claimed any more (other
    // programs' entries stay). False when mimeapps.list cannot be written.
    bool SetClaims(const QStringList& claimed, const QStringList& previous) const;

    // The user's mimeapps.list.
    static QString UserListPath();

private:
    QStringList listFiles() const;
    QStringList applicationFolders() const;

    QString m_desktopId;
};
