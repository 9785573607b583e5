#include "platform/gdi/QPainterBackend.h"

#include "platform/gdi/RopLineRasterizer.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPaintDevice>

#include <cmath>

QPainterBackend::QPainterBackend(QPaintDevice* device)
    : m_device(device), m_raster(device && device->devType() == QInternal::Image)
{
}

QPainterBackend::~QPainterBackend() { Flush(); }

bool QPainterBackend::begin()
{
    if (m_painter.isActive())
        return true;
    if (!m_device || !m_painter.begin(m_device))
        return false;
    m_painter.setRenderHint(QPainter::Antialiasing, !m_raster);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.resetTransform();
    if (m_clip)
        m_painter.setClipRegion(*m_clip);
    return true;
}

void QPainterBackend::Flush()
{
    if (m_painter.isActive())
        m_painter.end();
}

int QPainterBackend::GetDeviceCaps(int index) const
{
    if (!m_device)
        return 0;
    const bool paged = dynamic_cast<QPagedPaintDevice*>(m_device) != nullptr;
    switch (index) {
    case TECHNOLOGY: return paged ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZRES:
    case DESKTOPHORZRES:
    case PHYSICALWIDTH: return m_device->width();
    case VERTRES:
    case DESKTOPVERTRES:
    case PHYSICALHEIGHT: return m_device->height();
    case HORZSIZE: return std::max(1, m_device->widthMM());
    case VERTSIZE: return std::max(1, m_device->heightMM());
    case LOGPIXELSX: return m_device->logicalDpiX();
    case LOGPIXELSY: return m_device->logicalDpiY();
    case BITSPIXEL: return m_raster ? 32 : 24;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case SIZEPALETTE: return 0;
    case COLORRES: return 24;
    default: return 0;
    }
}

void QPainterBackend::SetClip(const QRegion* clip)
{
    if (clip)
        m_clip = *clip;
    else
        m_clip.reset();
    if (!m_painter.isActive())
        return;
    // The clip is in device pixels: set it without the half-pixel offset.
    if (m_clip)
        m_painter.setClipRegion(*m_clip);
    else
        m_painter.setClipping(false);
}

bool QPainterBackend::applyRop(int rop2, QColor* color)
{
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (rop2) {
    case R2_NOP: return false;
    case R2_BLACK: *color = Qt::black; break;
    case R2_WHITE: *color = Qt::white; break;
    case R2_COPYPEN: break;
    case R2_NOTCOPYPEN: *color = QColor(255 - color->red(), 255 - color->green(), 255 - color->blue()); break;
    case R2_NOTMERGEPEN: mode = QPainter::RasterOp_NotSourceAndNotDestination; break;
    case R2_MASKNOTPEN: mode = QPainter::RasterOp_NotSourceAndDestination; break;
    case R2_MASKPENNOT: mode = QPainter::RasterOp_SourceAndNotDestination; break;
    case R2_NOT: mode = QPainter::RasterOp_NotDestination; break;
    case R2_XORPEN: mode = QPainter::RasterOp_SourceXorDestination; break;
    case R2_NOTMASKPEN: mode = QPainter::RasterOp_NotSourceOrNotDestination; break;
    case R2_MASKPEN: mode = QPainter::RasterOp_SourceAndDestination; break;
    case R2_NOTXORPEN: mode = QPainter::RasterOp_NotSourceXorDestination; break;
    case R2_MERGENOTPEN: mode = QPainter::RasterOp_NotSourceOrDestination; break;
    case R2_MERGEPENNOT: mode = QPainter::RasterOp_SourceOrNotDestination; break;
    case R2_MERGEPEN: mode = QPainter::RasterOp_SourceOrDestination; break;
    default: break;
    }
    if (mode != QPainter::CompositionMode_SourceOver && !m_raster) {
        // Without pixels to combine with, inverting the device draws nothing
        // and the other operations draw the pen's colour.
        if (rop2 == R2_NOT)
            return false;
        mode = QPainter::CompositionMode_SourceOver;
    }
    m_painter.setCompositionMode(mode);
    return true;
}

namespace {

QBrush withColor(const QBrush& brush, const QColor& original, const QColor& color)
{
    if (original == color)
        return brush;
    if (brush.style() == Qt::SolidPattern)
        return QBrush(color);
    if (brush.style() == Qt::TexturePattern) {
        // A hatch: recolour its lines; the background keeps its colour.
        QImage tile = brush.textureImage().convertToFormat(QImage::Format_ARGB32);
        const QRgb from = original.rgb(), to = color.rgb();
        for (int y = 0; y < tile.height(); ++y)
            for (int x = 0; x < tile.width(); ++x)
                if (tile.pixel(x, y) == from)
                    tile.setPixel(x, y, to);
        return QBrush(tile);
    }
    return QBrush(color);
}

QColor brushColor(const QBrush& brush)
{
    if (brush.style() == Qt::TexturePattern) {
        // The hatch's line colour: the pixel that differs from the corner.
        const QImage tile = brush.textureImage();
        if (tile.width() > 4 && tile.height() > 4)
            return QColor::fromRgba(tile.pixel(4, 4));
    }
    return brush.color();
}

} // namespace

void QPainterBackend::FillPath(const QPainterPath& path, const QBrush& brush, const DrawAttrs& attrs)
{
    if (!begin())
        return;
    const QColor original = brushColor(brush);
    QColor color = original;
    if (!applyRop(attrs.rop2, &color))
        return;
    m_painter.setBrushOrigin(attrs.brushOrigin);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(withColor(brush, original, color));
    m_painter.drawPath(path);
}

bool QPainterBackend::DrawGlyphs(const QGlyphRun& run, double stretch, const QColor& color, bool smooth,
                                 const DrawAttrs& attrs)
{
    // Only pixels: a vector device (a PDF) keeps text as outlines.
    if (!m_raster || !begin())
        return false;
    QColor ink = color;
    if (!applyRop(attrs.rop2, &ink))
        return true;
    m_painter.setPen(ink);
    m_painter.setRenderHint(QPainter::TextAntialiasing, smooth);
    // A narrowed or widened font: the engine hints the face's own outline
    // and then scales it, as the platform does for a font's width.
    if (stretch != 1.0)
        m_painter.setTransform(QTransform::fromScale(stretch, 1.0));
    m_painter.drawGlyphRun(QPointF(), run);
    if (stretch != 1.0)
        m_painter.resetTransform();
    return true;
}

void QPainterBackend::StrokePath(const QPainterPath& path, const QPen& pen, const DrawAttrs& attrs)
{
    if (!begin())
        return;
    QColor color = pen.color();
    if (!applyRop(attrs.rop2, &color))
        return;
    if (m_raster && m_painter.compositionMode() != QPainter::CompositionMode_SourceOver) {
        // Thin lines that combine with the destination: pixel by pixel,
        // not through the painter's span compositing.
        QImage* image = static_cast<QImage*>(m_device);
        if (RopLineRasterizer::Accepts(*image, pen, path)) {
            RopLineRasterizer::Draw(image, path, color.rgb(), attrs.rop2, m_clip ? &*m_clip : nullptr);
            return;
        }
    }
    m_painter.setBrush(Qt::NoBrush);
    QPen p = pen;
    p.setColor(color);
    if (attrs.opaqueBackground && p.style() == Qt::CustomDashLine) {
        // The gaps of a styled line take the background colour.
        QPen gaps = p;
        gaps.setStyle(Qt::SolidLine);
        gaps.setColor(attrs.background);
        m_painter.setPen(gaps);
        m_painter.drawPath(path);
    }
    m_painter.setPen(p);
    m_painter.drawPath(path);
}

void QPainterBackend::FillRegion(const QRegion& region, const QBrush& brush, const DrawAttrs& attrs)
{
    if (region.isEmpty() || !begin())
        return;
    const QColor original = brushColor(brush);
    QColor color = original;
    if (!applyRop(attrs.rop2, &color))
        return;
    m_painter.setBrushOrigin(attrs.brushOrigin);
    const QBrush b = withColor(brush, original, color);
    for (const QRect& r : region)
        m_painter.fillRect(r, b);
}

void QPainterBackend::DrawImage(const QRectF& target, const QImage& image, const QRectF& source, bool smooth)
{
    if (!begin())
        return;
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QRect src = source.toAlignedRect().intersected(image.rect());
    if (src.isEmpty() || source.width() <= 0 || source.height() <= 0)
        return;
    if (smooth) {
        // Whole source pixels are scaled, so the target grows by the parts
        // of the pixels the source cuts; the clip hides what lies beyond.
        const double kx = target.width() / source.width(), ky = target.height() / source.height();
        const QRectF whole(target.left() + (src.left() - source.left()) * kx,
                           target.top() + (src.top() - source.top()) * ky, src.width() * kx, src.height() * ky);
        const QSize size(std::max(1, int(whole.width() + 0.5)), std::max(1, int(whole.height() + 0.5)));
        const QImage scaled = image.copy(src).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_painter.save();
        m_painter.setClipRect(target, Qt::IntersectClip);
        m_painter.drawImage(QPointF(std::round(whole.left()), std::round(whole.top())), scaled);
        m_painter.restore();
    } else {
        // The fractional source keeps the pixel grid where a visible part
        // starts inside a source pixel.
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        m_painter.drawImage(target, image, source);
    }
}

bool QPainterBackend::ReadPixels(const QRect& rect, QImage* out)
{
    if (!m_raster)
        return false;
    // The raster engine paints straight into the image: its pixels are
    // current while the painter is active.
    const QImage* image = static_cast<const QImage*>(m_device);
    *out = image->copy(rect).convertToFormat(QImage::Format_ARGB32);
    return !out->isNull();
}

void QPainterBackend::DrawImageTransformed(const QTransform& imageToDevice, const QImage& image, bool smooth)
{
    if (!begin() || image.isNull())
        return;
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    m_painter.setTransform(imageToDevice);
    m_painter.drawImage(QPointF(0, 0), image);
    m_painter.restore();
}
