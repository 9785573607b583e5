#pragma once
// Which decoders serve each format id, as data: the Qt image I/O formats to
// try first, whether the built-in PCX decoder applies, and the
// GraphicsMagick coders that read what no installed Qt plugin reads. Content
// recognition only ever accepts a format listed here, so a file can never
// reach a coder outside this table (GraphicsMagick also knows PostScript,
// SVG, its own scripting formats and more, none of which belong here).
#include "raster/RasterFormat.h"

#include <QByteArray>

#include <array>
#include <span>

struct RasterFormatEntry {
    int id = RASTER_FORMAT_UNKNOWN;
    const char* name = "";                   // for messages and tests
    std::array<const char*, 4> qtFormats{};  // Qt image I/O format names
    bool builtinPcx = false;
    std::array<const char*, 3> magickCoders{}; // GraphicsMagick coder names
    bool largestImage = false;               // icons show their largest image
};

class RasterFormatTable {
public:
    static std::span<const RasterFormatEntry> Entries();
    // The entry of a format id; null for ids no decoder serves (0, WMF, SKA,
    // the absent 16, anything out of range).
    static const RasterFormatEntry* Find(int id);
    // The entry whose Qt format list holds the name Qt recognised; null
    // when no entry accepts it.
    static const RasterFormatEntry* FindByQtFormat(const QByteArray& qtFormat);
    // The entry whose coder list holds a GraphicsMagick coder name.
    static const RasterFormatEntry* FindByMagickCoder(const QByteArray& coder);
};
