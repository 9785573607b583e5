#include "raster/CRasterImage.h"

#include "platform/gdi/CDC.h"
#include "raster/MagickRasterDecoder.h"
#include "raster/PcxDecoder.h"
#include "raster/QtRasterDecoder.h"
#include "raster/RasterFormatTable.h"
#include "raster/RasterResolution.h"
#include "raster/RasterStretch.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Every decoder of the entry, in order, until one decodes the image or
// refuses it as too large.
RasterDecodeResult decodeEntry(QIODevice& file, const RasterFormatEntry& entry)
{
    RasterDecodeResult r = QtRasterDecoder::Decode(file, entry);
    if (r.Final())
        return r;
    if (entry.builtinPcx) {
        r = PcxDecoder::Decode(file);
        if (r.Final())
            return r;
    }
    return MagickRasterDecoder::Decode(file, entry);
}

const RasterFormatEntry* recognise(QIODevice& file)
{
    if (const RasterFormatEntry* e = QtRasterDecoder::Recognise(file))
        return e;
    if (PcxDecoder::Recognises(file))
        return RasterFormatTable::Find(RASTER_FORMAT_PCX);
    return MagickRasterDecoder::Recognise(file);
}

} // namespace

CRasterImage::CRasterImage(DWORD imageType) : m_type(imageType) {}

void CRasterImage::Destroy()
{
    m_image = QImage();
    m_xDpi = m_yDpi = 0;
}

bool CRasterImage::Load(const QString& fileName, int imageType)
{
    Destroy();
    m_lastStatus = RasterDecodeStatus::Failed;
    // Only regular files: a named pipe or a device would block or never end.
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.isFile())
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return Load(file, imageType);
}

bool CRasterImage::Load(QIODevice& device, int imageType)
{
    Destroy();
    m_lastStatus = RasterDecodeStatus::Failed;
    if (!device.isOpen() || device.isSequential())
        return false;
    const RasterFormatEntry* entry =
        imageType == RASTER_FORMAT_BY_CONTENT ? recognise(device) : RasterFormatTable::Find(imageType);
    m_lastStatus = RasterDecodeStatus::NotThisFormat;
    if (!entry)
        return false;
    RasterDecodeResult r = decodeEntry(device, *entry);
    m_lastStatus = r.image.isNull() && r.status == RasterDecodeStatus::Decoded ? RasterDecodeStatus::Failed : r.status;
    if (r.status != RasterDecodeStatus::Decoded || r.image.isNull())
        return false;
    m_image = std::move(r.image);
    m_xDpi = RasterResolution::OrDefault(r.xDpi);
    m_yDpi = RasterResolution::OrDefault(r.yDpi);
    m_type = DWORD(entry->id);
    return true;
}

long CRasterImage::Draw2(CDC* dc, const CRect& rect) const
{
    if (!dc || !IsValid() || rect.Width() == 0 || rect.Height() == 0)
        return 0;
    QRectF visible(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
    if (const std::optional<QRegion> clip = dc->EffectiveClip())
        visible = visible.intersected(QRectF(clip->boundingRect()));
    const RasterStretchPlan plan = RasterStretch::Plan(m_image.size(), rect, dc->State().mapping.ToDevice(), visible,
                                                       RasterStretch::PixelAlignment(m_image));
    if (!plan.visible)
        return 1;
    // The device context maps, clips and chooses the filter: smooth when
    // reducing, sharp pixels when enlarging.
    const BOOL drawn = plan.whole ? dc->DrawImage(rect, m_image)
                                  : dc->DrawImage(plan.logical, RasterStretch::View(m_image, plan.source));
    return drawn ? 1 : 0;
}
