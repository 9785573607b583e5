#pragma once
// Readers of the WMF record table: each parses one record's parameters (the
// bytes after its size and function) into its plain struct, checking every
// count against the record's size. False: the record is malformed.
#include "platform/metafile/EmfByteReader.h"
#include "platform/metafile/WmfRecords.h"

namespace wmfread {

using Reader = bool (*)(EmfByteReader& in, uint16_t function, WmrPayload& out);

bool readWords(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readPoly(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readPolyPoly(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readRegion(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readTextOut(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readExtTextOut(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readFont(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readPalette(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readEscape(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readDibBrush(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readPatternBrush(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readDibBlt(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readBitmap16Blt(EmfByteReader& in, uint16_t function, WmrPayload& out);
bool readSetDibToDev(EmfByteReader& in, uint16_t function, WmrPayload& out);

// A device-dependent Bitmap16 object (MS-WMF 2.2.2.1) as a bottom-up DIB
// with a grey-scale palette; empty when it is malformed.
QByteArray Bitmap16ToDib(EmfByteReader& in);

} // namespace wmfread
