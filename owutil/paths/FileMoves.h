#pragma once
// Temporary files, unused folder names, and moving files.
#include <QString>

namespace OwUtil {

// The first folder path under base that does not exist yet: base/name/, then
// base/name (2)/, base/name (3)/... (ending in a separator). Nothing is
// created. Empty when every number is taken.
QString FindUniqueSubPath(const QString& base, const QString& name);

// Creates a new, empty file of a unique name in the temporary folder (see
// GetTempFolder): prefix, four or more hexadecimal digits and ".tmp", only
// the user may read and write it. Its full path (UTF-8) goes into buffer
// (size bytes with the terminating zero). False, with no file left behind,
// when size is 0, the path does not fit, prefix holds a separator, or the
// file cannot be created.
bool GetTempFile(const char* prefix, unsigned int size, char* buffer);

// Moves the file or folder from to to (UTF-8 paths), without asking:
// into to when it is an existing folder, otherwise to that name, replacing
// an existing file and creating missing folders. Across file systems the
// data is copied and the original removed once the copy is complete, so
// that a failure leaves the original in place. True on success.
bool EasyMoveFile(const char* from, const char* to);

} // namespace OwUtil
