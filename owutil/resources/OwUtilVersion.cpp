#include "platform/version/VersionResource.h"

// The version block of libOwUtil.so.
DEFINE_VERSION_BLOCK(
    VERSION_ENTRY("CompanyName", "Orrery Works")
    VERSION_ENTRY("FileDescription", "OwUtil utility library")
    VERSION_ENTRY("FileVersion", "9, 0, 0, 99")
    VERSION_ENTRY("InternalName", "OwUtil")
    VERSION_ENTRY("LegalCopyright", "Copyright \xC2\xA9 2026 Orrery Works. All rights reserved.")
    VERSION_ENTRY("OriginalFilename", "libOwUtil.so")
    VERSION_ENTRY("ProductName", "Lumivue")
    VERSION_ENTRY("ProductVersion", "9, 0, 0, 99"));
