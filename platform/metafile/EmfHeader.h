#pragma once
// The enhanced-metafile header record (MS-EMF 2.3.4.2) with its two
// extensions, parsed and validated from the first bytes of a file.
#include "platform/gdi/GdiDefs.h"

#include <QString>
#include <cstddef>
#include <cstdint>

struct EmfHeader {
    static constexpr uint32_t Signature = 0x464D4520; // " EMF"
    static constexpr uint32_t MinSize = 88;

    uint32_t headerSize = 0; // nSize of the header record
    RECT bounds;             // device units of the reference device, inclusive
    RECT frame;              // hundredths of a millimetre, inclusive
    uint32_t version = 0;
    uint32_t nBytes = 0;
    uint32_t nRecords = 0;
    uint16_t nHandles = 0;
    uint32_t nPalEntries = 0;
    SIZE device;      // reference device in pixels
    SIZE millimeters; // reference device in millimetres
    // Extension 1 (header of 100 bytes or more).
    uint32_t cbPixelFormat = 0, offPixelFormat = 0;
    bool openGL = false;
    // Extension 2 (108 bytes or more).
    SIZE micrometers;
    // The description as stored: "application\0title\0\0", or empty.
    QString description;

    // Parses and validates; on failure returns false and names the reason.
    static bool Parse(const uint8_t* data, size_t size, EmfHeader* out, QString* error);

    // The reference device's pixels per millimetre on each axis, from the
    // header's sizes (defaults when they are not positive).
    double PixelsPerMMX() const;
    double PixelsPerMMY() const;
};
