// EmfRecorder: the calls a program makes directly on a recording device
// context, and the objects they select.
#include "platform/metafile/EmfRecorder.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/metafile/EmfRecordBuilder.h"
#include "platform/metafile/EmfRecordTypes.h"

#include <algorithm>

bool EmfRecorder::IsBoxedShape(uint32_t type)
{
    switch (type) {
    case EMR_RECTANGLE:
    case EMR_ELLIPSE:
    case EMR_ROUNDRECT:
    case EMR_ARC:
    case EMR_ARCTO:
    case EMR_CHORD:
    case EMR_PIE:
        return true;
    default:
        return false;
    }
}

EmrInts EmfRecorder::RecordedBox(const EmrInts& call, int graphicsMode)
{
    // The platform's recorder (as Wine's enhanced-metafile driver) stores
    // the box of a rectangle, ellipse or arc inclusive: under GM_COMPATIBLE
    // with the right and bottom edges one logical unit in, where the call's
    // own box excludes them. Playing the record takes them one unit in once
    // more, so a recorded outline lies on the edge of a polygon filled over
    // the same corners, as on the platform. The box keeps the call's order:
    // players order it themselves, but LibreOffice maps a box that runs
    // against a flipped window into a hairline ellipse.
    EmrInts r = call;
    int32_t& l = r.v[0];
    int32_t& t = r.v[1];
    int32_t& rt = r.v[2];
    int32_t& b = r.v[3];
    if (l == rt || t == b)
        return r;
    if (graphicsMode == GM_COMPATIBLE) {
        (l > rt ? l : rt) -= 1;
        (t > b ? t : b) -= 1;
    }
    return r;
}

void EmfRecorder::Call(CDC& dc, uint32_t type, const EmrPayload& record)
{
    if (Quiet())
        return;
    if (IsMapping(type)) {
        writeMapping(dc);
        m_directMapping = true;
        return;
    }
    if (type == EMR_BITBLT) {
        // A pattern blit: EMR_BITBLT without a source (MS-EMF 2.3.1.2).
        const EmrInts& v = std::get<EmrInts>(record);
        EmfRecordBuilder b(EMR_BITBLT);
        b.Rect(RECT(0, 0, -1, -1)).I32(v.v[0]).I32(v.v[1]).I32(v.v[2]).I32(v.v[3]).U32(v.u(4)).I32(0).I32(0);
        b.F32(1).F32(0).F32(0).F32(1).F32(0).F32(0).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);
        write(b.Finish());
        return;
    }
    if (const EmrInts* box = std::get_if<EmrInts>(&record); box && IsBoxedShape(type) && box->count >= 4) {
        writePayload(type, RecordedBox(*box, dc.GetGraphicsMode()), QTransform());
        return;
    }
    writePayload(type, record, QTransform());
    if (type == EMR_RESTOREDC)
        writeMapping(dc);
}

void EmfRecorder::Select(CDC& dc, GdiObject* object)
{
    if (Quiet() || !object)
        return;
    // Objects the program deleted and no longer selects leave the table.
    const DcState& s = dc.State();
    for (auto it = m_objects.begin(); it != m_objects.end();) {
        GdiObject* o = it->first.get();
        if (o->IsDeleted() && o != object && o != s.pen.get() && o != s.brush.get() && o != s.palette.get()) {
            EmfRecordBuilder del(EMR_DELETEOBJECT);
            del.U32(it->second);
            write(del.Finish());
            release(it->second);
            it = m_objects.erase(it);
        } else {
            ++it;
        }
    }
    const uint32_t index = objectIndex(object);
    if (!index)
        return;
    EmfRecordBuilder b(object->Type() == OBJ_PAL ? EMR_SELECTPALETTE : EMR_SELECTOBJECT);
    b.U32(index);
    write(b.Finish());
}

uint32_t EmfRecorder::objectIndex(GdiObject* object)
{
    if (object->IsStock()) {
        for (int i = 0; i <= 19; ++i)
            if (GetStockObject(i) == object)
                return ENHMETA_STOCK_OBJECT | uint32_t(i);
        return 0;
    }
    const auto found =
        std::find_if(m_objects.begin(), m_objects.end(), [object](const auto& e) { return e.first.get() == object; });
    if (found != m_objects.end())
        return found->second;
    const uint32_t index = allocate();
    if (!writeCreate(object, index)) {
        release(index);
        return 0;
    }
    m_objects.emplace_back(GdiRef<GdiObject>(object), index);
    return index;
}

void EmfRecorder::FillRegion(CDC& dc, const std::vector<RECT>& rects, GdiObject* brush)
{
    if (Quiet() || !brush)
        return;
    EmrRegion r;
    r.hasData = true;
    r.rects = rects;
    r.brush = objectIndex(brush);
    if (!r.brush)
        return;
    // The index is already the metafile's: no playback maps it.
    EmfRecordBuilder b(EMR_FILLRGN);
    b.Rect(RECT(0, 0, -1, -1)).U32(EmfRecordBuilder::RegionDataSize(rects)).U32(r.brush).RegionData(rects);
    write(b.Finish());
    (void)dc;
}

bool EmfRecorder::writeCreate(GdiObject* object, uint32_t index)
{
    if (auto* pen = dynamic_cast<GdiPen*>(object)) {
        if (!pen->IsExtended()) {
            const LOGPEN p = pen->GetLogPen();
            EmfRecordBuilder b(EMR_CREATEPEN);
            b.U32(index).U32(p.lopnStyle).I32(p.lopnWidth.x).I32(p.lopnWidth.y).U32(p.lopnColor);
            write(b.Finish());
            return true;
        }
        // EMR_EXTCREATEPEN without a pattern bitmap (MS-EMF 2.3.7.9).
        EmfRecordBuilder b(EMR_EXTCREATEPEN);
        b.U32(index).U32(0).U32(0).U32(0).U32(0);
        b.U32(pen->RawStyle()).U32(uint32_t(pen->Width())).U32(pen->BrushStyle()).U32(pen->Color()).U32(0);
        b.U32(uint32_t(pen->StyleEntries().size()));
        for (DWORD e : pen->StyleEntries())
            b.U32(e);
        write(b.Finish());
        return true;
    }
    if (auto* brush = dynamic_cast<GdiBrush*>(object)) {
        EmfRecordBuilder b(EMR_CREATEBRUSHINDIRECT);
        b.U32(index).U32(brush->Style()).U32(brush->Color()).U32(uint32_t(brush->Hatch()));
        write(b.Finish());
        return true;
    }
    if (auto* palette = dynamic_cast<GdiPalette*>(object)) {
        const std::vector<PALETTEENTRY> entries = palette->Entries();
        EmfRecordBuilder b(EMR_CREATEPALETTE);
        b.U32(index).U16(0x0300).U16(uint16_t(entries.size()));
        for (const PALETTEENTRY& e : entries)
            b.U8(e.peRed).U8(e.peGreen).U8(e.peBlue).U8(e.peFlags);
        write(b.Finish());
        return true;
    }
    return false;
}
