#pragma once
// Path separators. Both "/" and "\" separate folders when a path is read;
// a separator these helpers add is the platform's own ("/" here).
#include <QString>

namespace OwUtil {

// The characters that count as separators: "/\".
const QString& PathSeparators();
bool IsPathSeparator(QChar c);
// The separator the helpers write.
QChar PlatformSeparator();

// Appends a separator to a non-empty path that does not end in one. Returns path.
QString& AppendSlash(QString& path);
// Removes one separator from the end of a non-empty path. Returns path.
QString& RemoveSlash(QString& path);
// Replaces every separator by two of the platform's ("\\" on Windows, "//" here),
// as needed where a separator must survive one round of unescaping. Returns text.
QString& ExpandSlashes(QString& text);
// Replaces every pair of adjacent separators by one platform separator; a
// single separator stays as it is, and a run of three becomes one platform
// separator followed by the third. Returns text.
QString& ReduceSlashes(QString& text);

} // namespace OwUtil
