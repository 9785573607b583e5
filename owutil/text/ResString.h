#pragma once
// String resources of any length.
#include "platform/module/CModule.h"

#include <QString>

namespace OwUtil {

// The string resource id of module, whatever its length; empty when the
// module has no such string (or module is null).
QString ResString(unsigned int id, HINSTANCE module);

} // namespace OwUtil
