#pragma once
// Turns what a recording device context receives into an enhanced
// metafile: records of known types are written from their parsed structs,
// the rest verbatim with their object indices remapped. The metafile's own
// object indices are given out lowest first; each playback that records
// into it has its own map from its indices to these.
//
// Mapping: a recorded metafile has one coordinate space, the reference
// device's, while a playback draws through the player's outer transform
// and its own mapping records. A playback whose device units are the
// recording's (no outer transform, no mapping set by direct calls before
// it) keeps its mapping records as they are, so that every reader maps the
// copy as it maps the original. Otherwise, after each change, the recorder
// writes the device context's complete mapping (EmfMappingRecords: the
// page mapping with the outer transform in its viewport, and the world
// transform), and it moves the device-unit parameters (region data, brush
// origin, bounds) through the playback's outer transform.
#include "platform/gdi/GdiObject.h"
#include "platform/metafile/MetaRecorder.h"

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <map>
#include <optional>
#include <vector>

struct EmfRecorderSetup {
    SIZE devicePixels{1024, 768};
    SIZE deviceMillimeters{271, 203};
    std::optional<RECT> frame; // hundredths of a millimetre; none: from the bounds
    QString description;       // "application\0title\0\0", or empty
};

class EmfRecorder : public MetaRecorder {
public:
    explicit EmfRecorder(EmfRecorderSetup setup);

    void BeginPlayback(CDC& dc) override;
    void EndPlayback(CDC& dc) override;
    void Record(CDC& dc, const ENHMETARECORD& record, const EmrPayload* parsed) override;
    void Call(CDC& dc, uint32_t type, const EmrPayload& record) override;
    void Select(CDC& dc, GdiObject* object) override;
    void FillRegion(CDC& dc, const std::vector<RECT>& rects, GdiObject* brush) override;

    // The palette the end-of-file record and the header carry (the one
    // selected when the recording ends; none for the default palette).
    void SetPalette(std::vector<PALETTEENTRY> entries) { m_palette = std::move(entries); }
    // Device pixels that drawing reached.
    void AddBounds(const QRectF& device);
    // The complete metafile: header, records and end-of-file record; empty
    // when it grew past the largest metafile this program loads.
    QByteArray Finish() const;
    uint32_t RecordCount() const { return m_count; }
    // The box a recording stores for a call bounded by a logical rectangle
    // (v[0..3]: left, top, right, bottom), the rest of the call unchanged.
    static EmrInts RecordedBox(const EmrInts& call, int graphicsMode);
    // Rectangle, ellipse, rounded rectangle, arc, arc-to, chord and pie.
    static bool IsBoxedShape(uint32_t type);
    // The mapping records, which a recording holds as world transforms.
    static bool IsMapping(uint32_t type);

private:
    void write(const std::vector<uint8_t>& bytes);
    void write(const uint8_t* bytes, size_t size);
    void writeMapping(const CDC& dc);
    void writeState(const CDC& dc);
    uint32_t allocate();
    void release(uint32_t index);
    // The metafile's index for a playback's index; 0 when it has none.
    uint32_t mapped(DWORD source) const;
    bool writeObjectRecord(const ENHMETARECORD& record, const EmrPayload* parsed);
    bool writeFromStruct(const ENHMETARECORD& record, const EmrPayload& parsed, const QTransform& outer);
    bool writePayload(uint32_t type, const EmrPayload& parsed, const QTransform& outer);
    bool writeCreate(GdiObject* object, uint32_t index);
    // The metafile's index for an object of a direct call, created on first
    // use; 0 when it cannot be recorded.
    uint32_t objectIndex(GdiObject* object);
    void boundsFromRecord(const ENHMETARECORD& record, const QTransform& outer);

    EmfRecorderSetup m_setup;
    QByteArray m_records;
    uint32_t m_count = 0;
    std::vector<bool> m_used{true}; // index 0 is the metafile itself
    struct Scope {
        std::map<DWORD, uint32_t> objects; // a playback's indices to the metafile's
        bool verbatimMapping = false;      // its mapping records are written as they are
    };
    std::vector<Scope> m_scopes{Scope()};
    // Direct calls changed the mapping: a later playback's records no longer
    // start from the default mapping.
    bool m_directMapping = false;
    QRectF m_bounds;
    bool m_overflow = false;
    std::vector<PALETTEENTRY> m_palette;
    // Objects selected by direct calls, held so that their identity lasts.
    std::vector<std::pair<GdiRef<GdiObject>, uint32_t>> m_objects;
};
