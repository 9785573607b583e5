#include "platform/metafile/BoundsBackend.h"

#include "platform/gdi/GdiDefs.h"

#include <algorithm>
#include <cmath>

int BoundsBackend::GetDeviceCaps(int index) const
{
    switch (index) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return m_device.horzRes;
    case VERTRES: return m_device.vertRes;
    case HORZSIZE: return m_device.horzSize;
    case VERTSIZE: return m_device.vertSize;
    case LOGPIXELSX:
    case LOGPIXELSY: return m_device.logPixels;
    case BITSPIXEL: return m_device.bitsPixel;
    case PLANES: return 1;
    default: return 0;
    }
}

// The platform's recorder counts what a call would draw whatever the
// clipping: a picture clipped to a part of itself is still framed whole.
void BoundsBackend::SetClip(const QRegion*) {}

void BoundsBackend::add(QRectF r)
{
    if (r.width() >= 0 && r.height() >= 0 && !r.isNull())
        m_sink(r);
}

namespace {

// The platform's recorder maps a figure's points to the device as LPtoDP
// does, each rounded to the nearest pixel, and counts the pixels they land
// on: a point at x = 977.8 extends the bounds to pixel 978.
QRectF pointPixels(const QRectF& r)
{
    const double l = std::floor(r.left() + 0.5), t = std::floor(r.top() + 0.5);
    const double rr = std::floor(r.right() + 0.5), b = std::floor(r.bottom() + 0.5);
    return QRectF(QPointF(l, t), QPointF(rr + 1, b + 1));
}

} // namespace

void BoundsBackend::FillPath(const QPainterPath& path, const QBrush&, const DrawAttrs&)
{
    if (!path.isEmpty())
        add(pointPixels(path.boundingRect()));
}

void BoundsBackend::StrokePath(const QPainterPath& path, const QPen&, const DrawAttrs&)
{
    if (!path.isEmpty())
        add(pointPixels(path.boundingRect()));
}

void BoundsBackend::FillRegion(const QRegion& region, const QBrush&, const DrawAttrs&) { add(QRectF(region.boundingRect())); }

void BoundsBackend::DrawImage(const QRectF& target, const QImage&, const QRectF&, bool) { add(target.normalized()); }

void BoundsBackend::DrawImageTransformed(const QTransform& imageToDevice, const QImage& image, bool)
{
    add(imageToDevice.mapRect(QRectF(0, 0, image.width(), image.height())));
}

bool BoundsBackend::ShapeBox(const QRectF& box)
{
    add(box);
    return true;
}
