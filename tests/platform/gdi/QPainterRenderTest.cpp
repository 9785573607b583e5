#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/QPainterBackend.h"

#include <gtest/gtest.h>
#include <cmath>

namespace {

QImage canvas(int w, int h, QColor fill = Qt::white)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QString rows(const QImage& image, QRgb ink)
{
    QString s;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            s += image.pixel(x, y) == ink ? QLatin1Char('#') : QLatin1Char('.');
        s += QLatin1Char('\n');
    }
    return s;
}

} // namespace

TEST(QPainterRender, AllSixteenBinaryRasterOperationsAreExact)
{
    const QRgb dst = qRgb(0x5A, 0x3C, 0x96);
    const COLORREF pen = RGB(0x33, 0xCC, 0x0F);
    const QRgb s = qRgb(0x33, 0xCC, 0x0F);
    auto op = [&](int rop) -> QRgb {
        const uint32_t S = s & 0xFFFFFF, D = dst & 0xFFFFFF;
        uint32_t r = 0;
        switch (rop) {
        case R2_BLACK: r = 0; break;
        case R2_NOTMERGEPEN: r = ~(S | D); break;
        case R2_MASKNOTPEN: r = ~S & D; break;
        case R2_NOTCOPYPEN: r = ~S; break;
        case R2_MASKPENNOT: r = S & ~D; break;
        case R2_NOT: r = ~D; break;
        case R2_XORPEN: r = S ^ D; break;
        case R2_NOTMASKPEN: r = ~(S & D); break;
        case R2_MASKPEN: r = S & D; break;
        case R2_NOTXORPEN: r = ~(S ^ D); break;
        case R2_NOP: r = D; break;
        case R2_MERGENOTPEN: r = ~S | D; break;
        case R2_COPYPEN: r = S; break;
        case R2_MERGEPENNOT: r = S | ~D; break;
        case R2_MERGEPEN: r = S | D; break;
        case R2_WHITE: r = 0xFFFFFF; break;
        }
        return 0xFF000000u | (r & 0xFFFFFF);
    };
    for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
        QImage image = canvas(8, 8, QColor(dst));
        {
            CDC dc(std::make_unique<QPainterBackend>(&image));
            CBrush brush(pen);
            dc.SelectObject(&brush);
            dc.SelectStockObject(NULL_PEN);
            dc.SetROP2(rop);
            dc.Rectangle(2, 2, 7, 7);
        }
        EXPECT_EQ(image.pixel(3, 3), op(rop)) << "ROP2 " << rop;
        EXPECT_EQ(image.pixel(0, 0), dst) << "ROP2 " << rop << " outside the shape";
        // Fills are aliased: no pixel in between.
        EXPECT_EQ(image.pixel(1, 3), dst) << "ROP2 " << rop;
    }
}

TEST(QPainterRender, XorTwiceRestoresTheDestination)
{
    QImage image = canvas(20, 20, QColor(10, 200, 30));
    const QImage before = image;
    {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        CPen pen(PS_SOLID, 3, RGB(200, 100, 50));
        dc.SelectObject(&pen);
        dc.SetROP2(R2_XORPEN);
        for (int i = 0; i < 2; ++i) {
            dc.MoveTo(1, 1);
            dc.LineTo(18, 15);
        }
    }
    EXPECT_EQ(image, before);
}

TEST(QPainterRender, HatchesAreThePlatformsPatternsWithOpaqueGaps)
{
    QImage image = canvas(8, 8);
    {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        CBrush hatch;
        hatch.CreateHatchBrush(HS_CROSS, RGB(0, 0, 0));
        dc.SelectObject(&hatch);
        dc.SelectStockObject(NULL_PEN);
        dc.SetBkColor(RGB(255, 0, 0));
        dc.Rectangle(0, 0, 9, 9);
    }
    EXPECT_EQ(rows(image, qRgb(0, 0, 0)), QStringLiteral("....#...\n....#...\n....#...\n....#...\n"
                                                         "########\n....#...\n....#...\n....#...\n"));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0)) << "OPAQUE fills the gaps with the background colour";

    QImage transparent = canvas(8, 8);
    {
        CDC dc(std::make_unique<QPainterBackend>(&transparent));
        CBrush hatch;
        hatch.CreateHatchBrush(HS_FDIAGONAL, RGB(0, 0, 0));
        dc.SelectObject(&hatch);
        dc.SelectStockObject(NULL_PEN);
        dc.SetBkMode(TRANSPARENT);
        dc.Rectangle(0, 0, 9, 9);
    }
    EXPECT_EQ(transparent.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(transparent.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(transparent.pixel(1, 0), qRgb(255, 255, 255));
}

TEST(QPainterRender, CosmeticDotsAreThreeOnThreeOff)
{
    QImage image = canvas(16, 1);
    {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        CPen dots(PS_DOT, 0, RGB(0, 0, 0));
        dc.SelectObject(&dots);
        dc.SetBkMode(TRANSPARENT);
        dc.MoveTo(0, 0);
        dc.LineTo(16, 0);
    }
    EXPECT_EQ(rows(image, qRgb(0, 0, 0)), QStringLiteral("###...###...###.\n"));
}

TEST(QPainterRender, PolygonFillModes)
{
    // A square drawn twice around: the inner part has winding number 2.
    const POINT pts[] = {{1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}, {9, 1}, {9, 9}, {1, 9}};
    for (int mode : {ALTERNATE, WINDING}) {
        QImage image = canvas(10, 10);
        {
            CDC dc(std::make_unique<QPainterBackend>(&image));
            dc.SelectStockObject(BLACK_BRUSH);
            dc.SelectStockObject(NULL_PEN);
            dc.SetPolyFillMode(mode);
            dc.Polygon(pts, 8);
        }
        EXPECT_EQ(image.pixel(5, 5), mode == WINDING ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << mode;
        EXPECT_EQ(image.pixel(1, 1), mode == WINDING ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << mode;
    }
}

TEST(QPainterRender, HugePolygonsFillLikeSmallOnes)
{
    // The same disc as a 100 000-point polygon (scan-converted in bands)
    // and as a 1 000-point one (filled by the painter).
    auto disc = [](int n) {
        std::vector<POINT> pts{size_t(n)};
        for (int i = 0; i < n; ++i) {
            const double a = 2 * M_PI * i / n;
            pts[size_t(i)] = POINT(LONG(std::lround(50 + 40 * std::cos(a))), LONG(std::lround(50 + 40 * std::sin(a))));
        }
        return pts;
    };
    QImage big = canvas(100, 100), small = canvas(100, 100);
    for (auto [image, n] : {std::pair{&big, 100000}, std::pair{&small, 1000}}) {
        CDC dc(std::make_unique<QPainterBackend>(image));
        dc.SelectStockObject(BLACK_BRUSH);
        dc.SelectStockObject(NULL_PEN);
        const auto pts = disc(n);
        dc.Polygon(pts.data(), int(pts.size()));
    }
    int differ = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            differ += big.pixel(x, y) != small.pixel(x, y);
    EXPECT_LT(differ, 40); // only rounding along the edge
    EXPECT_EQ(big.pixel(50, 50), qRgb(0, 0, 0));
}

TEST(QPainterRender, ClippedDrawingStaysInsideTheClip)
{
    QImage image = canvas(20, 20);
    {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        dc.IntersectClipRect(5, 5, 10, 10);
        dc.SelectStockObject(BLACK_BRUSH);
        dc.PatBlt(0, 0, 20, 20, PATCOPY);
    }
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(9, 9), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(4, 5), qRgb(255, 255, 255));
}

TEST(QPainterRender, ImagesEnlargeSharpAndReduceSmooth)
{
    QImage checker(2, 2, QImage::Format_RGB32);
    checker.setPixel(0, 0, qRgb(0, 0, 0));
    checker.setPixel(1, 0, qRgb(255, 255, 255));
    checker.setPixel(0, 1, qRgb(255, 255, 255));
    checker.setPixel(1, 1, qRgb(0, 0, 0));
    QImage big = canvas(20, 20);
    {
        CDC dc(std::make_unique<QPainterBackend>(&big));
        dc.DrawImage(CRect(0, 0, 20, 20), checker);
    }
    EXPECT_EQ(big.pixel(9, 9), qRgb(0, 0, 0));
    EXPECT_EQ(big.pixel(10, 9), qRgb(255, 255, 255)) << "sharp edges when enlarging";

    QImage stripes(40, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    QImage small = canvas(4, 4, Qt::red);
    {
        CDC dc(std::make_unique<QPainterBackend>(&small));
        dc.DrawImage(CRect(0, 0, 4, 4), stripes);
    }
    EXPECT_NEAR(qGray(small.pixel(2, 2)), 128, 20) << "averaged when reducing";

    // A mapping that flips y mirrors the image; only the visible part is drawn.
    QImage flipped = canvas(20, 20);
    {
        CDC dc(std::make_unique<QPainterBackend>(&flipped));
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetViewportOrg(0, 20);
        dc.SetViewportExt(1, -1);
        dc.IntersectClipRect(0, 0, 10, 20);
        dc.DrawImage(CRect(0, 0, 20, 20), checker);
    }
    EXPECT_EQ(flipped.pixel(0, 19), qRgb(0, 0, 0));
    EXPECT_EQ(flipped.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(flipped.pixel(15, 0), qRgb(255, 255, 255)) << "outside the clip";
    EXPECT_EQ(flipped.pixel(15, 19), qRgb(255, 255, 255)) << "outside the clip";
}
