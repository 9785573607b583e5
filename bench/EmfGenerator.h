#pragma once
// Builds large enhanced metafiles in memory for the benchmarks.
#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

class EmfGenerator {
public:
    // frame in hundredths of a millimetre; reference device 10 px/mm.
    explicit EmfGenerator(int frameW = 20000, int frameH = 15000) : m_w(frameW), m_h(frameH) {}

    void Record(uint32_t type, const std::vector<uint32_t>& params)
    {
        m_words.push_back(type);
        m_words.push_back(uint32_t(8 + 4 * params.size()));
        m_words.insert(m_words.end(), params.begin(), params.end());
        ++m_records;
    }
    size_t Records() const { return m_records + 2; }

    QByteArray Bytes() const
    {
        std::vector<uint32_t> w = {1, 108, 0, 0, uint32_t(m_w / 10), uint32_t(m_h / 10), 0, 0, uint32_t(m_w),
                                   uint32_t(m_h), 0x464D4520, 0x10000, 0, uint32_t(m_records + 2), 16, 0, 0, 0,
                                   1000, 1000, 100, 100, 0, 0, 0, 100000, 100000};
        w.insert(w.end(), m_words.begin(), m_words.end());
        w.insert(w.end(), {14u, 20u, 0u, 16u, 20u});
        QByteArray b(int(w.size() * 4), 0);
        for (size_t i = 0; i < w.size(); ++i)
            for (int k = 0; k < 4; ++k)
                b[int(i * 4 + k)] = char((w[i] >> (8 * k)) & 0xFF);
        const uint32_t n = uint32_t(b.size());
        for (int k = 0; k < 4; ++k)
            b[48 + k] = char((n >> (8 * k)) & 0xFF);
        return b;
    }

    // A mix of state, object and drawing records as real files have them.
    static QByteArray Mixed(size_t records)
    {
        EmfGenerator g;
        uint32_t i = 0;
        while (g.Records() < records) {
            const uint32_t x = (i * 37) % 1900, y = (i * 53) % 1400, c = (i * 2654435761u) & 0xFFFFFF;
            switch (i % 10) {
            case 0: g.Record(38, {1, 0, 1 + i % 3, 0, c}); break;     // CREATEPEN
            case 1: g.Record(37, {1}); break;                          // SELECTOBJECT
            case 2: g.Record(39, {2, 0, c ^ 0xFFFFFF, 0}); break;     // CREATEBRUSHINDIRECT
            case 3: g.Record(37, {2}); break;
            case 4: g.Record(43, {x, y, x + 60, y + 40}); break;      // RECTANGLE
            case 5: g.Record(27, {x, y}); break;                       // MOVETOEX
            case 6: g.Record(54, {x + 80, y + 30}); break;             // LINETO
            case 7: g.Record(87, {x, y, x + 50, y + 50, 4, pt(x, y), pt(x + 50, y + 10), pt(x + 20, y + 50), pt(x, y + 30)}); break; // POLYLINE16
            case 8: g.Record(42, {x, y, x + 30, y + 30}); break;      // ELLIPSE
            case 9: g.Record(25, {c}); break;                          // SETBKCOLOR
            }
            ++i;
        }
        return g.Bytes();
    }

    // One polygon of n points around the centre of the frame.
    static QByteArray HugePolygon(uint32_t n)
    {
        EmfGenerator g;
        std::vector<uint32_t> p = {0, 0, 2000, 1500, n};
        p.reserve(5 + 2 * size_t(n));
        for (uint32_t i = 0; i < n; ++i) {
            const double a = 6.283185307179586 * i / n;
            const double r = 600 + 100 * ((i * 7919u) % 13) / 13.0;
            p.push_back(uint32_t(int32_t(1000 + r * std::cos(a))));
            p.push_back(uint32_t(int32_t(750 + r * std::sin(a))));
        }
        g.Record(39, {1, 0, 0x3366CC, 0});
        g.Record(37, {1});
        g.Record(3, p); // EMR_POLYGON
        return g.Bytes();
    }

    // EMR_STRETCHDIBITS of a w x h 24-bit bitmap of a colour ramp into the
    // destination rectangle (metafile pixels).
    void StretchDIBits(int x, int y, int cx, int cy, uint32_t w, uint32_t h, uint32_t rop)
    {
        const uint32_t stride = (w * 3 + 3) / 4 * 4;
        std::vector<uint32_t> p = {0, 0, 0, 0, uint32_t(x), uint32_t(y), 0, 0, w, h, 80, 40, 120, stride * h, 0, rop,
                                   uint32_t(cx), uint32_t(cy), 40, w, h, 1 | (24u << 16), 0, stride * h, 0, 0, 0, 0};
        std::vector<uint8_t> bits(size_t(stride) * h);
        for (uint32_t r = 0; r < h; ++r)
            for (uint32_t c = 0; c < w; ++c) {
                uint8_t* px = &bits[size_t(r) * stride + size_t(c) * 3];
                px[0] = uint8_t(c * 255 / std::max(1u, w - 1)), px[1] = uint8_t(r * 255 / std::max(1u, h - 1)),
                px[2] = 0x80;
            }
        for (size_t i = 0; i < bits.size(); i += 4) {
            uint32_t v = 0;
            for (size_t k = 0; k < 4 && i + k < bits.size(); ++k)
                v |= uint32_t(bits[i + k]) << (8 * k);
            p.push_back(v);
        }
        Record(81, p);
    }

    // One 4000 x 3000 bitmap stretched over the frame with a raster
    // operation that reads the destination.
    static QByteArray HugeStretchDIBits()
    {
        EmfGenerator g;
        g.StretchDIBits(0, 0, 2000, 1500, 4000, 3000, 0x00660046); // SRCINVERT
        return g.Bytes();
    }

    // One text record of chars characters with an advance each, in a
    // 40-unit Arial: a stop must reach inside the record.
    static QByteArray LongText(uint32_t chars)
    {
        EmfGenerator g;
        std::vector<uint32_t> font = {1, uint32_t(-40), 0, 0, 0, 400, 0, 0}; // EXTCREATEFONTINDIRECTW
        const char16_t face[16] = u"Arial";
        for (int i = 0; i < 16; ++i)
            font.push_back(i < 3 ? uint32_t(face[2 * i] | (face[2 * i + 1] << 16)) : 0u);
        g.Record(82, font);
        g.Record(37, {1});
        const uint32_t stringWords = (chars + 1) / 2;
        std::vector<uint32_t> text = {0, 0, 2000, 1500, 1, 0x3F800000, 0x3F800000, // bounds, mode, scales
                                      10, 700, chars, 76, 0, 0, 0, 0, 0,            // reference, count, offString, options, rect
                                      76 + 4 * stringWords};                        // offDx
        for (uint32_t i = 0; i < stringWords; ++i)
            text.push_back(0x00420041u + (i % 20) * 0x00010001u); // "AB", "BC"...
        text.insert(text.end(), chars, 2u);
        g.Record(84, text);
        return g.Bytes();
    }

    // A radial chart: spokes from one point, each drawn with a one-unit pen
    // of its own (create, select, MoveTo/LineTo, deselect, delete) under a
    // raster operation, in an isotropic mapping whose window and viewport
    // both run upwards, as charting programs write them.
    static QByteArray RadialSpokes(uint32_t spokes, uint32_t rop2)
    {
        EmfGenerator g(6570, 6580);
        g.Record(17, {7});                                          // SETMAPMODE MM_ISOTROPIC
        g.Record(10, {0, 0});                                       // SETWINDOWORGEX
        g.Record(12, {0, 0});                                       // SETVIEWPORTORGEX
        g.Record(9, {2193, uint32_t(-2193)});                       // SETWINDOWEXTEX
        g.Record(11, {657, uint32_t(-658)});                        // SETVIEWPORTEXTEX
        g.Record(20, {rop2});                                       // SETROP2
        const int32_t cx = 1096, cy = 1096;
        for (uint32_t i = 0; i < spokes; ++i) {
            const double a = 6.283185307179586 * i / spokes;
            const uint32_t color = (i * 2654435761u) & 0xFFFFFF;
            g.Record(38, {1, 0, 1, 0, color});                      // CREATEPEN
            g.Record(37, {1});                                      // SELECTOBJECT
            g.Record(27, {uint32_t(cx), uint32_t(cy)});             // MOVETOEX
            g.Record(54, {uint32_t(int32_t(cx + 1050 * std::cos(a))), uint32_t(int32_t(cy + 1050 * std::sin(a)))});
            g.Record(37, {0x80000007u});                            // SELECTOBJECT BLACK_PEN
            g.Record(40, {1});                                      // DELETEOBJECT
        }
        return g.Bytes();
    }

    static uint32_t pt(uint32_t x, uint32_t y) { return (x & 0xFFFF) | ((y & 0xFFFF) << 16); }

private:
    int m_w, m_h;
    std::vector<uint32_t> m_words;
    size_t m_records = 0;
};
