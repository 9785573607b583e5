#pragma once
// Compresses and expands memory buffers. The compressed form is a zlib stream
// (RFC 1950: deflate data with a header and an Adler-32 check), so any zlib
// reader can expand it.
#include "platform/types/Win32Types.h"

class COXCompressor {
public:
    // Compresses sourceLength bytes into target (room for targetCapacity
    // bytes). Returns the number of bytes written, or 0 when the result does
    // not fit or an argument is invalid (null buffer, negative length).
    int Compress(const BYTE* source, int sourceLength, BYTE* target, int targetCapacity);
    // Expands a compressed buffer. Returns the number of bytes written, or 0
    // when the data is not a complete compressed stream, the result does not
    // fit, or an argument is invalid. An empty original also gives 0.
    int Expand(const BYTE* source, int sourceLength, BYTE* target, int targetCapacity);

    // The largest compressed size of sourceLength bytes (0 for a negative length).
    static int MaxCompressedSize(int sourceLength);
};
