#pragma once
// Reading INI files (see platform/profile/PrivateProfile.h for their rules).
#include <QString>

namespace OwUtil {

// The value of key in section of file (at most size - 1 characters), or
// defaultValue when there is none. With an empty key: the key names of the
// section joined by commas (empty for a missing section), as far as a list
// of names each ended by a zero, and the list by a second zero, fits into
// size characters.
QString GetIniString(const QString& section, const QString& key, const QString& file,
                     const QString& defaultValue, unsigned int size);

} // namespace OwUtil
