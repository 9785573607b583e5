#pragma once
// Decoding through GraphicsMagick, for formats no installed Qt plugin reads
// (Sun raster, JNG, PAM...) and the variants Qt's readers leave out
// (colour-mapped Targa, unusual PCX). Only the coders of the format table
// are ever used; GraphicsMagick runs with resource limits derived from the
// raster layer's memory bound, without temporary files, without its signal
// handlers and on one thread.
#include "raster/RasterDecodeResult.h"
#include "raster/RasterFormatTable.h"

class QIODevice;

class MagickRasterDecoder {
public:
    static RasterDecodeResult Decode(QIODevice& device, const RasterFormatEntry& entry);
    // The table entry of the format GraphicsMagick recognises by the
    // content's signature; null for none or one outside the table.
    static const RasterFormatEntry* Recognise(QIODevice& device);
    // True when an installed coder of GraphicsMagick serves the entry.
    static bool Serves(const RasterFormatEntry& entry);
};
