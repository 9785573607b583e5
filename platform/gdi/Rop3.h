#pragma once
// Ternary raster operations (the platform's ROP3 codes): each of the 256
// operations is its truth table over pattern (P), source (S) and
// destination (D) bits, kept in bits 16..23 of the code; the low word is
// the compiler hint the platform ignores. Evaluated on whole 32-bit pixels
// bitwise, which is what the platform does on true-colour devices.
#include <cstdint>

class Rop3 {
public:
    // The truth-table byte of a code: 0xCC for SRCCOPY (0x00CC0020).
    static uint8_t Index(uint32_t rop) { return uint8_t(rop >> 16); }

    // Result bits for pattern p, source s and destination d: bit i of the
    // table is the result for P:S:D = i (P the most significant).
    static uint32_t Apply(uint8_t table, uint32_t p, uint32_t s, uint32_t d)
    {
        uint32_t r = 0;
        for (int i = 0; i < 8; ++i) {
            if (!(table & (1u << i)))
                continue;
            r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        }
        return r;
    }

    static bool UsesSource(uint8_t t) { return ((t >> 2) & 0x33) != (t & 0x33); }
    static bool UsesPattern(uint8_t t) { return ((t >> 4) & 0x0f) != (t & 0x0f); }
    static bool UsesDest(uint8_t t) { return ((t >> 1) & 0x55) != (t & 0x55); }

    // Applies the operation to a row: result into dst; src or pat may be
    // null when the operation does not use them.
    static void Row(uint8_t table, const uint32_t* pat, const uint32_t* src, uint32_t* dst, int count);
};
