#pragma once
// What a recording device context hands its calls to. The metafile players
// tell the recorder where a playback starts and ends and give it every
// record after the device context played it, as the parsed struct when
// the record table knows its type (null otherwise) and as its bytes.
#include "platform/metafile/EmfRecords.h"

class CDC;
struct ENHMETARECORD;

class MetaRecorder {
public:
    virtual ~MetaRecorder() = default;
    // A playback begins on dc (after its set-up) or ends (before the DC's
    // state is restored). Playbacks nest: each has its own object indices.
    virtual void BeginPlayback(CDC& dc) = 0;
    virtual void EndPlayback(CDC& dc) = 0;
    virtual void Record(CDC& dc, const ENHMETARECORD& record, const EmrPayload* parsed) = 0;
};
