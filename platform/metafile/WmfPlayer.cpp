#include "platform/metafile/WmfPlayer.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/metafile/EmfPlayback.h"
#include "platform/metafile/EnhMetaFileDC.h"
#include "platform/metafile/MetaRecorder.h"
#include "platform/metafile/WmfPlayOps.h"

#include <algorithm>
#include <cstdlib>

namespace {

using namespace wmfread;
using namespace wmfplay;

const WmfRecordEntry table[] = {
#define LUMIVU_WMF_ENTRY(name, value, reader, player) WmfRecordEntry{value, #name, &reader, &player},
    LUMIVU_WMF_RECORDS(LUMIVU_WMF_ENTRY)
#undef LUMIVU_WMF_ENTRY
};

constexpr uint16_t MfComment = 0x000F;
constexpr uint32_t EnhMetaIdentifier = 0x43464D57; // "WMFC"

uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }

} // namespace

const WmfRecordEntry* FindWmfRecord(uint16_t function)
{
    for (const WmfRecordEntry& e : table)
        if (e.function == function)
            return &e;
    return nullptr;
}

const char* WmfRecordName(uint16_t function)
{
    const WmfRecordEntry* e = FindWmfRecord(function);
    return e ? e->name : nullptr;
}

bool WmfPlayContext::Emit(EmfRecordBuilder& record)
{
    const std::vector<uint8_t>& bytes = record.Finish();
    ENHMETARECORD r;
    r.iType = DWORD(le32(bytes.data()));
    r.nSize = DWORD(bytes.size());
    r.data = bytes.data();
    return PlayEnhMetaFileRecord(dc, &table, &r, UINT(table.objectHandle.size()));
}

int WmfPlayContext::FreeSlot() const
{
    for (size_t i = 0; i < objects.size(); ++i)
        if (objects[i].kind == WmfSlot::Free)
            return int(i);
    return -1;
}

BOOL PlayMetaFile(HDC dc, const WinMetaFile* metafile)
{
    if (!dc || !metafile)
        return FALSE;
    WmfPlayContext ctx;
    ctx.dc = dc;
    ctx.objects.resize(metafile->Header().objects);
    ctx.table.objectHandle.assign(size_t(metafile->Header().objects) + 1, nullptr);
    EmfPlayback playback(nullptr, dc->SaveLevel());
    ctx.table.playback = &playback;
    dc->ResetCancel();
    const DcState saved = dc->State();
    MetaRecorder* recorder = dc->Recorder();
    MetaRecorder::QuietScope quiet(recorder);
    if (recorder)
        recorder->BeginPlayback(*dc);

    BOOL result = TRUE;
    size_t offset = metafile->FirstRecord();
    METARECORD record;
    bool malformed = false;
    while (metafile->RecordAt(offset, &record, &malformed)) {
        offset += record.size;
        if (record.function == META_EOF)
            break;
        const WmfRecordEntry* entry = FindWmfRecord(record.function);
        if (!entry) {
            playback.Unknown(record.function);
            continue;
        }
        EmfByteReader in(record.data + 6, record.size - 6);
        WmrPayload payload;
        if (!entry->read(in, record.function, payload)) {
            malformed = true;
            break;
        }
        ctx.function = record.function;
        if (!entry->play(ctx, payload) || dc->IsCancelled()) {
            result = FALSE;
            break;
        }
        ++playback.Stats().played;
    }
    if (malformed) {
        playback.Stats().malformed = true;
        result = FALSE;
    }

    if (recorder)
        recorder->EndPlayback(*dc);
    while (dc->SaveLevel() > playback.BaseSaveLevel())
        dc->RestoreDC(playback.BaseSaveLevel() + 1);
    dc->ReplaceState(saved);
    for (size_t i = 1; i < ctx.table.objectHandle.size(); ++i)
        if (ctx.table.objectHandle[i])
            DeleteObject(ctx.table.objectHandle[i]);
    SetLastEmfPlaybackStats(playback.Stats());
    return result;
}

HENHMETAFILE EmbeddedEnhMetaFile(const WinMetaFile& metafile)
{
    // MFCOMMENT escapes with the ENHMETA comment type carry an EMF in
    // chunks (MS-WMF 2.3.6.1): it counts only when all of it is there.
    QByteArray emf;
    uint32_t total = 0;
    bool found = false;
    size_t offset = metafile.FirstRecord();
    METARECORD record;
    bool malformed = false;
    while (metafile.RecordAt(offset, &record, &malformed)) {
        offset += record.size;
        if (record.function != META_ESCAPE || record.size < 10 + 34)
            continue;
        const uint8_t* p = record.data + 6;
        const uint16_t function = uint16_t(p[0] | (p[1] << 8));
        const uint16_t count = uint16_t(p[2] | (p[3] << 8));
        if (function != MfComment || count < 34 || size_t(count) > record.size - 10)
            continue;
        const uint8_t* c = p + 4;
        if (le32(c) != EnhMetaIdentifier || le32(c + 4) != 1)
            continue;
        const uint32_t chunk = le32(c + 22), remaining = le32(c + 26), size = le32(c + 30);
        if (chunk > uint32_t(count) - 34 || qint64(size) > MaxEnhMetaFileBytes)
            return nullptr;
        if (!found) {
            found = true;
            total = size;
        }
        if (size != total || uint64_t(emf.size()) + chunk + remaining != total)
            return nullptr;
        emf.append(reinterpret_cast<const char*>(c + 34), chunk);
        if (remaining == 0)
            break;
    }
    if (!found || uint32_t(emf.size()) != total)
        return nullptr;
    return EnhMetaFile::FromBytes(emf).release();
}

HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* data, HDC refDC, const METAFILEPICT* pict)
{
    if (!data || size == 0)
        return nullptr;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    auto wmf = WinMetaFile::FromBytes(bytes);
    if (!wmf || wmf->Header().placeable.present)
        return nullptr;
    if (HENHMETAFILE embedded = EmbeddedEnhMetaFile(*wmf))
        return embedded;

    CDC screen;
    CDC* ref = refDC ? refDC : &screen;
    const int horzSize = std::max(1, ref->GetDeviceCaps(HORZSIZE)), vertSize = std::max(1, ref->GetDeviceCaps(VERTSIZE));
    const int horzRes = std::max(1, ref->GetDeviceCaps(HORZRES)), vertRes = std::max(1, ref->GetDeviceCaps(VERTRES));
    METAFILEPICT mfp;
    if (pict)
        mfp = *pict;
    const bool scaled = mfp.mm == MM_ANISOTROPIC || mfp.mm == MM_ISOTROPIC;
    const bool sized = scaled && mfp.xExt > 0 && mfp.yExt > 0;
    // A picture without a size is played over the whole reference device
    // and its frame is what it draws (the bounds), as the platform does.
    const long long xExt = sized ? mfp.xExt : horzSize * 100LL;
    const long long yExt = sized ? mfp.yExt : vertSize * 100LL;
    const RECT frame(0, 0, LONG(std::min<long long>(xExt, INT32_MAX)), LONG(std::min<long long>(yExt, INT32_MAX)));
    HDC dc = CreateEnhMetaFile(ref, QString(), sized ? &frame : nullptr, QString());
    if (!dc)
        return nullptr;
    if (mfp.mm >= MM_TEXT && mfp.mm <= MM_ANISOTROPIC)
        dc->SetMapMode(int(mfp.mm));
    if (scaled) {
        // The window starts as large as the viewport: one logical unit a
        // device pixel until the picture sets its own window.
        const int vx = int(std::clamp(xExt * horzRes / (horzSize * 100LL), 1LL, (long long)INT32_MAX));
        const int vy = int(std::clamp(yExt * vertRes / (vertSize * 100LL), 1LL, (long long)INT32_MAX));
        dc->SetViewportExt(vx, vy);
        dc->SetWindowExt(vx, vy);
    }
    PlayMetaFile(dc, wmf.get());
    return CloseEnhMetaFile(dc);
}

HENHMETAFILE ConvertWinMetaFile(const QByteArray& bytes)
{
    WmfHeader header;
    if (!WmfHeader::Parse(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), &header, nullptr))
        return nullptr;
    const QByteArray records = bytes.mid(qsizetype(header.recordsOffset - WmfHeader::Size));
    const WmfPlaceable& p = header.placeable;
    METAFILEPICT pict;
    if (p.present && p.inch > 0) {
        pict.xExt = LONG(std::llabs((long long)(p.bbox.right - p.bbox.left) * 2540 / p.inch));
        pict.yExt = LONG(std::llabs((long long)(p.bbox.bottom - p.bbox.top) * 2540 / p.inch));
    }
    return SetWinMetaFileBits(UINT(records.size()), reinterpret_cast<const BYTE*>(records.constData()), nullptr,
                              pict.xExt > 0 && pict.yExt > 0 ? &pict : nullptr);
}
