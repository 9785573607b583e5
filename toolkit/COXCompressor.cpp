#include "COXCompressor.h"

#include <limits>
#include <zlib.h>

int COXCompressor::Compress(const BYTE* source, int sourceLength, BYTE* target, int targetCapacity)
{
    if (source == nullptr || target == nullptr || sourceLength < 0 || targetCapacity <= 0)
        return 0;
    uLongf written = uLongf(targetCapacity);
    if (compress2(target, &written, source, uLong(sourceLength), Z_DEFAULT_COMPRESSION) != Z_OK)
        return 0;
    return int(written);
}

int COXCompressor::Expand(const BYTE* source, int sourceLength, BYTE* target, int targetCapacity)
{
    if (source == nullptr || target == nullptr || sourceLength <= 0 || targetCapacity <= 0)
        return 0;
    uLongf written = uLongf(targetCapacity);
    uLong consumed = uLong(sourceLength);
    // uncompress2 fails on a truncated stream and on one that does not fit.
    if (uncompress2(target, &written, source, &consumed) != Z_OK)
        return 0;
    return int(written);
}

int COXCompressor::MaxCompressedSize(int sourceLength)
{
    if (sourceLength < 0)
        return 0;
    const uLong bound = compressBound(uLong(sourceLength));
    return bound > uLong(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max() : int(bound);
}
