#pragma once
// The record table of EmfRecordTypes.h as data: for each record type its
// name, reader and player entry.
#include "platform/metafile/EmfRecordReaders.h"
#include "platform/metafile/EmfRecordTypes.h"

class CDC;
class EmfPlayback;
struct HANDLETABLE;

struct EmfPlayContext {
    CDC* dc;
    HANDLETABLE* table;
    UINT nHandles;
    EmfPlayback* playback; // null outside an enumeration
    uint32_t type;
};

using EmfPlayer = bool (*)(EmfPlayContext& ctx, const EmrPayload& record);

struct EmfRecordEntry {
    uint32_t type;
    const char* name;
    emfread::Reader read;
    EmfPlayer play;
    bool supported; // false: skipped until the engine plays it
};

// The entry for a record type, or null for a type outside MS-EMF.
const EmfRecordEntry* FindEmfRecord(uint32_t type);

// Parses one record (type and size included in bytes/size).
bool ParseEmfRecord(uint32_t type, const uint8_t* bytes, size_t size, EmfRecord* out);
