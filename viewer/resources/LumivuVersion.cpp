#include "platform/version/VersionResource.h"

// The version block of the viewer program. The About box reads it from the
// program's file: the product name, the product version ("major, minor,
// patch, build"; build 99 marks a final release) and the legal notice.
DEFINE_VERSION_BLOCK(
    VERSION_ENTRY("CompanyName", "Orrery Works")
    VERSION_ENTRY("FileDescription", "Lumivue metafile and image viewer")
    VERSION_ENTRY("FileVersion", "9, 0, 0, 99")
    VERSION_ENTRY("InternalName", "Lumivu")
    VERSION_ENTRY("LegalCopyright", "Copyright \xC2\xA9 2026 Orrery Works. All rights reserved.")
    VERSION_ENTRY("OriginalFilename", "Lumivu")
    VERSION_ENTRY("ProductName", "Lumivue")
    VERSION_ENTRY("ProductVersion", "9, 0, 0, 99"));
