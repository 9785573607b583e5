#include "platform/metafile/EmfRecordTable.h"

#include "platform/metafile/EmfPlayOps.h"

#include <array>

namespace {

using namespace emfread;
using namespace emfplay;

const std::array<EmfRecordEntry, EmfLastRecordType + 1> table = [] {
    std::array<EmfRecordEntry, EmfLastRecordType + 1> t{};
#define LUMIVU_EMF_ENTRY(name, value, reader, player) \
    t[value] = EmfRecordEntry{value, #name, &reader, &player, &player != &playUnsupported};
    LUMIVU_EMF_RECORDS(LUMIVU_EMF_ENTRY)
#undef LUMIVU_EMF_ENTRY
    return t;
}();

} // namespace

const EmfRecordEntry* FindEmfRecord(uint32_t type)
{
    if (type == 0 || type > EmfLastRecordType)
        return nullptr;
    return &table[type];
}

const char* EmfRecordName(uint32_t type)
{
    const EmfRecordEntry* e = FindEmfRecord(type);
    return e ? e->name : nullptr;
}

bool ParseEmfRecord(uint32_t type, const uint8_t* bytes, size_t size, EmfRecord* out)
{
    const EmfRecordEntry* e = FindEmfRecord(type);
    if (!e || size < 8)
        return false;
    EmfByteReader in(bytes + 8, size - 8);
    out->type = type;
    out->size = uint32_t(size);
    return e->read(in, out->payload);
}
