#include "platform/gdi/GdiObjects.h"

#include "platform/types/QtGeometry.h"

#include <QPolygon>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Region coordinates from files may be anything: clamp them before the
// width and height are taken.
QRect safeRect(const RECT& r)
{
    static constexpr long long limit = 1 << 26;
    auto c = [](long long v) { return int(std::clamp(v, -limit, limit)); };
    const int l = c(r.left), t = c(r.top), rr = c(r.right), b = c(r.bottom);
    return QRect(QPoint(std::min(l, rr), std::min(t, b)), QSize(std::abs(rr - l), std::abs(b - t)));
}

std::array<GdiObject*, STOCK_LAST + 1> makeStock()
{
    std::array<GdiObject*, STOCK_LAST + 1> s{};
    s[WHITE_BRUSH] = GdiBrush::Stock(BS_SOLID, RGB(255, 255, 255));
    s[LTGRAY_BRUSH] = GdiBrush::Stock(BS_SOLID, RGB(192, 192, 192));
    s[GRAY_BRUSH] = GdiBrush::Stock(BS_SOLID, RGB(128, 128, 128));
    s[DKGRAY_BRUSH] = GdiBrush::Stock(BS_SOLID, RGB(64, 64, 64));
    s[BLACK_BRUSH] = GdiBrush::Stock(BS_SOLID, RGB(0, 0, 0));
    s[NULL_BRUSH] = GdiBrush::Stock(BS_NULL, 0);
    s[WHITE_PEN] = GdiPen::Stock(RGB(255, 255, 255), false);
    s[BLACK_PEN] = GdiPen::Stock(RGB(0, 0, 0), false);
    s[NULL_PEN] = GdiPen::Stock(0, true);
    s[DEFAULT_PALETTE] = GdiPalette::Stock();
    // The DC pen and brush draw as their default colours.
    s[DC_BRUSH] = GdiBrush::Stock(BS_SOLID, RGB(255, 255, 255));
    s[DC_PEN] = GdiPen::Stock(RGB(0, 0, 0), false);
    return s;
}

QRegion unionRange(const std::vector<RECT>& rects, size_t begin, size_t end)
{
    if (end - begin <= 8) {
        QRegion r;
        for (size_t i = begin; i < end; ++i) {
            const QRect q = safeRect(rects[i]);
            if (!q.isEmpty())
                r += q;
        }
        return r;
    }
    const size_t mid = begin + (end - begin) / 2;
    return unionRange(rects, begin, mid).united(unionRange(rects, mid, end));
}

bool banded(const std::vector<RECT>& rects)
{
    // Qt's setRects wants y-x banded, non-overlapping rectangles.
    for (size_t i = 0; i < rects.size(); ++i) {
        const RECT& r = rects[i];
        if (r.IsRectEmpty())
            return false;
        if (i == 0)
            continue;
        const RECT& p = rects[i - 1];
        if (r.top == p.top) {
            if (r.bottom != p.bottom || r.left < p.right)
                return false;
        } else if (r.top < p.bottom) {
            return false;
        }
    }
    return true;
}

} // namespace

HGDIOBJ GetStockObject(int index)
{
    static const auto stock = makeStock();
    if (index < 0 || index > STOCK_LAST)
        return nullptr;
    if (HFONT font = GetStockFont(index))
        return font;
    return stock[size_t(index)];
}

BOOL DeleteObject(HGDIOBJ object) { return object && object->DeleteHandle(); }

DWORD GetObjectType(HGDIOBJ object) { return object ? object->Type() : 0; }

HPEN CreatePen(int style, int width, COLORREF color) { return new GdiPen(UINT(style), width, color); }

HPEN CreatePenIndirect(const LOGPEN* pen)
{
    return pen ? CreatePen(int(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor) : nullptr;
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles)
{
    if (!brush)
        return nullptr;
    const UINT kind = style & PS_STYLE_MASK;
    std::vector<DWORD> entries;
    if (kind == PS_USERSTYLE) {
        // At most sixteen entries, not all zero.
        if (styleCount == 0 || styleCount > 16 || !styles)
            return nullptr;
        entries.assign(styles, styles + styleCount);
        bool any = false;
        for (DWORD e : entries)
            any |= e != 0;
        if (!any)
            return nullptr;
    }
    if ((style & PS_TYPE_MASK) == PS_COSMETIC && width != 1)
        return nullptr; // a cosmetic extended pen is one pixel wide
    if (kind == PS_ALTERNATE && (style & PS_TYPE_MASK) == PS_GEOMETRIC)
        return nullptr;
    return new GdiPen(style, width, *brush, std::move(entries));
}

HBRUSH CreateSolidBrush(COLORREF color) { return new GdiBrush(BS_SOLID, color, 0); }

HBRUSH CreateHatchBrush(int hatch, COLORREF color) { return new GdiBrush(BS_HATCHED, color, hatch); }

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush)
{
    return brush ? new GdiBrush(brush->lbStyle, brush->lbColor, int(brush->lbHatch)) : nullptr;
}

HRGN CreateRectRgn(int l, int t, int r, int b)
{
    const QRect q = safeRect(RECT(l, t, r, b));
    return new GdiRegion(q.isEmpty() ? QRegion() : QRegion(q));
}

HRGN CreateRectRgnIndirect(const RECT* rect)
{
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int l, int t, int r, int b)
{
    const QRect q = safeRect(RECT(l, t, r, b));
    return new GdiRegion(q.isEmpty() ? QRegion() : QRegion(q, QRegion::Ellipse));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    INT c = count;
    return CreatePolyPolygonRgn(points, &c, 1, fillMode);
}

HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polys, int fillMode)
{
    if (!points || !counts || polys <= 0)
        return nullptr;
    QRegion region;
    const Qt::FillRule rule = fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    QPolygon all;
    int at = 0;
    for (int i = 0; i < polys; ++i) {
        if (counts[i] < 0)
            return nullptr;
        QPolygon poly;
        for (int k = 0; k < counts[i]; ++k)
            poly << QPoint(points[at + k].x, points[at + k].y);
        at += counts[i];
        if (poly.size() >= 3) {
            if (polys == 1)
                region = QRegion(poly, rule);
            else
                region = region.xored(QRegion(poly, rule));
        }
    }
    return new GdiRegion(region);
}

HRGN ExtCreateRegion(const XFORM* xform, const std::vector<RECT>& rects)
{
    if (!xform)
        return new GdiRegion(RegionFromRects(rects));
    QRegion region;
    const QTransform t(xform->eM11, xform->eM12, xform->eM21, xform->eM22, xform->eDx, xform->eDy);
    for (const RECT& r : rects) {
        const QPolygonF poly = t.map(QPolygonF(QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom))));
        QPolygon device;
        for (const QPointF& p : poly)
            device << QPoint(int(std::clamp(p.x(), -double(1 << 26), double(1 << 26))),
                             int(std::clamp(p.y(), -double(1 << 26), double(1 << 26))));
        region += QRegion(device);
    }
    return new GdiRegion(region);
}

QRegion RegionFromRects(const std::vector<RECT>& rects)
{
    if (rects.empty())
        return {};
    if (banded(rects)) {
        std::vector<QRect> q;
        q.reserve(rects.size());
        for (const RECT& r : rects)
            q.push_back(safeRect(r));
        QRegion region;
        region.setRects(q.data(), int(q.size()));
        return region;
    }
    // Rectangles in no particular order: a union, bounded so that hostile
    // data (the platform's own region data is always banded) cannot build a
    // region of quadratic size; past the bound the rest counts by its
    // bounding box.
    constexpr size_t MaxUnion = 65536;
    QRegion region = unionRange(rects, 0, std::min(rects.size(), MaxUnion));
    if (rects.size() > MaxUnion) {
        CRect box;
        for (size_t i = MaxUnion; i < rects.size(); ++i) {
            CRect r = rects[i];
            r.NormalizeRect();
            box.UnionRect(box, r);
        }
        if (!box.IsRectEmpty())
            region += safeRect(box);
    }
    return region;
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode)
{
    if (!dest || !src1)
        return RGN_ERROR;
    if (mode == RGN_COPY) {
        dest->SetRegion(src1->Region());
        return dest->Complexity();
    }
    if (!src2)
        return RGN_ERROR;
    switch (mode) {
    case RGN_AND: dest->SetRegion(src1->Region().intersected(src2->Region())); break;
    case RGN_OR: dest->SetRegion(src1->Region().united(src2->Region())); break;
    case RGN_XOR: dest->SetRegion(src1->Region().xored(src2->Region())); break;
    case RGN_DIFF: dest->SetRegion(src1->Region().subtracted(src2->Region())); break;
    default: return RGN_ERROR;
    }
    return dest->Complexity();
}

int OffsetRgn(HRGN region, int dx, int dy)
{
    if (!region)
        return RGN_ERROR;
    region->SetRegion(region->Region().translated(dx, dy));
    return region->Complexity();
}

int GetRgnBox(HRGN region, RECT* rect)
{
    if (!region || !rect)
        return RGN_ERROR;
    *rect = region->Region().isEmpty() ? CRect() : toCRect(region->Region().boundingRect());
    return region->Complexity();
}

BOOL PtInRegion(HRGN region, int x, int y) { return region && region->Region().contains(QPoint(x, y)); }

BOOL RectInRegion(HRGN region, const RECT* rect)
{
    if (!region || !rect)
        return FALSE;
    const QRect q = safeRect(*rect);
    return !q.isEmpty() && region->Region().intersects(q);
}

BOOL EqualRgn(HRGN a, HRGN b) { return a && b && a->Region() == b->Region(); }

BOOL SetRectRgn(HRGN region, int l, int t, int r, int b)
{
    if (!region)
        return FALSE;
    const QRect q = safeRect(RECT(l, t, r, b));
    region->SetRegion(q.isEmpty() ? QRegion() : QRegion(q));
    return TRUE;
}

HPALETTE CreatePalette(const std::vector<PALETTEENTRY>& entries)
{
    if (entries.empty() || entries.size() > GdiPalette::MaxEntries)
        return nullptr;
    return new GdiPalette(entries);
}

UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries)
{
    return palette && entries ? palette->SetEntries(start, entries, count) : 0;
}

BOOL ResizePalette(HPALETTE palette, UINT count) { return palette && palette->Resize(count); }
