#pragma once
// Decoding through Qt's image I/O: the platform's codecs and the installed
// image format plugins.
#include "raster/RasterDecodeResult.h"
#include "raster/RasterFormatTable.h"

class QIODevice;

class QtRasterDecoder {
public:
    // Decodes the device's content as the entry's format. Only that format's
    // reader is asked: content of another format is NotThisFormat.
    static RasterDecodeResult Decode(QIODevice& device, const RasterFormatEntry& entry);
    // The table entry of the format Qt recognises in the content; null when
    // Qt recognises none, or one outside the table (SVG, WebP...).
    static const RasterFormatEntry* Recognise(QIODevice& device);
    // True when an installed Qt reader serves the entry.
    static bool Serves(const RasterFormatEntry& entry);
};
