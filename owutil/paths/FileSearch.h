#pragma once
// Finding files and folders along a list of folders. The flags are the
// Windows file-attribute bits (platform/file/FileAttributes.h):
// FILE_ATTRIBUTE_DIRECTORY (16) asks for a folder instead of a file; the
// bits of 2471 (read-only 1, hidden 2, system 4, archive 32, normal 128,
// temporary 256, compressed 2048) name attributes that disqualify a match;
// other bits are ignored. On this platform a file is read-only when the user
// may not write it, hidden when its name begins with ".", system when it is
// neither a regular file nor a folder; archive, temporary and compressed are
// never set, and normal is a regular file with none of the others.
#include <QString>
#include <QStringList>

namespace OwUtil {

// The attribute bits that disqualify a match.
constexpr unsigned long DisqualifyingAttributes = 2471;

// Whether path exists as a folder (flags with 16) or as a non-folder
// (without), with none of the disqualifying attributes that flags names.
bool IsFileValid(const QString& path, unsigned long flags);

// Tries name (relative names against the current folder), then name's file
// part in each folder in order (for a folder search: each folder itself).
// The first valid candidate is stored in name and the result is true; when
// none is valid, name is unchanged and the result is false.
bool FindFileOrFolder(QString& name, const QStringList& folders, unsigned long flags);
// FindFileOrFolder for a file (bit 16 cleared) or a folder (bit 16 set).
bool FindFile(QString& name, const QStringList& folders, unsigned long flags);
bool FindFolder(QString& name, const QStringList& folders, unsigned long flags);
// The same with one folder (none when folder is empty).
bool FindFile(QString& name, const QString& folder, unsigned long flags);
bool FindFolder(QString& name, const QString& folder, unsigned long flags);

} // namespace OwUtil
