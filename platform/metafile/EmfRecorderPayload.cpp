// EmfRecorder: records the engine parses, written again from their
// structs with the outer playback transform applied.
#include "platform/metafile/EmfRecorder.h"

#include "platform/gdi/CDC.h"
#include "platform/metafile/EmfRecordBuilder.h"
#include "platform/metafile/EmfRecordTable.h"
#include "platform/metafile/EmfRecordTypes.h"
#include "platform/metafile/EnhMetaFile.h"

#include <algorithm>
#include <cmath>

namespace {

RECT mapRect(const QTransform& t, const RECT& r)
{
    if (t.isIdentity())
        return r;
    const QRect m = t.mapRect(QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom))).toAlignedRect();
    return RECT(m.left(), m.top(), m.left() + m.width(), m.top() + m.height());
}

// Points as the 16-bit record types store them, or as 32-bit POINTLs.
void putPoints(EmfRecordBuilder& b, const std::vector<POINT>& points, bool small)
{
    for (const POINT& p : points) {
        if (small)
            b.U16(uint16_t(p.x)).U16(uint16_t(p.y));
        else
            b.I32(p.x).I32(p.y);
    }
}

} // namespace

bool EmfRecorder::writeFromStruct(const ENHMETARECORD& record, const EmrPayload& parsed, const QTransform& outer)
{
    // Only records that the struct holds completely.
    if (const auto* ints = std::get_if<EmrInts>(&parsed); ints && record.nSize != 8 + 4 * uint32_t(ints->count))
        return false;
    return writePayload(record.iType, parsed, outer);
}

bool EmfRecorder::writePayload(uint32_t type, const EmrPayload& parsed, const QTransform& outer)
{
    if (std::holds_alternative<EmrNone>(parsed)) {
        EmfRecordBuilder b(type);
        write(b.Finish());
        return true;
    }
    if (const auto* x = std::get_if<EmrMiterLimit>(&parsed)) {
        EmfRecordBuilder b(type);
        b.F32(x->limit);
        write(b.Finish());
        return true;
    }
    if (const auto* a = std::get_if<EmrAngleArc>(&parsed)) {
        EmfRecordBuilder b(type);
        b.I32(a->center.x).I32(a->center.y).U32(a->radius).F32(a->start).F32(a->sweep);
        write(b.Finish());
        return true;
    }
    if (const auto* ints = std::get_if<EmrInts>(&parsed)) {
        EmfRecordBuilder b(type);
        if (type == EMR_SETBRUSHORGEX) {
            const QPointF p = outer.map(QPointF(ints->v[0], ints->v[1]));
            b.I32(int32_t(std::lround(p.x()))).I32(int32_t(std::lround(p.y())));
        } else {
            for (int i = 0; i < ints->count; ++i)
                b.I32(ints->v[size_t(i)]);
        }
        write(b.Finish());
        return true;
    }
    if (const auto* poly = std::get_if<EmrPoly>(&parsed)) {
        const bool small = type >= EMR_POLYBEZIER16 && type <= EMR_POLYLINETO16;
        EmfRecordBuilder b(type);
        b.Rect(poly->bounds).U32(uint32_t(poly->points.size()));
        putPoints(b, poly->points, small);
        write(b.Finish());
        return true;
    }
    if (const auto* pd = std::get_if<EmrPolyDraw>(&parsed)) {
        const bool small = type == EMR_POLYDRAW16;
        EmfRecordBuilder b(type);
        b.Rect(pd->bounds).U32(uint32_t(pd->points.size()));
        putPoints(b, pd->points, small);
        for (BYTE t : pd->types)
            b.U8(t);
        write(b.Finish());
        return true;
    }
    if (const auto* pp = std::get_if<EmrPolyPoly>(&parsed)) {
        const bool small = type == EMR_POLYPOLYLINE16 || type == EMR_POLYPOLYGON16;
        EmfRecordBuilder b(type);
        b.Rect(pp->bounds).U32(uint32_t(pp->counts.size())).U32(uint32_t(pp->points.size()));
        for (DWORD c : pp->counts)
            b.U32(c);
        putPoints(b, pp->points, small);
        write(b.Finish());
        return true;
    }
    if (const auto* rgn = std::get_if<EmrRegion>(&parsed)) {
        // Region data is in the playback's device units.
        std::vector<RECT> rects;
        rects.reserve(rgn->rects.size());
        for (const RECT& r : rgn->rects)
            rects.push_back(mapRect(outer, r));
        EmfRecordBuilder b(type);
        if (type == EMR_EXTSELECTCLIPRGN) {
            b.U32(rgn->hasData ? EmfRecordBuilder::RegionDataSize(rects) : 0).U32(rgn->mode);
        } else {
            b.Rect(RECT(0, 0, -1, -1)).U32(EmfRecordBuilder::RegionDataSize(rects));
            if (type == EMR_FILLRGN || type == EMR_FRAMERGN) {
                const uint32_t brush = (rgn->brush & ENHMETA_STOCK_OBJECT) ? rgn->brush : mapped(rgn->brush);
                if (!brush)
                    return true;
                b.U32(brush);
            }
            if (type == EMR_FRAMERGN)
                b.I32(rgn->stroke.cx).I32(rgn->stroke.cy);
        }
        if (rgn->hasData)
            b.RegionData(rects);
        write(b.Finish());
        return true;
    }
    return false;
}
