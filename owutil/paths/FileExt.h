#pragma once
// File-name extensions.
#include <QString>

namespace OwUtil {

// The extension of path's file part, without the dot and in the case in which
// it stands ("C:\img\photo.JPG" gives "JPG"); empty when the file part has no
// dot (a dot in a folder name does not count).
QString GetFileExt(const QString& path);

// Replaces the text after the last dot of the whole path by ext (given
// without a dot) and returns path. The last dot counts even when it lies in a
// folder name ("C:\my.dir\readme" with "txt" gives "C:\my.txt"); a path
// without any dot keeps its text.
QString& ReplaceFileExt(QString& path, const QString& ext);

} // namespace OwUtil
