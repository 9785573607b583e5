#include "platform/metafile/EmfPlayer.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/metafile/EmfPlayback.h"
#include "platform/metafile/EmfRecordTable.h"
#include "platform/metafile/MetaRecorder.h"

#include <cmath>

namespace {

// The transform from the metafile's device units to the caller's logical
// rectangle: the frame (hundredths of a millimetre, through the reference
// device's pixels per millimetre) fills rect.
QTransform frameToRect(const EmfHeader& h, const RECT& rect)
{
    const double fw = double(h.frame.right) - h.frame.left;
    const double fh = double(h.frame.bottom) - h.frame.top;
    if (fw == 0 || fh == 0)
        return QTransform();
    const double rw = double(rect.right) - rect.left, rh = double(rect.bottom) - rect.top;
    const double mmPerPixelX = 1.0 / h.PixelsPerMMX(), mmPerPixelY = 1.0 / h.PixelsPerMMY();
    const double sx = rw * 100.0 / fw * mmPerPixelX;
    const double sy = rh * 100.0 / fh * mmPerPixelY;
    const double dx = rect.left - rw / fw * h.frame.left;
    const double dy = rect.top - rh / fh * h.frame.top;
    return QTransform(sx, 0, 0, sy, dx, dy);
}

bool finiteTransform(const QTransform& t)
{
    return std::isfinite(t.m11()) && std::isfinite(t.m22()) && std::isfinite(t.dx()) && std::isfinite(t.dy()) &&
           std::isfinite(t.m12()) && std::isfinite(t.m21());
}

int playCallback(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int nHandles, void*)
{
    return PlayEnhMetaFileRecord(dc, table, record, UINT(nHandles));
}

// EnumEnhMetaFile with the transform from the metafile's device units to
// the caller's logical units (placement) given or not needed (no dc).
BOOL enumerate(HDC dc, HENHMETAFILE metafile, ENHMFENUMPROC callback, void* data, const QTransform& placement)
{
    const EmfHeader& header = metafile->Header();
    const UINT nHandles = std::max<UINT>(1, header.nHandles);
    HANDLETABLE table;
    table.objectHandle.assign(nHandles, nullptr);
    EmfPlayback playback(metafile, dc ? dc->SaveLevel() : 0);
    table.playback = &playback;

    MetaRecorder::QuietScope quiet(dc ? dc->Recorder() : nullptr);
    DcState saved;
    if (dc) {
        // CancelDC cancels what is pending: a cancel that ended an earlier
        // playback does not stop this one (the caller's stop request, polled
        // by its callback, covers a stop that comes before the start).
        dc->ResetCancel();
        saved = dc->State();
        // The playback defaults: the metafile's own coordinate spaces start
        // fresh (MM_TEXT, identity world transform, advanced graphics mode)
        // under a transform that puts its frame into rect through the
        // caller's mapping; colours and modes are reset; the caller's clip
        // becomes the meta region, which the metafile's clipping cannot
        // widen. Pen, brush and background mode stay the caller's.
        QTransform outer = placement * saved.mapping.ToDevice();
        if (!finiteTransform(outer))
            outer = QTransform();
        DcState st = saved;
        st.mapping = DcMapping();
        DcMapping::Metrics m;
        m.horzSizeMM = header.millimeters.cx > 0 ? header.millimeters.cx : 320;
        m.vertSizeMM = header.millimeters.cy > 0 ? header.millimeters.cy : 240;
        m.horzRes = header.device.cx > 0 ? header.device.cx : 1024;
        m.vertRes = header.device.cy > 0 ? header.device.cy : 768;
        st.mapping.SetMetrics(m);
        st.mapping.SetGraphicsMode(GM_ADVANCED);
        st.mapping.SetPlaybackTransform(outer);
        st.textColor = RGB(0, 0, 0);
        st.bkColor = RGB(255, 255, 255);
        st.textAlign = 0;
        st.rop2 = R2_COPYPEN;
        st.arcDirection = AD_COUNTERCLOCKWISE;
        st.polyFillMode = ALTERNATE;
        st.stretchBltMode = BLACKONWHITE;
        st.path.Clear();
        st.pathOpen = false;
        st.curPos = POINT();
        st.miterLimit = 10.0f;
        dc->ReplaceState(std::move(st));
        dc->SetMetaRgn();
        if (MetaRecorder* recorder = dc->Recorder())
            recorder->BeginPlayback(*dc);
    }

    BOOL result = TRUE;
    size_t offset = 0;
    ENHMETARECORD record;
    bool malformed = false;
    while (metafile->RecordAt(offset, &record, &malformed)) {
        if (!callback(dc, &table, &record, int(nHandles), data)) {
            result = FALSE;
            break;
        }
        ++playback.Stats().played;
        offset += record.nSize;
        if (record.iType == EMR_EOF)
            break;
    }
    if (malformed) {
        playback.Stats().malformed = true;
        result = FALSE;
    }

    if (dc) {
        if (MetaRecorder* recorder = dc->Recorder())
            recorder->EndPlayback(*dc);
        while (dc->SaveLevel() > playback.BaseSaveLevel())
            dc->RestoreDC(playback.BaseSaveLevel() + 1);
        dc->ReplaceState(std::move(saved));
    }
    for (size_t i = 1; i < table.objectHandle.size(); ++i)
        if (table.objectHandle[i])
            DeleteObject(table.objectHandle[i]);
    SetLastEmfPlaybackStats(playback.Stats());
    return result;
}

} // namespace

BOOL EnumEnhMetaFile(HDC dc, HENHMETAFILE metafile, ENHMFENUMPROC callback, void* data, const RECT* rect)
{
    if (!metafile || !callback || (dc && !rect))
        return FALSE;
    return enumerate(dc, metafile, callback, data, dc ? frameToRect(metafile->Header(), *rect) : QTransform());
}

BOOL PlayEnhMetaFileUnscaled(HDC dc, HENHMETAFILE metafile)
{
    if (!dc || !metafile)
        return FALSE;
    return enumerate(dc, metafile, playCallback, nullptr, QTransform());
}

BOOL PlayEnhMetaFileRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, UINT nHandles)
{
    if (!dc || !table || !record || !record->data || record->nSize < 8)
        return FALSE;
    if (dc->IsCancelled())
        return FALSE;
    nHandles = std::min<UINT>(nHandles, UINT(table->objectHandle.size()));
    const EmfRecordEntry* entry = FindEmfRecord(record->iType);
    MetaRecorder* recorder = dc->Recorder();
    if (!entry || !entry->supported) {
        if (table->playback) {
            if (entry)
                table->playback->Skipped(record->iType);
            else
                table->playback->Unknown(record->iType);
        }
        // A recording keeps what this engine cannot play yet, as it is.
        if (recorder)
            recorder->Record(*dc, *record, nullptr);
        return TRUE;
    }
    EmfByteReader in(record->data + 8, record->nSize - 8);
    EmrPayload payload;
    if (!entry->read(in, payload))
        return FALSE;
    EmfPlayContext ctx{dc, table, nHandles, table->playback, record->iType};
    bool ok;
    {
        MetaRecorder::QuietScope quiet(recorder);
        ok = entry->play(ctx, payload);
    }
    if (recorder)
        recorder->Record(*dc, *record, &payload);
    return ok && !dc->IsCancelled() ? TRUE : FALSE;
}

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect)
{
    return EnumEnhMetaFile(dc, metafile, playCallback, nullptr, rect);
}
