#include "raster/MagickRasterDecoder.h"

#include "raster/RasterMemoryBound.h"
#include "raster/RasterResolution.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include <magick/api.h>

namespace {

// Enough of a file's start for every signature GraphicsMagick checks.
constexpr qint64 kSignatureBytes = 4096;
// Enough of a file's start for the headers of the coders used here.
constexpr qint64 kPingBytes = 64 * 1024;

void initialise()
{
    static std::once_flag once;
    std::call_once(once, [] {
        ExceptionInfo ex;
        GetExceptionInfo(&ex);
        // Its handlers would catch the process's signals to remove
        // temporary files; this layer makes none.
        InitializeMagickEx(nullptr, MAGICK_OPT_NO_SIGNAL_HANDER, &ex);
        DestroyExceptionInfo(&ex);
        // No pixel cache on disk or in mapped files: an image that does not
        // fit the memory limit is refused, never spooled to /tmp.
        SetMagickResourceLimit(DiskResource, 0);
        SetMagickResourceLimit(MapResource, 0);
        SetMagickResourceLimit(ThreadsResource, 1);
    });
}

// Limits follow the bound at each decode (tests lower it). The pixel cache
// holds 16-bit channels, 8 bytes a pixel, beside the 4-byte final image.
void applyLimits()
{
    const qint64 bound = RasterMemoryBound::Bytes();
    SetMagickResourceLimit(PixelsResource, bound / 4);
    SetMagickResourceLimit(WidthResource, RasterMemoryBound::kMaxSide);
    SetMagickResourceLimit(HeightResource, RasterMemoryBound::kMaxSide);
    SetMagickResourceLimit(MemoryResource, bound * 3);
}

struct ImageListDeleter {
    void operator()(Image* image) const { DestroyImageList(image); }
};
struct ImageInfoDeleter {
    void operator()(ImageInfo* info) const { DestroyImageInfo(info); }
};
using ImagePtr = std::unique_ptr<Image, ImageListDeleter>;
using ImageInfoPtr = std::unique_ptr<ImageInfo, ImageInfoDeleter>;

class Exception {
public:
    Exception() { GetExceptionInfo(&m_info); }
    ~Exception() { DestroyExceptionInfo(&m_info); }
    Exception(const Exception&) = delete;
    Exception& operator=(const Exception&) = delete;
    ExceptionInfo* operator&() { return &m_info; }

private:
    ExceptionInfo m_info;
};

bool coderReads(const char* coder)
{
    Exception ex;
    const MagickInfo* info = GetMagickInfo(coder, &ex);
    return info && info->decoder;
}

QByteArray signatureFormat(const QByteArray& head)
{
    char format[MaxTextExtent] = {};
    Exception ex;
    if (GetMagickFileFormat(reinterpret_cast<const unsigned char*>(head.constData()), size_t(head.size()), format,
                            sizeof format, &ex) != MagickPass)
        return {};
    return QByteArray(format);
}

// Only the first image is read; a coder that cannot stop early still hands
// the list, of which the rest is dropped.
ImageInfoPtr readInfo(const char* coder)
{
    ImageInfoPtr info(CloneImageInfo(nullptr));
    if (!info)
        return nullptr;
    // The "coder:" prefix names the coder explicitly; the file's own name
    // never reaches GraphicsMagick, which would interpret it.
    std::snprintf(info->filename, sizeof info->filename, "%s:", coder);
    info->subimage = 0;
    info->subrange = 1;
    return info;
}

int statedDpi(double resolution, ResolutionType units)
{
    switch (units) {
    case PixelsPerInchResolution:
        return RasterResolution::Checked(resolution);
    case PixelsPerCentimeterResolution:
        return RasterResolution::FromDotsPerCentimeter(resolution);
    default:
        return 0;
    }
}

RasterDecodeResult toQImage(Image* image)
{
    RasterDecodeResult result;
    const qint64 width = qint64(image->columns);
    const qint64 height = qint64(image->rows);
    if (!RasterMemoryBound::Admits(width, height))
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::TooLarge);
    if (image->colorspace != RGBColorspace && !TransformColorspace(image, RGBColorspace))
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::Failed);
    const bool alpha = image->matte != MagickFalse;
    QImage out(int(width), int(height), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (out.isNull())
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::Failed);
    // Byte order B, G, R, A is QImage's 32-bit pixel in memory on a
    // little-endian machine; the rows of a 32-bit QImage are unpadded.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "BGRA dispatch assumes a little-endian machine");
    Exception ex;
    for (int y = 0; y < int(height); ++y) {
        if (DispatchImage(image, 0, y, image->columns, 1, "BGRA", CharPixel, out.scanLine(y), &ex) != MagickPass)
            return RasterDecodeResult::WithStatus(RasterDecodeStatus::Failed);
    }
    result.image = std::move(out);
    result.xDpi = statedDpi(image->x_resolution, image->units);
    result.yDpi = statedDpi(image->y_resolution, image->units);
    result.status = RasterDecodeStatus::Decoded;
    return result;
}

// The size the header declares, from the start of the file when that is
// enough for the coder, else from the whole file; an invalid size when the
// coder does not take the content.
RasterDecodeStatus pingStatus(const ImageInfo* info, const QByteArray& bytes, qint64* width, qint64* height)
{
    Exception ex;
    ImagePtr ping(PingBlob(info, bytes.constData(), size_t(bytes.size()), &ex));
    if (!ping)
        return (&ex)->severity == ResourceLimitError ? RasterDecodeStatus::TooLarge : RasterDecodeStatus::NotThisFormat;
    *width = qint64(ping->columns);
    *height = qint64(ping->rows);
    return RasterMemoryBound::Admits(*width, *height) ? RasterDecodeStatus::Decoded : RasterDecodeStatus::TooLarge;
}

RasterDecodeResult decodeWith(QIODevice& device, qint64 size, const char* coder)
{
    ImageInfoPtr info = readInfo(coder);
    if (!info || !device.seek(0))
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::Failed);
    // The header's size first: neither the file nor pixel memory is taken
    // in for an image the bound refuses.
    qint64 width = 0, height = 0;
    const QByteArray head = device.read(kPingBytes);
    RasterDecodeStatus status = pingStatus(info.get(), head, &width, &height);
    if (status == RasterDecodeStatus::TooLarge)
        return RasterDecodeResult::WithStatus(status);
    // The whole file is handed over as a blob: GraphicsMagick never opens a
    // path itself. A file larger than the bound is no image this layer shows.
    if (size > RasterMemoryBound::Bytes())
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::TooLarge);
    QByteArray blob = head;
    if (size > head.size()) {
        blob.append(device.read(size - head.size()));
        if (blob.size() != size)
            return RasterDecodeResult::WithStatus(RasterDecodeStatus::Failed);
        if (status != RasterDecodeStatus::Decoded) {
            status = pingStatus(info.get(), blob, &width, &height);
            if (status != RasterDecodeStatus::Decoded)
                return RasterDecodeResult::WithStatus(status);
        }
    } else if (status != RasterDecodeStatus::Decoded) {
        return RasterDecodeResult::WithStatus(status);
    }

    Exception ex;
    ImagePtr image(BlobToImage(info.get(), blob.constData(), size_t(blob.size()), &ex));
    blob = QByteArray();
    // A warning (a truncated or damaged file) still hands what was decoded.
    if (!image || image->columns == 0 || image->rows == 0)
        return RasterDecodeResult::WithStatus((&ex)->severity == ResourceLimitError ? RasterDecodeStatus::TooLarge
                                                                                   : RasterDecodeStatus::Failed);
    return toQImage(image.get());
}

} // namespace

bool MagickRasterDecoder::Serves(const RasterFormatEntry& entry)
{
    initialise();
    return std::any_of(entry.magickCoders.begin(), entry.magickCoders.end(),
                       [](const char* c) { return c && coderReads(c); });
}

const RasterFormatEntry* MagickRasterDecoder::Recognise(QIODevice& device)
{
    initialise();
    if (!device.seek(0))
        return nullptr;
    const QByteArray head = device.read(kSignatureBytes);
    device.seek(0);
    const RasterFormatEntry* entry = RasterFormatTable::FindByMagickCoder(signatureFormat(head));
    return entry && Serves(*entry) ? entry : nullptr;
}

RasterDecodeResult MagickRasterDecoder::Decode(QIODevice& device, const RasterFormatEntry& entry)
{
    if (!Serves(entry) || !device.seek(0))
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::NotThisFormat);
    // Coders of formats without a signature (Targa) take almost any bytes;
    // content that another coder recognises by its signature is not theirs.
    const QByteArray signature = signatureFormat(device.read(kSignatureBytes));
    if (!signature.isEmpty() && RasterFormatTable::FindByMagickCoder(signature) != &entry)
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::NotThisFormat);
    const qint64 size = device.size();
    if (size <= 0)
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::Failed);

    static std::mutex limitsMutex;
    {
        std::lock_guard lock(limitsMutex);
        applyLimits();
    }
    RasterDecodeResult last = RasterDecodeResult::WithStatus(RasterDecodeStatus::NotThisFormat);
    for (const char* coder : entry.magickCoders) {
        if (!coder || !coderReads(coder))
            continue;
        last = decodeWith(device, size, coder);
        if (last.Final())
            return last;
    }
    return last;
}
