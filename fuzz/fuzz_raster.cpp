// libFuzzer harness over the raster decoders: any bytes are loaded by
// content and as PCX (the built-in decoder) and Targa (GraphicsMagick's
// coder, which takes almost any bytes), and what decodes is stretch-drawn
// reduced and enlarged onto a small image.
#include "platform/gdi/CDC.h"
#include "platform/gdi/QPainterBackend.h"
#include "raster/CRasterImage.h"
#include "raster/RasterMemoryBound.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    // Within the harness's memory limit, whatever the machine's.
    RasterMemoryBound::SetOverride(qint64(64) << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (8u << 20))
        return 0;
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    for (int format : {int(RASTER_FORMAT_BY_CONTENT), int(RASTER_FORMAT_PCX), int(RASTER_FORMAT_TGA)}) {
        CRasterImage img;
        if (!img.Load(buffer, format))
            continue;
        QImage surface(64, 48, QImage::Format_RGB32);
        CDC dc(std::make_unique<QPainterBackend>(&surface));
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(int(img.GetWidth()), int(img.GetHeight()));
        dc.SetViewportExt(40, 30);
        img.Draw2(&dc, CRect(0, 0, LONG(img.GetWidth()), LONG(img.GetHeight())));
        dc.SetViewportOrg(-37, -11);
        dc.SetViewportExt(int(img.GetWidth()) * 13, int(img.GetHeight()) * 7);
        img.Draw2(&dc, CRect(0, 0, LONG(img.GetWidth()), LONG(img.GetHeight())));
    }
    return 0;
}
