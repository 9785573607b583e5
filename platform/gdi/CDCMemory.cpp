// Memory device contexts: drawing on a selected bitmap, and transfers whose
// source is another device context.
#include "platform/gdi/CDC.h"

#include "platform/gdi/BltRenderer.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/GdiColor.h"
#include "platform/gdi/QPainterBackend.h"
#include "platform/gdi/Rop3.h"

#include <cmath>

namespace {

// Colour pixels as a monochrome bitmap sees them: white where they have
// the source's background colour, black elsewhere.
void toMonochrome(QImage& image, COLORREF background)
{
    const QRgb bk = toQColor(background).rgb() & 0xffffff;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = (line[x] & 0xffffff) == bk ? 0xffffffffu : 0xff000000u;
    }
}

// A monochrome bitmap holds black and white only: whatever a pattern or a
// combination left in between goes to the nearer of the two.
void keepMonochrome(QImage& image, const QRect& area)
{
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x)
            line[x] = qGray(line[x]) >= 128 ? 0xffffffffu : 0xff000000u;
    }
}

} // namespace

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    (void)dc; // every bitmap here is either monochrome or true colour
    if (m_backend || m_memory)
        return FALSE;
    m_memory = true;
    selectBitmap(GdiBitmap::Stock());
    return TRUE;
}

HGDIOBJ CDC::selectBitmap(HBITMAP bitmap)
{
    if (!m_memory || bitmap == nullptr || bitmap->IsDeleted())
        return nullptr;
    if (bitmap->SelectedIn() != nullptr && bitmap->SelectedIn() != this)
        return nullptr;
    HGDIOBJ prev = m_bitmap.get();
    // The painter works on the old bitmap's pixels until it ends here.
    m_backend.reset();
    if (m_bitmap && !m_bitmap->IsStock())
        m_bitmap->SetSelectedIn(nullptr);
    m_bitmap = bitmap;
    if (!bitmap->IsStock())
        bitmap->SetSelectedIn(this);
    m_backend = std::make_unique<QPainterBackend>(&bitmap->Image());
    m_state.mapping.SetMetrics(DeviceMetrics());
    m_clipDirty = true;
    return prev;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    if (bitmap == nullptr)
        return nullptr;
    return static_cast<CBitmap*>(tempWrapper(selectBitmap(static_cast<HBITMAP>(bitmap->m_hObject))));
}

COLORREF CDC::GetPixel(int x, int y) const
{
    if (!m_backend || !PtVisible(x, y))
        return CLR_INVALID;
    POINT p(x, y);
    LPtoDP(&p);
    QImage pixel;
    if (!m_backend->ReadPixels(QRect(int(p.x), int(p.y), 1, 1), &pixel))
        return CLR_INVALID;
    const QRgb c = pixel.pixel(0, 0);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

bool CDC::readSource(CDC* src, int xSrc, int ySrc, int wSrc, int hSrc, DibImage* out, QRectF* sourceRect)
{
    if (src == nullptr || !src->m_backend)
        return false;
    const QRectF logical(QPointF(xSrc, ySrc), QPointF(double(xSrc) + wSrc, double(ySrc) + hSrc));
    const QRectF device = src->m_state.mapping.ToDevice().mapRect(logical).normalized();
    if (!std::isfinite(device.width()) || !std::isfinite(device.height()))
        return false;
    const QRect pixels(QPoint(int(std::lround(device.left())), int(std::lround(device.top()))),
                       QPoint(int(std::lround(device.right())) - 1, int(std::lround(device.bottom())) - 1));
    if (pixels.isEmpty() || qint64(pixels.width()) * pixels.height() > MaxBitmapPixels)
        return false;
    QImage image;
    if (!src->m_backend->ReadPixels(pixels, &image))
        return false;
    // Outside the source device the platform reads black.
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xff000000u;
    }
    const bool srcMono = src->m_bitmap && src->m_bitmap->Monochrome();
    const bool dstMono = m_bitmap && m_bitmap->Monochrome();
    if (dstMono && !srcMono)
        toMonochrome(image, src->GetBkColor());
    out->image = image;
    out->header.width = image.width();
    out->header.height = -image.height();
    out->header.bitCount = srcMono ? 1 : 32;
    // Only a monochrome source into a colour destination takes the
    // destination's colours; between monochrome bitmaps bits copy as they are.
    out->monochrome = srcMono && !dstMono;
    out->hasAlpha = false;
    *sourceRect = QRectF(image.rect());
    return true;
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    return StretchBlt(x, y, w, h, src, xSrc, ySrc, w, h, rop);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop)
{
    BltOp op;
    op.table = op.backTable = Rop3::Index(rop);
    op.sameSize = w == wSrc && h == hSrc;
    DibImage image;
    QRectF source;
    const bool usesSource = Rop3::UsesSource(op.table);
    if (usesSource && !readSource(src, xSrc, ySrc, wSrc, hSrc, &image, &source))
        return FALSE;
    const BOOL done = blt(x, y, w, h, usesSource ? &image : nullptr, source, op);
    if (done && m_bitmap && m_bitmap->Monochrome()) {
        m_backend->Flush();
        const QRectF target = m_state.mapping.ToDevice().mapRect(QRectF(x, y, w, h)).normalized();
        keepMonochrome(m_bitmap->Image(), target.toAlignedRect());
    }
    return done;
}
