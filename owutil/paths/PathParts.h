#pragma once
// Taking paths apart and putting them together. Paths are split into
// server, share, directory and file as COXUNC does ("/" and "\" both
// separate), and results are composed from those parts.
#include <QString>

namespace OwUtil {

// The file part (name and extension): "readme.txt" of "C:\docs\readme.txt".
QString GetFileName(const QString& path);
// Sets the file part of path to name. Returns path.
QString& ReplaceFileName(QString& path, const QString& name);
// The path without its file part: "C:\docs\" of "C:\docs\readme.txt".
QString GetFileFolder(const QString& path);
// Sets the directory of path to that of folder (taken as a folder, with a
// separator appended where it has none); path keeps its server, share (or
// drive) and file part. Returns path.
QString& ReplaceFileFolder(QString& path, const QString& folder);
// folder, with a separator appended where it has none, followed by file.
QString MakePath(const QString& folder, const QString& file);

} // namespace OwUtil
