// libFuzzer harness over the WMF reader, player and converter: any bytes
// are taken as a Windows 3.x metafile, played onto a small image and
// converted to an enhanced metafile, which is then played too.
#include "fuzz/FuzzSupport.h"
#include "platform/metafile/WmfPlayer.h"

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
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    auto wmf = WinMetaFile::FromBytes(bytes);
    if (!wmf)
        return 0;
    QImage image = fuzzsupport::SmallImage();
    {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        PlayMetaFile(&dc, wmf.get());
    }
    EnhMetaFilePtr emf(ConvertWinMetaFile(bytes));
    if (emf)
        fuzzsupport::PlayInto(image, emf.get());
    return 0;
}
