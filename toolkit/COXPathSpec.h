#pragma once
// A file path as drive, directory, base name and extension. It reads
// "/" and "\" as separators; a drive ("C:") is only ever present in paths
// written for Windows, a POSIX path has none. GetPath composes the four parts
// back: drive + directory + base name + "." + extension.
#include <QString>

class COXPathSpec {
public:
    COXPathSpec() = default;
    explicit COXPathSpec(const QString& path) { SetPath(path); }

    // Splits path into the four parts. Returns false (and keeps the previous
    // parts) for a path that holds a character no file name may hold (a zero).
    bool SetPath(const QString& path);
    QString GetPath() const;

    const QString& GetDrive() const { return m_drive; }
    // The directory, ending in a separator unless it is empty.
    const QString& GetDirectory() const { return m_directory; }
    const QString& GetBaseName() const { return m_baseName; }
    // The extension without its dot.
    QString GetExtension() const { return m_extension.mid(1); }
    // Base name and extension.
    QString GetFileName() const { return m_baseName + m_extension; }

    void SetDrive(const QString& drive) { m_drive = drive; }
    void SetDirectory(const QString& directory);
    void SetBaseName(const QString& baseName) { m_baseName = baseName; }
    // ext with or without its leading dot; empty removes the extension.
    void SetExtension(const QString& ext);
    void SetFileName(const QString& fileName);

    // Whether the path is absolute: a drive with a rooted directory,
    // or a directory that starts with a separator.
    bool IsAbsolute() const;
    // Makes a relative path absolute against the current folder and
    // removes "." and ".." folders; separators become "/". A path
    // written for another drive cannot be resolved here and stays as it is
    // (the result is then false).
    bool MakeAbsolute();

    // Whether the composed path names an existing file (or, with an empty
    // file name, an existing folder).
    bool Exists() const;

    bool operator==(const COXPathSpec& other) const = default;

private:
    QString m_drive;
    QString m_directory;
    QString m_baseName;
    QString m_extension; // with its dot, so that "name." keeps the dot
};
