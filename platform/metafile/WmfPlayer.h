#pragma once
// Playing and converting Windows 3.x metafiles. Every record becomes its
// enhanced-metafile counterpart and plays through the EMF record table, so
// a WMF plays, and records into a recording device context, exactly as the
// equivalent EMF does.
#include "platform/gdi/CDC.h"
#include "platform/metafile/EnhMetaFile.h"
#include "platform/metafile/WinMetaFile.h"

// The platform's METAFILEPICT: the mapping mode and the picture's size in
// hundredths of a millimetre (MM_ANISOTROPIC / MM_ISOTROPIC).
struct METAFILEPICT {
    LONG mm = MM_ANISOTROPIC;
    LONG xExt = 0;
    LONG yExt = 0;
};

// Plays the records on dc with its current mapping (the platform's
// PlayMetaFile); the DC's state is restored at the end. FALSE when a record
// was malformed or the DC was cancelled; what was drawn stays.
BOOL PlayMetaFile(HDC dc, const WinMetaFile* metafile);

// Converts a WMF to an enhanced metafile as the platform does: an enhanced
// metafile embedded in MFCOMMENT escapes when it is complete, otherwise the
// records played onto a recording device context whose frame is the
// picture's size (pict; without it the picture is played over the whole
// reference device and framed by what it draws). size and
// data are the standard metafile (no placeable header). Null on failure.
HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* data, HDC refDC, const METAFILEPICT* pict);

// SetWinMetaFileBits for a file's bytes: the placeable header, when there
// is one, gives the size from its bounding box and units per inch.
HENHMETAFILE ConvertWinMetaFile(const QByteArray& bytes);

// The enhanced metafile embedded in the MFCOMMENT "ENHMETA" escapes of a
// WMF, or null when there is none or it is incomplete.
HENHMETAFILE EmbeddedEnhMetaFile(const WinMetaFile& metafile);
