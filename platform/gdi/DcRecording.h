#pragma once
// A recording device context hands each GDI call, after it changed the
// context's state, to its recorder; other device contexts have none.
#include "platform/gdi/CDC.h"
#include "platform/metafile/EmfRecordTypes.h"
#include "platform/metafile/MetaRecorder.h"

inline void recordCall(CDC& dc, uint32_t type, const EmrPayload& record = EmrNone{})
{
    if (MetaRecorder* r = dc.Recorder())
        r->Call(dc, type, record);
}
