#pragma once
// Readers of the text and font records (EmfTextReaders.cpp).
#include "platform/metafile/EmfByteReader.h"
#include "platform/metafile/EmfRecords.h"

namespace emfread {

bool readCreateFont(EmfByteReader& in, EmrPayload& out);
bool readExtTextOutA(EmfByteReader& in, EmrPayload& out);
bool readExtTextOutW(EmfByteReader& in, EmrPayload& out);
bool readPolyTextOutA(EmfByteReader& in, EmrPayload& out);
bool readPolyTextOutW(EmfByteReader& in, EmrPayload& out);
bool readSmallTextOut(EmfByteReader& in, EmrPayload& out);

} // namespace emfread
