#pragma once
// Builds enhanced metafiles in memory for tests: a header followed by
// records given as 32-bit words, each with a comment in the test that says
// what its fields are.
#include "platform/gdi/GdiDefs.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

class EmfBuilder {
public:
    // Frame in hundredths of a millimetre; a reference device of 1000 x 1000
    // pixels and 100 x 100 millimetres (ten pixels per millimetre).
    explicit EmfBuilder(RECT frame = RECT(0, 0, 10000, 10000), uint16_t handles = 8)
        : m_frame(frame), m_handles(handles) {}

    EmfBuilder& Record(uint32_t type, std::initializer_list<uint32_t> params)
    {
        return Record(type, std::vector<uint32_t>(params));
    }
    EmfBuilder& Record(uint32_t type, const std::vector<uint32_t>& params)
    {
        m_records.push_back(type);
        m_records.push_back(uint32_t(8 + 4 * params.size()));
        m_records.insert(m_records.end(), params.begin(), params.end());
        ++m_count;
        return *this;
    }
    // Raw words, for records with sizes that lie.
    EmfBuilder& Raw(std::initializer_list<uint32_t> words)
    {
        m_records.insert(m_records.end(), words);
        return *this;
    }
    EmfBuilder& Description(const QString& d) { m_description = d; return *this; }

    QByteArray Bytes(bool withEof = true) const
    {
        std::vector<uint32_t> words = header(withEof);
        words.insert(words.end(), m_records.begin(), m_records.end());
        if (withEof)
            words.insert(words.end(), {14u, 20u, 0u, 16u, 20u}); // EMR_EOF: no palette
        QByteArray b;
        for (uint32_t w : words)
            for (int i = 0; i < 4; ++i)
                b.append(char((w >> (8 * i)) & 0xFF));
        const uint32_t total = uint32_t(b.size());
        for (int i = 0; i < 4; ++i)
            b[48 + i] = char((total >> (8 * i)) & 0xFF); // nBytes
        return b;
    }

    static uint32_t Pt16(int x, int y) { return uint32_t(uint16_t(int16_t(x))) | (uint32_t(uint16_t(int16_t(y))) << 16); }
    static uint32_t F(float f)
    {
        uint32_t u;
        static_assert(sizeof u == sizeof f);
        std::memcpy(&u, &f, sizeof u);
        return u;
    }

private:
    std::vector<uint32_t> header(bool withEof) const
    {
        std::vector<uint32_t> desc;
        for (int i = 0; !m_description.isEmpty() && i + 1 < m_description.size() + 2; i += 2) {
            const uint32_t lo = i < m_description.size() ? m_description[i].unicode() : 0;
            const uint32_t hi = i + 1 < m_description.size() ? m_description[i + 1].unicode() : 0;
            desc.push_back(lo | (hi << 16));
        }
        const uint32_t size = uint32_t(108 + 4 * desc.size());
        std::vector<uint32_t> h = {
            1, size,                                                // EMR_HEADER, nSize
            0, 0, 999, 999,                                         // rclBounds (pixels)
            uint32_t(m_frame.left), uint32_t(m_frame.top),          // rclFrame
            uint32_t(m_frame.right), uint32_t(m_frame.bottom),      //
            0x464D4520, 0x10000,                                    // signature, version
            0,                                                      // nBytes, patched in Bytes()
            uint32_t(m_count + 1 + (withEof ? 1 : 0)),              // nRecords
            m_handles,                                              // nHandles, reserved
            uint32_t(m_description.isEmpty() ? 0 : m_description.size() + 1), // nDescription
            uint32_t(m_description.isEmpty() ? 0 : 108),            // offDescription
            0,                                                      // nPalEntries
            1000, 1000, 100, 100,                                   // szlDevice, szlMillimeters
            0, 0, 0,                                                // pixel format, OpenGL
            100000, 100000,                                         // szlMicrometers
        };
        if (!m_description.isEmpty())
            h.insert(h.end(), desc.begin(), desc.end());
        return h;
    }

    RECT m_frame;
    uint16_t m_handles;
    QString m_description;
    std::vector<uint32_t> m_records;
    int m_count = 0;
};
