#include "platform/metafile/EmfRecorder.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/metafile/EmfMappingRecords.h"
#include "platform/metafile/EmfRecordBuilder.h"
#include "platform/metafile/EmfRecordTable.h"
#include "platform/metafile/EmfRecordTypes.h"
#include "platform/metafile/EnhMetaFile.h"

#include <algorithm>
#include <cmath>

bool EmfRecorder::IsMapping(uint32_t type)
{
    switch (type) {
    case EMR_SETWINDOWEXTEX: case EMR_SETWINDOWORGEX: case EMR_SETVIEWPORTEXTEX: case EMR_SETVIEWPORTORGEX:
    case EMR_SETMAPMODE: case EMR_SCALEVIEWPORTEXTEX: case EMR_SCALEWINDOWEXTEX: case EMR_SETWORLDTRANSFORM:
    case EMR_MODIFYWORLDTRANSFORM:
        return true;
    default:
        return false;
    }
}

namespace {

bool createsObject(uint32_t type)
{
    switch (type) {
    case EMR_CREATEPEN: case EMR_CREATEBRUSHINDIRECT: case EMR_EXTCREATEPEN: case EMR_CREATEPALETTE:
    case EMR_EXTCREATEFONTINDIRECTW: case EMR_CREATEDIBPATTERNBRUSHPT: case EMR_CREATEMONOBRUSH:
    case EMR_CREATECOLORSPACE: case EMR_CREATECOLORSPACEW:
        return true;
    default:
        return false;
    }
}

// Records whose first parameter names an existing object.
bool usesObject(uint32_t type)
{
    switch (type) {
    case EMR_SELECTOBJECT: case EMR_DELETEOBJECT: case EMR_SELECTPALETTE: case EMR_SETPALETTEENTRIES:
    case EMR_RESIZEPALETTE: case EMR_SETCOLORSPACE: case EMR_DELETECOLORSPACE:
        return true;
    default:
        return false;
    }
}

// Drawing records that start with their bounds in device units, for the
// types this engine does not play itself yet.
bool hasBounds(uint32_t type)
{
    switch (type) {
    case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW: case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW:
    case EMR_STRETCHDIBITS: case EMR_SETDIBITSTODEVICE: case EMR_BITBLT: case EMR_STRETCHBLT:
    case EMR_MASKBLT: case EMR_PLGBLT: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT: case EMR_GRADIENTFILL:
        return true;
    default:
        return false;
    }
}

uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }

void put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

} // namespace

EmfRecorder::EmfRecorder(EmfRecorderSetup setup) : m_setup(std::move(setup)) {}

void EmfRecorder::write(const uint8_t* bytes, size_t size)
{
    // A metafile this program could not load again is not written.
    if (m_overflow || uint64_t(m_records.size()) + size > uint64_t(MaxEnhMetaFileBytes) - 4096) {
        m_overflow = true;
        return;
    }
    m_records.append(reinterpret_cast<const char*>(bytes), qsizetype(size));
    ++m_count;
}

void EmfRecorder::write(const std::vector<uint8_t>& bytes) { write(bytes.data(), bytes.size()); }

void EmfRecorder::writeMapping(const CDC& dc)
{
    for (const std::vector<uint8_t>& record : EmfMappingRecords::For(dc.State().mapping))
        write(record);
}

void EmfRecorder::writeState(const CDC& dc)
{
    const DcState& s = dc.State();
    auto one = [this](uint32_t type, uint32_t v) {
        EmfRecordBuilder b(type);
        b.U32(v);
        write(b.Finish());
    };
    one(EMR_SETTEXTCOLOR, s.textColor);
    one(EMR_SETBKCOLOR, s.bkColor);
    one(EMR_SETBKMODE, uint32_t(s.bkMode));
    one(EMR_SETTEXTALIGN, s.textAlign);
    one(EMR_SETROP2, uint32_t(s.rop2));
    one(EMR_SETPOLYFILLMODE, uint32_t(s.polyFillMode));
    one(EMR_SETSTRETCHBLTMODE, uint32_t(s.stretchBltMode));
    one(EMR_SETARCDIRECTION, uint32_t(s.arcDirection));
    EmfRecordBuilder m(EMR_SETMITERLIMIT);
    m.F32(s.miterLimit);
    write(m.Finish());
    EmfRecordBuilder mv(EMR_MOVETOEX);
    mv.I32(s.curPos.x).I32(s.curPos.y);
    if (!m_scopes.back().verbatimMapping)
        writeMapping(dc);
    write(mv.Finish());
}

void EmfRecorder::BeginPlayback(CDC& dc)
{
    EmfRecordBuilder save(EMR_SAVEDC);
    write(save.Finish());
    Scope scope;
    scope.verbatimMapping = m_scopes.size() == 1 && !m_directMapping && dc.State().mapping.PlaybackTransform().isIdentity();
    m_scopes.push_back(std::move(scope));
    writeState(dc);
}

void EmfRecorder::EndPlayback(CDC& dc)
{
    // The playback's state, its mapping included, ends with it; its objects
    // are deleted once they are no longer selected.
    (void)dc;
    EmfRecordBuilder restore(EMR_RESTOREDC);
    restore.I32(-1);
    write(restore.Finish());
    if (m_scopes.size() > 1) {
        for (const auto& [source, index] : m_scopes.back().objects) {
            EmfRecordBuilder del(EMR_DELETEOBJECT);
            del.U32(index);
            write(del.Finish());
            release(index);
        }
        m_scopes.pop_back();
    }
}

uint32_t EmfRecorder::allocate()
{
    for (size_t i = 1; i < m_used.size(); ++i)
        if (!m_used[i]) {
            m_used[i] = true;
            return uint32_t(i);
        }
    m_used.push_back(true);
    return uint32_t(m_used.size() - 1);
}

void EmfRecorder::release(uint32_t index)
{
    if (index > 0 && index < m_used.size())
        m_used[index] = false;
}

uint32_t EmfRecorder::mapped(DWORD source) const
{
    const auto& objects = m_scopes.back().objects;
    const auto it = objects.find(source);
    return it == objects.end() ? 0 : it->second;
}

void EmfRecorder::AddBounds(const QRectF& device)
{
    if (device.width() < 0 || device.height() < 0 || !std::isfinite(device.left()) || !std::isfinite(device.right()) ||
        !std::isfinite(device.top()) || !std::isfinite(device.bottom()))
        return;
    m_bounds = m_bounds.isNull() ? device : m_bounds.united(device);
}

bool EmfRecorder::writeObjectRecord(const ENHMETARECORD& record, const EmrPayload* parsed)
{
    if (record.nSize < 12)
        return false;
    const DWORD source = le32(record.data + 8);
    if (createsObject(record.iType)) {
        auto& objects = m_scopes.back().objects;
        if (const uint32_t old = mapped(source)) {
            // A writer that reuses an index without deleting its object.
            EmfRecordBuilder del(EMR_DELETEOBJECT);
            del.U32(old);
            write(del.Finish());
            release(old);
        }
        const uint32_t index = allocate();
        objects[source] = index;
        std::vector<uint8_t> bytes(record.data, record.data + record.nSize);
        if (parsed && std::holds_alternative<EmrCreatePen>(*parsed)) {
            const LOGPEN& p = std::get<EmrCreatePen>(*parsed).pen;
            EmfRecordBuilder b(EMR_CREATEPEN);
            b.U32(index).U32(p.lopnStyle).I32(p.lopnWidth.x).I32(p.lopnWidth.y).U32(p.lopnColor);
            write(b.Finish());
            return true;
        }
        if (parsed && std::holds_alternative<EmrCreateBrush>(*parsed)) {
            const LOGBRUSH& br = std::get<EmrCreateBrush>(*parsed).brush;
            EmfRecordBuilder b(EMR_CREATEBRUSHINDIRECT);
            b.U32(index).U32(br.lbStyle).U32(br.lbColor).U32(uint32_t(br.lbHatch));
            write(b.Finish());
            return true;
        }
        put32(bytes.data() + 8, index);
        write(bytes);
        return true;
    }
    // A stock object keeps its index; an index the playback never created
    // names nothing, and the record is dropped as the player ignores it.
    const uint32_t index = (source & ENHMETA_STOCK_OBJECT) ? source : mapped(source);
    if (!index)
        return true;
    std::vector<uint8_t> bytes(record.data, record.data + record.nSize);
    put32(bytes.data() + 8, index);
    write(bytes);
    if (record.iType == EMR_DELETEOBJECT && !(source & ENHMETA_STOCK_OBJECT)) {
        m_scopes.back().objects.erase(source);
        release(index);
    }
    return true;
}

void EmfRecorder::boundsFromRecord(const ENHMETARECORD& record, const QTransform& outer)
{
    if (record.nSize < 24)
        return;
    const RECT r(LONG(le32(record.data + 8)), LONG(le32(record.data + 12)), LONG(le32(record.data + 16)),
                 LONG(le32(record.data + 20)));
    if (r.right < r.left || r.bottom < r.top)
        return;
    AddBounds(outer.mapRect(QRectF(QPointF(r.left, r.top), QPointF(r.right + 1.0, r.bottom + 1.0))));
}

void EmfRecorder::Record(CDC& dc, const ENHMETARECORD& record, const EmrPayload* parsed)
{
    const uint32_t type = record.iType;
    if (type == EMR_HEADER || type == EMR_EOF || !record.data || record.nSize < 8)
        return;
    if (IsMapping(type)) {
        if (m_scopes.back().verbatimMapping)
            write(record.data, record.nSize);
        else
            writeMapping(dc);
        return;
    }
    if (createsObject(type) || usesObject(type)) {
        writeObjectRecord(record, parsed);
        return;
    }
    const QTransform outer = dc.State().mapping.PlaybackTransform();
    const bool complete = parsed && !(std::holds_alternative<EmrNone>(*parsed) && record.nSize != 8);
    // A played shape is recorded as the call it makes on this device.
    if (const EmrInts* box = parsed ? std::get_if<EmrInts>(parsed) : nullptr;
        box && IsBoxedShape(type) && box->count >= 4) {
        writePayload(type, RecordedBox(*box, dc.GetGraphicsMode()), outer);
        return;
    }
    if (!complete || !writeFromStruct(record, *parsed, outer)) {
        const EmfRecordEntry* entry = FindEmfRecord(type);
        if (hasBounds(type) && (!entry || !entry->supported))
            boundsFromRecord(record, outer);
        write(record.data, record.nSize);
    }
    // The restored state brings back its mapping, which the metafile holds
    // at that level; written again for clarity of the record stream's state.
    if (type == EMR_RESTOREDC && !m_scopes.back().verbatimMapping)
        writeMapping(dc);
}

QByteArray EmfRecorder::Finish() const
{
    if (m_overflow)
        return QByteArray();
    const SIZE px = m_setup.devicePixels, mm = m_setup.deviceMillimeters;
    RECT bounds(0, 0, -1, -1);
    if (!m_bounds.isNull()) {
        auto clampInt = [](double v) { return LONG(std::clamp(v, -2147483647.0, 2147483647.0)); };
        bounds = RECT(clampInt(std::floor(m_bounds.left())), clampInt(std::floor(m_bounds.top())),
                      clampInt(std::ceil(m_bounds.right()) - 1), clampInt(std::ceil(m_bounds.bottom()) - 1));
    }
    RECT frame;
    if (m_setup.frame) {
        frame = *m_setup.frame;
    } else if (bounds.right >= bounds.left) {
        // The platform's frame for a picture without one: the inclusive
        // bounds in hundredths of a millimetre of the reference device, in
        // integer arithmetic that truncates (so the frame is a little
        // narrower than the pixels it covers).
        auto hundredths = [](LONG v, LONG mmSize, LONG pixels) {
            return LONG(std::clamp<int64_t>(int64_t(v) * mmSize * 100 / std::max<LONG>(1, pixels), INT32_MIN, INT32_MAX));
        };
        frame = RECT(hundredths(bounds.left, mm.cx, px.cx), hundredths(bounds.top, mm.cy, px.cy),
                     hundredths(bounds.right, mm.cx, px.cx), hundredths(bounds.bottom, mm.cy, px.cy));
    }
    const uint32_t descChars = uint32_t(m_setup.description.size());
    const uint32_t headerSize = 108 + ((descChars * 2 + 3) & ~3u);
    // EMR_EOF with the palette (MS-EMF 2.3.4.1); nSizeLast repeats its size.
    const uint32_t palCount = uint32_t(std::min<size_t>(m_palette.size(), 1024));
    EmfRecordBuilder eof(EMR_EOF);
    eof.U32(palCount).U32(16);
    for (uint32_t i = 0; i < palCount; ++i)
        eof.U8(m_palette[i].peRed).U8(m_palette[i].peGreen).U8(m_palette[i].peBlue).U8(m_palette[i].peFlags);
    eof.U32(20 + 4 * palCount);
    const std::vector<uint8_t>& eofBytes = eof.Finish();
    const uint64_t total = uint64_t(headerSize) + uint64_t(m_records.size()) + eofBytes.size();

    EmfRecordBuilder h(EMR_HEADER);
    h.Rect(bounds).Rect(frame).U32(EmfHeader::Signature).U32(0x10000);
    h.U32(uint32_t(std::min<uint64_t>(total, UINT32_MAX))).U32(m_count + 2);
    h.U16(uint16_t(std::min<size_t>(m_used.size(), 0xFFFF))).U16(0);
    h.U32(descChars).U32(descChars ? 108 : 0).U32(palCount);
    h.I32(px.cx).I32(px.cy).I32(mm.cx).I32(mm.cy);
    h.U32(0).U32(0).U32(0);                        // no pixel format, not OpenGL
    h.I32(mm.cx * 1000).I32(mm.cy * 1000);         // micrometres
    for (QChar c : m_setup.description)
        h.U16(c.unicode());
    const std::vector<uint8_t>& head = h.Finish();

    QByteArray out;
    out.reserve(qsizetype(total));
    out.append(reinterpret_cast<const char*>(head.data()), qsizetype(head.size()));
    out.append(m_records);
    out.append(reinterpret_cast<const char*>(eofBytes.data()), qsizetype(eofBytes.size()));
    return out;
}
