#pragma once
// Builds the bytes of one enhanced-metafile record: little-endian fields
// after the type, padding to four bytes, and the size filled in at the end.
#include "platform/gdi/GdiDefs.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

class EmfRecordBuilder {
public:
    explicit EmfRecordBuilder(uint32_t type)
    {
        U32(type);
        U32(0);
    }

    EmfRecordBuilder& U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(uint8_t(v >> (8 * i)));
        return *this;
    }
    EmfRecordBuilder& I32(int32_t v) { return U32(uint32_t(v)); }
    EmfRecordBuilder& U16(uint16_t v)
    {
        m_bytes.push_back(uint8_t(v));
        m_bytes.push_back(uint8_t(v >> 8));
        return *this;
    }
    EmfRecordBuilder& U8(uint8_t v)
    {
        m_bytes.push_back(v);
        return *this;
    }
    EmfRecordBuilder& F32(float f);
    EmfRecordBuilder& Rect(const RECT& r) { return I32(r.left).I32(r.top).I32(r.right).I32(r.bottom); }
    EmfRecordBuilder& Bytes(const void* data, size_t n);
    EmfRecordBuilder& Bytes(const QByteArray& b) { return Bytes(b.constData(), size_t(b.size())); }
    EmfRecordBuilder& Pad4()
    {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
        return *this;
    }
    // RGNDATA: the header and the rectangles.
    EmfRecordBuilder& RegionData(const std::vector<RECT>& rects);
    static uint32_t RegionDataSize(const std::vector<RECT>& rects) { return uint32_t(32 + 16 * rects.size()); }

    size_t Size() const { return m_bytes.size(); }
    // Overwrites a 32-bit field at a byte offset from the record's start.
    void Patch32(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes[at + size_t(i)] = uint8_t(v >> (8 * i));
    }

    // The finished record: padded, with its size.
    const std::vector<uint8_t>& Finish()
    {
        Pad4();
        Patch32(4, uint32_t(m_bytes.size()));
        return m_bytes;
    }

private:
    std::vector<uint8_t> m_bytes;
};
