// libFuzzer harness over the WMF reader, player and converter: any bytes
// are taken as a Windows 3.x metafile, played onto a small image and
// converted to an enhanced metafile, which is then played too.
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/WmfPlayer.h"

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
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    auto wmf = WinMetaFile::FromBytes(bytes);
    if (!wmf)
        return 0;
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        PlayMetaFile(&dc, wmf.get());
    }
    EnhMetaFilePtr emf(ConvertWinMetaFile(bytes));
    if (emf) {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        const RECT rect(0, 0, 64, 48);
        PlayEnhMetaFile(&dc, emf.get(), &rect);
    }
    return 0;
}
