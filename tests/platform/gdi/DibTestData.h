#pragma once
// Builds device-independent bitmaps byte by byte for tests.
#include "platform/gdi/Dib.h"

#include <initializer_list>
#include <vector>

struct TestDib {
    std::vector<uint8_t> bmi;
    std::vector<uint8_t> bits;

    static void put32(std::vector<uint8_t>& v, uint32_t x)
    {
        for (int i = 0; i < 4; ++i)
            v.push_back(uint8_t(x >> (8 * i)));
    }
    static void put16(std::vector<uint8_t>& v, uint16_t x)
    {
        v.push_back(uint8_t(x));
        v.push_back(uint8_t(x >> 8));
    }

    // A BITMAPINFOHEADER with a colour table of 0x00RRGGBB entries (or masks).
    static TestDib Make(int w, int h, int bpp, DWORD compression, std::initializer_list<uint32_t> table,
                        std::initializer_list<uint8_t> bits)
    {
        TestDib d;
        put32(d.bmi, 40);
        put32(d.bmi, uint32_t(w));
        put32(d.bmi, uint32_t(h));
        put16(d.bmi, 1);
        put16(d.bmi, uint16_t(bpp));
        put32(d.bmi, compression);
        put32(d.bmi, uint32_t(bits.size()));
        put32(d.bmi, 0);
        put32(d.bmi, 0);
        put32(d.bmi, compression == BI_BITFIELDS ? 0 : uint32_t(table.size()));
        put32(d.bmi, 0);
        for (uint32_t c : table)
            put32(d.bmi, c);
        d.bits = bits;
        return d;
    }

    DibSource Source(UINT usage = DIB_RGB_COLORS) const
    {
        DibSource s;
        s.bmi = bmi.data();
        s.bmiSize = bmi.size();
        s.bits = bits.data();
        s.bitsSize = bits.size();
        s.usage = usage;
        return s;
    }

    bool Decode(DibImage* out, UINT usage = DIB_RGB_COLORS, const std::vector<PALETTEENTRY>& pal = {},
                uint64_t maxPixels = 1 << 20) const
    {
        return Dib::Decode(bmi.data(), bmi.size(), bits.data(), bits.size(), usage, pal, maxPixels, out);
    }
};
