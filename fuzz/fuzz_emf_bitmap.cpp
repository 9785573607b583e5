// libFuzzer harness aimed at the bitmap records: the input's first byte
// picks a bitmap record type and the rest becomes that record's body inside
// a valid metafile, so that every input reaches the bitmap readers, the DIB
// decoder and the transfers (on a raster device, and on a vector-like
// device without pixels to read back).
#include "fuzz/FuzzSupport.h"
#include "platform/metafile/EmfRecordTypes.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const uint32_t bitmapTypes[] = {EMR_BITBLT, EMR_STRETCHBLT, EMR_MASKBLT, EMR_PLGBLT, EMR_SETDIBITSTODEVICE,
                                EMR_STRETCHDIBITS, EMR_ALPHABLEND, EMR_TRANSPARENTBLT, EMR_CREATEMONOBRUSH,
                                EMR_CREATEDIBPATTERNBRUSHPT, EMR_GRADIENTFILL};

void put(std::vector<uint8_t>& v, uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v.push_back(uint8_t(x >> (8 * i)));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzsupport::StartQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2 || size > (1u << 20))
        return 0;
    const uint32_t type = bitmapTypes[data[0] % (sizeof bitmapTypes / sizeof bitmapTypes[0])];
    const size_t body = (size - 1 + 3) & ~size_t(3);
    std::vector<uint8_t> f;
    const uint32_t header[] = {1, 108, 0, 0, 63, 47, 0, 0, 1600, 1200, 0x464D4520, 0x10000, 0, 6, 4, 0, 0, 0,
                               640, 480, 160, 120, 0, 0, 0, 160000, 120000};
    for (uint32_t w : header)
        put(f, w);
    // Select the pattern brush the brush records create, then the record again to use it.
    const uint32_t select[] = {37, 12, 1};
    for (int pass = 0; pass < 2; ++pass) {
        put(f, type);
        put(f, uint32_t(8 + body));
        f.insert(f.end(), data + 1, data + size);
        f.resize(f.size() + (body - (size - 1)), 0);
        for (uint32_t w : select)
            put(f, w);
    }
    const uint32_t eof[] = {14, 20, 0, 16, 20};
    for (uint32_t w : eof)
        put(f, w);
    const uint32_t total = uint32_t(f.size());
    std::memcpy(&f[48], &total, 4);
    EnhMetaFilePtr mf(SetEnhMetaFileBits(UINT(f.size()), f.data()));
    if (!mf)
        return 0;
    QImage image = fuzzsupport::SmallImage();
    fuzzsupport::PlayInto(image, mf.get());
    return 0;
}
