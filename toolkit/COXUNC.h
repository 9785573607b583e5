#pragma once
// A path taken apart into server, share, directory and file, and composed
// back. Reading accepts both "/" and "\" as separators, so that paths written
// on Windows ("C:\dir\file.txt", "\\server\share\dir\file.txt") split the
// same way as POSIX paths ("/home/user/file.txt"):
//
//   text                          server     share    directory   file
//   \\srv\pub\docs\a.txt          \\srv      \pub     \docs\      a.txt
//   //srv/pub/a.txt               //srv      /pub     /           a.txt
//   C:\my.dir\readme              (empty)    C:       \my.dir\    readme
//   /home/user/a.txt              (empty)    (empty)  /home/user/ a.txt
//   notes/a.txt                   (empty)    (empty)  notes/      a.txt
//
// The four parts concatenate to Full(). The object keeps every separator it
// was given; the separators it adds itself (after a directory set without a
// trailing separator, between a UNC share and what follows) are "/", the
// platform's own.
#include "platform/file/FileAttributes.h"

#include <QString>

class COXUNC {
public:
    COXUNC() = default;
    explicit COXUNC(const QString& path) { Set(path); }

    // Splits path into the four parts (the previous parts are replaced).
    void Set(const QString& path);
    COXUNC& operator=(const QString& path)
    {
        Set(path);
        return *this;
    }

    // The parts. The setters take text as it should stand; SetDirectory adds
    // a trailing "/" to a non-empty directory that does not end in a
    // separator, so that folder and file names never run together.
    const QString& Server() const { return m_server; }
    const QString& Share() const { return m_share; }
    const QString& Directory() const { return m_directory; }
    const QString& File() const { return m_file; }
    void SetServer(const QString& server) { m_server = server; }
    void SetShare(const QString& share) { m_share = share; }
    void SetDirectory(const QString& directory);
    void SetFile(const QString& file) { m_file = file; }

    // server + share + directory + file, with a "/" inserted where a UNC
    // share would otherwise run into the directory or file.
    QString Full() const;
    // Full() as a path the file system understands here: every "\" becomes "/".
    QString FileSystemPath() const;

    // The file part without its extension, and the extension: the text from
    // the last dot of the file part on (".txt"), or without the dot ("txt").
    // A file part without a dot has an empty extension.
    QString Base() const;
    QString Extension(bool withDot = true) const;

    // Whether the path names an existing file or folder.
    bool Exists() const;

    // File attribute bits as the Windows file system reports them, mapped to
    // POSIX:
    //   FILE_ATTRIBUTE_READONLY   (1)   the user may not write it
    //   FILE_ATTRIBUTE_HIDDEN     (2)   its name begins with "." (not "." or "..")
    //   FILE_ATTRIBUTE_SYSTEM     (4)   neither a regular file nor a folder
    //                                   (device, pipe, socket)
    //   FILE_ATTRIBUTE_DIRECTORY  (16)  a folder
    //   FILE_ATTRIBUTE_NORMAL     (128) a regular file with none of the above
    //   archive (32), temporary (256) and compressed (2048) are never set.
    // Symbolic links are followed. A path that does not exist gives
    // INVALID_FILE_ATTRIBUTES (all ones).
    DWORD GetAttributes() const;

    // The path shortened to at most maxLength characters for display: the
    // root (server, share and the leading separator) and the file name are
    // kept and the folders next to the root are replaced by "...", as many
    // as needed ("C:\...\sub\file.txt"). When even "root...\file" is too
    // long, the root goes ("...\file"), then everything but the file name.
    // A file name that alone exceeds maxLength is returned whole when
    // atLeastFile is true, otherwise cut to maxLength characters.
    QString GetAbbreviation(int maxLength, bool atLeastFile = true) const;

    // The platform's nearest counterparts of the Windows folders, each as a
    // folder path ending in "/":
    //   GetWindowsDirectory  "/etc/"      system-wide settings of the installed system
    //   GetSystemDirectory   "/usr/lib/"  the system's shared libraries
    //   GetTempDirectory     $TMPDIR or "/tmp", the folder for temporary files
    static COXUNC GetWindowsDirectory();
    static COXUNC GetSystemDirectory();
    static COXUNC GetTempDirectory();

    static bool IsSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }
    // The separator the object adds, and the character that starts an extension.
    static constexpr char Separator = '/';
    static constexpr char Dot = '.';

    bool operator==(const COXUNC& other) const = default;

private:
    QString m_server;
    QString m_share;
    QString m_directory;
    QString m_file;
};
