// libFuzzer harness over the EMF reader and player: any bytes are loaded as
// an enhanced metafile and, when the header is accepted, played onto a
// small image, record by record through PlayEnhMetaFileRecord.
#include "fuzz/FuzzSupport.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzsupport::StartQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (8u << 20))
        return 0;
    EnhMetaFilePtr mf(SetEnhMetaFileBits(UINT(size), data));
    if (!mf)
        return 0;
    QImage image = fuzzsupport::SmallImage();
    fuzzsupport::PlayInto(image, mf.get());
    return 0;
}
