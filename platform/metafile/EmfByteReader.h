#pragma once
// Little-endian reads from a byte range that never go past its end: a read
// that does not fit returns zero and marks the reader failed, so a parser
// checks once at the end instead of before every field.
#include "platform/types/CRect.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

class EmfByteReader {
public:
    EmfByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Ok() const { return m_ok; }
    void Fail() { m_ok = false; }
    size_t Pos() const { return m_pos; }
    size_t Size() const { return m_size; }
    size_t Remaining() const { return m_pos <= m_size ? m_size - m_pos : 0; }
    const uint8_t* Data() const { return m_data; }

    bool CanRead(size_t n) const { return m_ok && n <= Remaining(); }
    // Moves to an absolute offset inside the range.
    bool Seek(size_t offset)
    {
        if (offset > m_size) {
            m_ok = false;
            return false;
        }
        m_pos = offset;
        return true;
    }
    bool Skip(size_t n)
    {
        if (!CanRead(n)) {
            m_ok = false;
            return false;
        }
        m_pos += n;
        return true;
    }

    uint32_t U32() { return read<uint32_t>(); }
    int32_t I32() { return int32_t(read<uint32_t>()); }
    uint16_t U16() { return read<uint16_t>(); }
    int16_t I16() { return int16_t(read<uint16_t>()); }
    uint8_t U8() { return read<uint8_t>(); }
    // A RECTL: left, top, right, bottom.
    CRect Rect()
    {
        const int32_t l = I32(), t = I32(), r = I32(), b = I32();
        return CRect(l, t, r, b);
    }
    float F32()
    {
        const uint32_t bits = U32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }

private:
    template <class T>
    T read()
    {
        if (!CanRead(sizeof(T))) {
            m_ok = false;
            return 0;
        }
        T v = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            v = T(v | (T(m_data[m_pos + i]) << (8 * i)));
        m_pos += sizeof(T);
        return v;
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;
};
