#pragma once
// Builds Windows 3.x metafiles in memory for tests: an optional placeable
// header, the standard header and records given as 16-bit words in the
// order they are stored (last parameter of the call first).
#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

class WmfBuilder {
public:
    explicit WmfBuilder(uint16_t objects = 4) : m_objects(objects) {}

    // bbox in logical units and units per inch; checksum right or wrong.
    WmfBuilder& Placeable(int16_t l, int16_t t, int16_t r, int16_t b, uint16_t inch, bool goodChecksum = true)
    {
        m_placeable = {0xCDD7, 0x9AC6, 0, uint16_t(l), uint16_t(t), uint16_t(r), uint16_t(b), inch, 0, 0};
        uint16_t sum = 0;
        for (uint16_t w : m_placeable)
            sum ^= w;
        m_placeable.push_back(goodChecksum ? sum : uint16_t(sum ^ 1));
        return *this;
    }
    WmfBuilder& Record(uint16_t function, std::initializer_list<int> params)
    {
        return Record(function, std::vector<int>(params));
    }
    WmfBuilder& Record(uint16_t function, const std::vector<int>& params)
    {
        const uint32_t words = uint32_t(3 + params.size());
        m_records.push_back(uint16_t(words));
        m_records.push_back(uint16_t(words >> 16));
        m_records.push_back(function);
        for (int p : params)
            m_records.push_back(uint16_t(p));
        m_max = std::max(m_max, words);
        return *this;
    }
    // Words as they are, for records whose sizes lie.
    WmfBuilder& Raw(std::initializer_list<uint16_t> words)
    {
        m_records.insert(m_records.end(), words);
        return *this;
    }
    static int Lo(uint32_t v) { return int(v & 0xFFFF); }
    static int Hi(uint32_t v) { return int(v >> 16); }

    QByteArray Bytes(bool withEof = true) const
    {
        std::vector<uint16_t> words = m_placeable;
        std::vector<uint16_t> body = m_records;
        if (withEof)
            body.insert(body.end(), {3, 0, 0});
        const uint32_t total = uint32_t(9 + body.size());
        words.insert(words.end(), {1, 9, 0x0300, uint16_t(total), uint16_t(total >> 16), m_objects,
                                   uint16_t(m_max), uint16_t(m_max >> 16), 0});
        words.insert(words.end(), body.begin(), body.end());
        QByteArray b;
        for (uint16_t w : words) {
            b.append(char(w & 0xFF));
            b.append(char(w >> 8));
        }
        return b;
    }

private:
    uint16_t m_objects;
    uint32_t m_max = 3;
    std::vector<uint16_t> m_placeable;
    std::vector<uint16_t> m_records;
};
