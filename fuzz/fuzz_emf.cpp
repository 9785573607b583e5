// libFuzzer harness over the EMF reader and player: any bytes are loaded as
// an enhanced metafile and, when the header is accepted, played onto a
// small image, record by record through PlayEnhMetaFileRecord.
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"

#include <QGuiApplication>
#include <QImage>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (8u << 20))
        return 0;
    EnhMetaFilePtr mf(SetEnhMetaFileBits(UINT(size), data));
    if (!mf)
        return 0;
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(std::make_unique<QPainterBackend>(&image));
    const RECT rect(0, 0, 64, 48);
    PlayEnhMetaFile(&dc, mf.get(), &rect);
    return 0;
}
