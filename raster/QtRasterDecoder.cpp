#include "raster/QtRasterDecoder.h"

#include "raster/RasterMemoryBound.h"
#include "raster/RasterResolution.h"

#include <QImageReader>
#include <QIODevice>

#include <algorithm>
#include <limits>

namespace {

// Icon files list at most a few dozen images; a directory claiming more is
// not walked further than this.
constexpr int kMaxIconsExamined = 256;

QByteArray installedFormat(const RasterFormatEntry& entry)
{
    // Aliases of one format share one reader: the first installed name will do.
    const QList<QByteArray> installed = QImageReader::supportedImageFormats();
    for (const char* name : entry.qtFormats) {
        if (name && installed.contains(QByteArray(name)))
            return QByteArray(name);
    }
    return {};
}

// Qt's own limit would refuse large images before ours is asked; it follows
// the raster layer's bound instead. It is a process-wide setting of Qt's.
void applyAllocationLimit()
{
    const qint64 mb = (RasterMemoryBound::Bytes() + (1 << 20) - 1) >> 20;
    const int limit = int(std::min<qint64>(mb, std::numeric_limits<int>::max()));
    if (QImageReader::allocationLimit() != limit)
        QImageReader::setAllocationLimit(limit);
}

// Picks the largest image of a multi-image file (icons), by area, keeping
// the first of equal ones. Leaves the reader on it.
void jumpToLargest(QImageReader& reader)
{
    const int count = std::min(reader.imageCount(), kMaxIconsExamined);
    if (count <= 1)
        return;
    int best = 0;
    qint64 bestArea = -1;
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QSize s = reader.size();
        const qint64 area = s.isValid() ? qint64(s.width()) * s.height() : 0;
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    reader.jumpToImage(best);
}

// Qt gives an image without a stated resolution the platform's default
// (96 dpi on the offscreen and most desktop platforms); a value equal to
// that default counts as not stated, so the default of this layer applies.
int statedDpi(int dotsPerMeter, int defaultDotsPerMeter)
{
    return dotsPerMeter == defaultDotsPerMeter ? 0 : RasterResolution::FromDotsPerMeter(dotsPerMeter);
}

} // namespace

bool QtRasterDecoder::Serves(const RasterFormatEntry& entry)
{
    return !installedFormat(entry).isEmpty();
}

const RasterFormatEntry* QtRasterDecoder::Recognise(QIODevice& device)
{
    if (!device.seek(0))
        return nullptr;
    const QByteArray format = QImageReader::imageFormat(&device);
    device.seek(0);
    const RasterFormatEntry* entry = RasterFormatTable::FindByQtFormat(format);
    return entry && Serves(*entry) ? entry : nullptr;
}

RasterDecodeResult QtRasterDecoder::Decode(QIODevice& device, const RasterFormatEntry& entry)
{
    const QByteArray format = installedFormat(entry);
    if (format.isEmpty() || !device.seek(0))
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::NotThisFormat);

    applyAllocationLimit();
    QImageReader reader(&device, format);
    // With detection on, Qt would try every other reader when the named one
    // refuses; a named format must match the content.
    reader.setAutoDetectImageFormat(false);
    if (!reader.canRead())
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::NotThisFormat);
    if (entry.largestImage)
        jumpToLargest(reader);

    // The declared size, read from the header, is checked before any pixel
    // memory exists. Readers that cannot tell it beforehand are held by
    // Qt's allocation limit, set to the same bound.
    const QSize declared = reader.size();
    if (declared.isValid() && !RasterMemoryBound::Admits(declared.width(), declared.height()))
        return RasterDecodeResult::WithStatus(RasterDecodeStatus::TooLarge);

    RasterDecodeResult result;
    if (!reader.read(&result.image) || result.image.isNull()) {
        result.image = QImage();
        result.status = RasterDecodeStatus::Failed;
        return result;
    }
    const QImage& img = result.image;
    if (!RasterMemoryBound::Admits(img.width(), img.height()) || img.sizeInBytes() > RasterMemoryBound::Bytes()) {
        result.image = QImage();
        result.status = RasterDecodeStatus::TooLarge;
        return result;
    }
    const QImage probe(1, 1, QImage::Format_Mono);
    result.xDpi = statedDpi(img.dotsPerMeterX(), probe.dotsPerMeterX());
    result.yDpi = statedDpi(img.dotsPerMeterY(), probe.dotsPerMeterY());
    result.status = RasterDecodeStatus::Decoded;
    return result;
}
