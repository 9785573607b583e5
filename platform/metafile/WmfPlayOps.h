#pragma once
// The WMF record table as data, and the player entries: each turns one
// parsed WMF record into its enhanced-metafile record and plays that
// through the EMF record table on the context's device context.
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/EmfRecordBuilder.h"
#include "platform/metafile/WmfRecordReaders.h"
#include "platform/metafile/WmfRecordTypes.h"

#include <vector>

// The WMF object table: objects take the lowest free slot (MS-WMF 3.1.4.1).
// Slot i is EMF handle i + 1 in the table of the EMF records it becomes;
// regions stay here because EMF records carry their region data inline.
struct WmfSlot {
    enum Kind { Free, Object, Region, Palette, Font } kind = Free;
    std::vector<RECT> rects; // Region
    BYTE charSet = 0;        // Font
};

struct WmfPlayContext {
    CDC* dc = nullptr;
    HANDLETABLE table;
    std::vector<WmfSlot> objects;
    int selectedPalette = -1; // slot, -1 for the default palette
    BYTE charSet = 0;         // of the selected font
    uint16_t function = 0;
    // Region rectangles the playback may still hand out: a small hostile
    // file that selects a large region again and again must not turn into
    // endless work.
    size_t regionBudget = size_t(1) << 20;

    // Plays the built record; false when it could not be played.
    bool Emit(EmfRecordBuilder& record);
    // The lowest free slot, or -1 when the table is full.
    int FreeSlot() const;
    bool ValidSlot(int slot, WmfSlot::Kind kind) const
    {
        return slot >= 0 && size_t(slot) < objects.size() && objects[size_t(slot)].kind == kind;
    }
};

using WmfPlayer = bool (*)(WmfPlayContext& ctx, const WmrPayload& record);

struct WmfRecordEntry {
    uint16_t function;
    const char* name;
    wmfread::Reader read;
    WmfPlayer play;
};

// The entry for a function, or null for one outside MS-WMF.
const WmfRecordEntry* FindWmfRecord(uint16_t function);

namespace wmfplay {
#define LUMIVU_WMF_DECLARE_PLAYER(name, value, reader, player) bool player(WmfPlayContext& ctx, const WmrPayload& r);
LUMIVU_WMF_RECORDS(LUMIVU_WMF_DECLARE_PLAYER)
#undef LUMIVU_WMF_DECLARE_PLAYER
} // namespace wmfplay
