#include "platform/metafile/EmfRecordBuilder.h"

#include <algorithm>
#include <climits>
#include <cstring>

EmfRecordBuilder& EmfRecordBuilder::F32(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return U32(bits);
}

EmfRecordBuilder& EmfRecordBuilder::Bytes(const void* data, size_t n)
{
    const auto* p = static_cast<const uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), p, p + n);
    return *this;
}

EmfRecordBuilder& EmfRecordBuilder::RegionData(const std::vector<RECT>& rects)
{
    RECT bound(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (const RECT& r : rects) {
        bound.left = std::min(bound.left, r.left);
        bound.top = std::min(bound.top, r.top);
        bound.right = std::max(bound.right, r.right);
        bound.bottom = std::max(bound.bottom, r.bottom);
    }
    if (rects.empty())
        bound = RECT(0, 0, 0, 0);
    U32(32).U32(1 /* RDH_RECTANGLES */).U32(uint32_t(rects.size())).U32(uint32_t(16 * rects.size())).Rect(bound);
    for (const RECT& r : rects)
        Rect(r);
    return *this;
}
