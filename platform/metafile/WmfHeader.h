#pragma once
// The headers of a Windows 3.x metafile (MS-WMF 2.3.2): the optional
// placeable header that programs put before the metafile to give it a size,
// and the standard META_HEADER.
#include "platform/gdi/GdiDefs.h"

#include <QString>
#include <cstddef>
#include <cstdint>

struct WmfPlaceable {
    static constexpr uint32_t Key = 0x9AC6CDD7;
    static constexpr size_t Size = 22;

    bool present = false;
    RECT bbox;           // logical units, as stored (16-bit)
    uint16_t inch = 0;   // logical units per inch; 0 leaves the size unknown
    bool checksumOk = false;
};

struct WmfHeader {
    static constexpr size_t Size = 18;

    WmfPlaceable placeable;
    uint16_t type = 0;       // 1 memory, 2 disk
    uint16_t headerWords = 0;
    uint16_t version = 0;    // 0x0100 or 0x0300
    uint32_t sizeWords = 0;  // the whole metafile, in 16-bit words
    uint16_t objects = 0;    // entries of the object table
    uint32_t maxRecordWords = 0;
    size_t recordsOffset = 0; // where the first record starts in the bytes

    // Parses both headers. A placeable header whose checksum is wrong is
    // accepted, as the platform does; *error names the reason on failure.
    static bool Parse(const uint8_t* data, size_t size, WmfHeader* out, QString* error);
};
