#pragma once
// Playing enhanced metafiles on a device context with the platform's
// semantics: EnumEnhMetaFile maps the metafile's frame onto a rectangle,
// resets the DC to the playback defaults, hands every record to a callback
// (which may stop the enumeration) and restores the DC at the end;
// PlayEnhMetaFileRecord plays one record; PlayEnhMetaFile plays them all.
#include "platform/gdi/CDC.h"
#include "platform/metafile/EnhMetaFile.h"

#include <vector>

class EmfPlayback;

// The objects a metafile creates, by the index its records use. Index 0
// stands for the metafile itself and is never an object.
struct HANDLETABLE {
    std::vector<HGDIOBJ> objectHandle;
    EmfPlayback* playback = nullptr;
};

using ENHMFENUMPROC = int (*)(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int nHandles, void* data);

// TRUE when every record was enumerated; FALSE when the callback stopped it,
// a record did not fit, or the arguments are unusable.
BOOL EnumEnhMetaFile(HDC dc, HENHMETAFILE metafile, ENHMFENUMPROC callback, void* data, const RECT* rect);
// FALSE for a record that cannot be played (malformed) or a cancelled DC;
// records of unknown or unsupported types are skipped and count as played.
BOOL PlayEnhMetaFileRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, UINT nHandles);
BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect);
// Plays metafile with its own device units as dc's logical units instead of
// fitting its frame into a rectangle. Recorded on a device like the
// metafile's reference device, the copy keeps the records' own coordinates
// (a rectangle in whole units can only approximate that).
BOOL PlayEnhMetaFileUnscaled(HDC dc, HENHMETAFILE metafile);
