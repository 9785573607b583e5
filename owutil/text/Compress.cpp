#include "owutil/OwUtilC.h"

#include "toolkit/COXCompressor.h"

extern "C" int OXCompress(const unsigned char* input, int inputLength, unsigned char* output,
                          int outputLength)
{
    COXCompressor compressor;
    return compressor.Compress(input, inputLength, output, outputLength);
}

extern "C" int OXExpand(const unsigned char* input, int inputLength, unsigned char* output, int outputLength)
{
    COXCompressor compressor;
    return compressor.Expand(input, inputLength, output, outputLength);
}
