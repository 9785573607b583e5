#pragma once
// INI files with the semantics of the Windows private-profile functions:
//  - "[section]" lines open sections, "key=value" lines hold values; section
//    and key names compare without regard to case, and the first occurrence
//    counts; names and values are trimmed of surrounding blanks;
//  - a value enclosed in a matching pair of double or single quotes is read
//    without them;
//  - every other line (comments, blank lines, text without "=") is kept as it
//    stands when the file is written;
//  - a write creates the file (and its section) when it does not exist yet,
//    and replaces the file only once the new content is complete.
// Files are UTF-8 (a byte-order mark is kept); a file whose lines end in
// CR LF keeps them. A file name without any folder lies in the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config), the counterpart of
// the Windows folder where the platform keeps such files; "\" separates
// folders like "/".
#include "platform/types/Win32Types.h"

#include <QString>
#include <QStringList>

// The file a profile name stands for.
QString ProfileFilePath(const QString& fileName);

// The value of key in section, or defaultValue (without its trailing blanks)
// when the file, the section or the key does not exist.
QString GetPrivateProfileString(const QString& section, const QString& key, const QString& defaultValue,
                                const QString& fileName);
// The value read as a decimal number (leading digits, an optional sign), or
// defaultValue when the key does not exist; text without digits reads as 0.
UINT GetPrivateProfileInt(const QString& section, const QString& key, int defaultValue,
                          const QString& fileName);
// The key names of section in file order (empty for a missing section or file).
QStringList GetPrivateProfileKeyNames(const QString& section, const QString& fileName);
// The section names in file order.
QStringList GetPrivateProfileSectionNames(const QString& fileName);

// Writes key=value into section, replacing the key's first occurrence.
// FALSE when the file cannot be read or written (or section or key is empty).
BOOL WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& fileName);
// Removes the key's lines from section (TRUE also when there was none).
BOOL DeletePrivateProfileKey(const QString& section, const QString& key, const QString& fileName);
// Removes the section's header and every line up to the next section.
BOOL DeletePrivateProfileSection(const QString& section, const QString& fileName);
