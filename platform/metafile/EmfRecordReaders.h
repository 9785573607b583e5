#pragma once
// Readers of the record table: each parses one record's parameters (the
// bytes after its type and size) into its plain struct, checking every
// count against the record's size. False: the record is malformed.
#include "platform/metafile/EmfByteReader.h"
#include "platform/metafile/EmfRecords.h"

namespace emfread {

using Reader = bool (*)(EmfByteReader& in, EmrPayload& out);

bool readNone(EmfByteReader& in, EmrPayload& out);
// Bitmap records (EmfBitmapReaders.cpp).
bool readBitBlt(EmfByteReader& in, EmrPayload& out);
bool readStretchBlt(EmfByteReader& in, EmrPayload& out);
bool readMaskBlt(EmfByteReader& in, EmrPayload& out);
bool readPlgBlt(EmfByteReader& in, EmrPayload& out);
bool readSetDIBitsToDevice(EmfByteReader& in, EmrPayload& out);
bool readStretchDIBits(EmfByteReader& in, EmrPayload& out);
bool readDibBrush(EmfByteReader& in, EmrPayload& out);
bool readGradientFill(EmfByteReader& in, EmrPayload& out);
bool readInts1(EmfByteReader& in, EmrPayload& out);
bool readInts2(EmfByteReader& in, EmrPayload& out);
bool readInts3(EmfByteReader& in, EmrPayload& out);
bool readInts4(EmfByteReader& in, EmrPayload& out);
bool readInts6(EmfByteReader& in, EmrPayload& out);
bool readInts8(EmfByteReader& in, EmrPayload& out);
bool readPoly32(EmfByteReader& in, EmrPayload& out);
bool readPoly16(EmfByteReader& in, EmrPayload& out);
bool readPolyPoly32(EmfByteReader& in, EmrPayload& out);
bool readPolyPoly16(EmfByteReader& in, EmrPayload& out);
bool readPolyDraw32(EmfByteReader& in, EmrPayload& out);
bool readPolyDraw16(EmfByteReader& in, EmrPayload& out);
bool readAngleArc(EmfByteReader& in, EmrPayload& out);
bool readXform(EmfByteReader& in, EmrPayload& out);
bool readXformMode(EmfByteReader& in, EmrPayload& out);
bool readMiterLimit(EmfByteReader& in, EmrPayload& out);
bool readCreatePen(EmfByteReader& in, EmrPayload& out);
bool readExtCreatePen(EmfByteReader& in, EmrPayload& out);
bool readCreateBrush(EmfByteReader& in, EmrPayload& out);
bool readCreatePalette(EmfByteReader& in, EmrPayload& out);
bool readPaletteEntries(EmfByteReader& in, EmrPayload& out);
bool readClipRgn(EmfByteReader& in, EmrPayload& out);
bool readFillRgn(EmfByteReader& in, EmrPayload& out);
bool readFrameRgn(EmfByteReader& in, EmrPayload& out);
bool readRgn(EmfByteReader& in, EmrPayload& out);
// EMR_BITBLT and EMR_STRETCHBLT: destination, raster operation and whether
// a source bitmap follows (v[0..3] x, y, cx, cy; v[4] rop; v[5] cbBmiSrc).

// Region data (RGNDATAHEADER and its rectangles) of cb bytes at the reader.
bool readRegionData(EmfByteReader& in, uint32_t cb, EmrRegion& out);

} // namespace emfread

#include "platform/metafile/EmfTextReaders.h"
