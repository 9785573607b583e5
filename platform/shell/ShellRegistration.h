#pragma once
// Registration of the program's file types with the desktop, the way the
// platform registers a document type with its shell: a desktop entry (open
// and print actions reaching the program's own options), a shared-mime-info
// package for the types the system does not know, icons, and the default
// handler for the types nobody else handles. Everything written is listed in
// the desktop entry itself, so that unregistering removes exactly that and
// nothing else. Registering again changes nothing that is already right.
#include <QString>
#include <QStringList>
#include <vector>

struct ShellFileType {
    QString extension;   // ".emf"
    QString description; // "Enhanced Metafiles"
    QString iconPath;    // an SVG, usually in Qt's resources (":/...")
};

struct ShellRegistrationInfo {
    QString fileTypeId;   // "Lumivue.Document": names the desktop entry
    QString fileTypeName; // "Lumivue Document"
    QString appName;      // "Lumivue"
    QString genericName;  // "Image Viewer"
    QString program;      // the program's absolute path
    QStringList openArguments;  // before the files: e.g. "-DDE", "-Open"
    QStringList printArguments; // before the files: e.g. "-Print"
    QString iconPath;     // the application's SVG icon
    std::vector<ShellFileType> types;
};

class ShellRegistration {
public:
    // Writes or renews the registration. False when something could not be
    // written (a read-only data folder); what could be written stays listed.
    static bool Register(const ShellRegistrationInfo& info);
    // Removes what Register wrote for fileTypeId. True when nothing of it remains.
    static bool Unregister(const QString& fileTypeId);

    // Where the desktop entry of fileTypeId lives.
    static QString DesktopEntryPath(const QString& fileTypeId);
    // The MIME type the system gives files with extension (".emf"), or empty.
    static QString SystemMimeTypeFor(const QString& extension, const QStringList& ownTypes);
    // The MIME type defined for an extension the system does not know.
    static QString OwnMimeTypeFor(const QString& extension);
};
