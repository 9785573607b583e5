#include "platform/gdi/Rop3.h"

void Rop3::Row(uint8_t table, const uint32_t* pat, const uint32_t* src, uint32_t* dst, int count)
{
    // The common codes as expressions: they run on every pixel of large blits.
    switch (table) {
    case 0xCC: for (int i = 0; i < count; ++i) dst[i] = src[i]; return;          // SRCCOPY
    case 0xEE: for (int i = 0; i < count; ++i) dst[i] |= src[i]; return;         // SRCPAINT
    case 0x88: for (int i = 0; i < count; ++i) dst[i] &= src[i]; return;         // SRCAND
    case 0x66: for (int i = 0; i < count; ++i) dst[i] ^= src[i]; return;         // SRCINVERT
    case 0x33: for (int i = 0; i < count; ++i) dst[i] = ~src[i]; return;         // NOTSRCCOPY
    case 0xF0: for (int i = 0; i < count; ++i) dst[i] = pat[i]; return;          // PATCOPY
    case 0x5A: for (int i = 0; i < count; ++i) dst[i] ^= pat[i]; return;         // PATINVERT
    case 0x55: for (int i = 0; i < count; ++i) dst[i] = ~dst[i]; return;         // DSTINVERT
    case 0xAA: return;                                                            // D
    case 0x00: for (int i = 0; i < count; ++i) dst[i] = 0; return;               // BLACKNESS
    case 0xFF: for (int i = 0; i < count; ++i) dst[i] = ~0u; return;             // WHITENESS
    case 0xE2: for (int i = 0; i < count; ++i) dst[i] = (dst[i] & ~src[i]) | (pat[i] & src[i]); return; // DSPDxax
    case 0xB8: for (int i = 0; i < count; ++i) dst[i] = (pat[i] & ~src[i]) | (dst[i] & src[i]); return; // PSDPxax
    default: break;
    }
    const uint32_t zero = 0;
    for (int i = 0; i < count; ++i)
        dst[i] = Apply(table, pat ? pat[i] : zero, src ? src[i] : zero, dst[i]);
}
