#pragma once
// The PCX decoder. Scan lines are decoded one at a time straight into the
// final image, so decoding a PCX file costs the image and one line of
// memory. Runs that cross the end of a scan line, which many writers
// produce, carry over to the next line. A truncated file keeps the lines
// it holds; the rest of the image is black.
#include "raster/RasterDecodeResult.h"

class QIODevice;

class PcxDecoder {
public:
    static RasterDecodeResult Decode(QIODevice& device);
    // True when the device starts with a plausible PCX header.
    static bool Recognises(QIODevice& device);
};
