#pragma once
// What a recording device context hands its calls to. The device context
// hands each GDI call as the plain record struct the metafile reader
// produces (Call, Select). The metafile players tell the recorder where a
// playback starts and ends and give it every record after the device
// context played it, as the parsed struct when the record table knows its
// type (null otherwise) and as its bytes; the calls the player makes on the
// device context meanwhile are not recorded twice.
#include "platform/metafile/EmfRecords.h"

#include <initializer_list>

class CDC;
class GdiObject;
struct ENHMETARECORD;

class MetaRecorder {
public:
    virtual ~MetaRecorder() = default;
    // A playback begins on dc (after its set-up) or ends (before the DC's
    // state is restored). Playbacks nest: each has its own object indices.
    virtual void BeginPlayback(CDC& dc) = 0;
    virtual void EndPlayback(CDC& dc) = 0;
    virtual void Record(CDC& dc, const ENHMETARECORD& record, const EmrPayload* parsed) = 0;

    // A GDI call made on dc, after it changed dc's state: its record type
    // and parameters (EmrNone for mapping calls, whose result the recorder
    // reads from dc).
    virtual void Call(CDC& dc, uint32_t type, const EmrPayload& record) = 0;
    // An object selected into dc (pen, brush, palette).
    virtual void Select(CDC& dc, GdiObject* object) = 0;
    // FillRgn: the region's rectangles in dc's device units and the brush.
    virtual void FillRegion(CDC& dc, const std::vector<RECT>& rects, GdiObject* brush) = 0;

    // While a player drives the device context, its calls are not recorded.
    bool Quiet() const { return m_quiet > 0; }
    class QuietScope {
    public:
        explicit QuietScope(MetaRecorder* r) : m_r(r) { if (m_r) ++m_r->m_quiet; }
        ~QuietScope() { if (m_r) --m_r->m_quiet; }
        QuietScope(const QuietScope&) = delete;
        QuietScope& operator=(const QuietScope&) = delete;
    private:
        MetaRecorder* m_r;
    };

    static EmrInts Ints(std::initializer_list<int32_t> values)
    {
        EmrInts r;
        for (int32_t v : values)
            if (r.count < 8)
                r.v[size_t(r.count++)] = v;
        return r;
    }

private:
    int m_quiet = 0;
};
