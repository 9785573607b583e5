// One-pixel lines under raster operations: the pixels the platform draws,
// the sixteen operations on them, clipping, and agreement with the painter's
// own compositing where both choose the same pixels.
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/QPainterBackend.h"
#include "platform/gdi/RopLineRasterizer.h"

#include <gtest/gtest.h>
#include <QPainter>
#include <functional>
#include <random>

namespace {

QImage canvas(int w, int h, QRgb fill = qRgb(255, 255, 255))
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// A background whose every pixel differs, so that a raster operation shows
// on each one.
QImage patterned(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 37 + y * 11) & 0xFF, (x * 5 + y * 71) & 0xFF, (x * y + 3) & 0xFF));
    return image;
}

QString rows(const QImage& image, QRgb background = qRgb(255, 255, 255))
{
    QString s;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            s += image.pixel(x, y) == background ? QLatin1Char('.') : QLatin1Char('#');
        s += QLatin1Char('\n');
    }
    return s;
}

// Lines drawn through a device context with a cosmetic pen and rop2.
void draw(QImage* image, int rop2, COLORREF color, const std::function<void(CDC&)>& lines)
{
    CDC dc(std::make_unique<QPainterBackend>(image));
    CPen pen(PS_SOLID, 0, color);
    dc.SelectObject(&pen);
    dc.SetROP2(rop2);
    lines(dc);
}

void line(CDC& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

} // namespace

TEST(RopLineRasterizer, LinesTouchThePlatformsPixels)
{
    // As the reference renderer draws them: the first point drawn, the last
    // one not, halves rounded towards the smaller coordinate, in all
    // directions.
    struct Case {
        int x1, y1, x2, y2;
        const char* pixels;
    } cases[] = {
        {0, 0, 6, 0, "######.\n.......\n"},
        {6, 1, 0, 1, ".......\n.######\n"},
        {0, 0, 6, 3, "##.....\n..##...\n....##.\n.......\n"},
        {6, 3, 0, 0, ".#.....\n..##...\n....##.\n......#\n"},
        {0, 3, 6, 0, ".....#.\n...##..\n.##....\n#......\n"},
        {6, 0, 0, 3, ".....##\n...##..\n.##....\n.......\n"},
        {1, 0, 3, 5, ".#..\n.#..\n..#.\n..#.\n...#\n....\n"},
        {3, 5, 1, 0, "....\n.#..\n..#.\n..#.\n...#\n...#\n"},
        {0, 0, 3, 3, "#...\n.#..\n..#.\n....\n"},
    };
    for (const Case& c : cases) {
        const QString expected = QString::fromLatin1(c.pixels);
        const int w = int(expected.indexOf(QLatin1Char('\n'))), h = int(expected.count(QLatin1Char('\n')));
        QImage image = canvas(w, h);
        draw(&image, R2_XORPEN, RGB(255, 255, 255), [&](CDC& dc) { line(dc, c.x1, c.y1, c.x2, c.y2); });
        EXPECT_EQ(rows(image), expected) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
    }
}

TEST(RopLineRasterizer, AllSixteenOperationsOnALine)
{
    const QRgb dst = qRgb(0x5A, 0x3C, 0x96);
    const uint32_t S = 0x33CC0F, D = dst & 0xFFFFFF;
    const uint32_t expected[16] = {0,      ~(S | D), ~S & D, ~S,     S & ~D,  ~D,     S ^ D,  ~(S & D),
                                   S & D,  ~(S ^ D), D,      ~S | D, S,       S | ~D, S | D,  0xFFFFFF};
    for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
        QImage image = canvas(8, 3, dst);
        draw(&image, rop, RGB(0x33, 0xCC, 0x0F), [](CDC& dc) { line(dc, 1, 1, 7, 1); });
        EXPECT_EQ(image.pixel(3, 1), 0xFF000000u | (expected[rop - 1] & 0xFFFFFF)) << "ROP2 " << rop;
        EXPECT_EQ(image.pixel(7, 1), dst) << "ROP2 " << rop << ": the last point is not drawn";
        EXPECT_EQ(image.pixel(3, 0), dst) << "ROP2 " << rop;
    }
}

TEST(RopLineRasterizer, XorTwiceRestoresEveryLineAndFigure)
{
    std::mt19937 rng(7);
    const QImage before = patterned(100, 80);
    QImage image = before;
    {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        CRgn a, b, both;
        a.CreateRectRgn(5, 5, 60, 40);
        b.CreateEllipticRgn(30, 20, 95, 75);
        both.CreateRectRgn(0, 0, 0, 0);
        both.CombineRgn(&a, &b, RGN_OR);
        dc.SelectClipRgn(&both);
        dc.SetROP2(R2_XORPEN);
        dc.SelectStockObject(NULL_BRUSH);
        for (int pass = 0; pass < 2; ++pass) {
            std::mt19937 again = rng;
            for (int i = 0; i < 200; ++i) {
                CPen pen(PS_SOLID, 1, RGB(again() & 0xFF, again() & 0xFF, again() & 0xFF));
                dc.SelectObject(&pen);
                std::uniform_int_distribution<int> c(-40, 140);
                const POINT pts[4] = {{c(again), c(again)}, {c(again), c(again)}, {c(again), c(again)},
                                      {c(again), c(again)}};
                if (i % 3 == 0)
                    dc.Polygon(pts, 4);
                else if (i % 3 == 1)
                    dc.Polyline(pts, 4);
                else
                    line(dc, pts[0].x, pts[0].y, pts[1].x, pts[1].y);
                dc.SelectStockObject(BLACK_PEN);
            }
            if (pass == 0) {
                EXPECT_NE(image, before);
            }
        }
    }
    EXPECT_EQ(image, before);
}

TEST(RopLineRasterizer, ClippingKeepsThePixelsOfTheUnclippedLine)
{
    auto spokes = [](CDC& dc) {
        for (int i = 0; i < 24; ++i) {
            const double a = 6.283185307179586 * i / 24;
            line(dc, 40, 30, 40 + int(std::lround(60 * std::cos(a))), 30 + int(std::lround(60 * std::sin(a))));
        }
    };
    QImage whole = patterned(80, 60);
    const QImage background = whole;
    draw(&whole, R2_NOTXORPEN, RGB(10, 200, 90), spokes);

    QImage clipped = background;
    {
        CDC dc(std::make_unique<QPainterBackend>(&clipped));
        CPen pen(PS_SOLID, 0, RGB(10, 200, 90));
        dc.SelectObject(&pen);
        dc.SetROP2(R2_NOTXORPEN);
        dc.IntersectClipRect(10, 8, 70, 50);
        dc.ExcludeClipRect(30, 20, 50, 35);
        spokes(dc);
    }
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x) {
            const bool inside = x >= 10 && x < 70 && y >= 8 && y < 50 && !(x >= 30 && x < 50 && y >= 20 && y < 35);
            ASSERT_EQ(clipped.pixel(x, y), inside ? whole.pixel(x, y) : background.pixel(x, y)) << x << "," << y;
        }
}

TEST(RopLineRasterizer, FarEndsAreClippedToTheImage)
{
    QImage image = canvas(40, 10);
    draw(&image, R2_XORPEN, RGB(255, 255, 255), [](CDC& dc) {
        line(dc, -5000000, 3, 5000000, 3);
        line(dc, 7, -9000000, 7, 9000000);
        line(dc, -100000, -100000, 100000, 100000);
    });
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(image.pixel(x, 3), x == 7 || x == 3 ? qRgb(255, 255, 255) : qRgb(0, 0, 0)) << x;
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(image.pixel(7, y), y == 3 || y == 7 ? qRgb(255, 255, 255) : qRgb(0, 0, 0)) << y;
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 0));
}

TEST(RopLineRasterizer, SameImageAsThePaintersCompositingWhereBothAgreeOnPixels)
{
    // Lines drawn rightwards and downwards, diagonals and closed outlines:
    // the painter's own raster operations touch the same pixels there.
    const QRegion clip = QRegion(4, 4, 50, 30) + QRegion(20, 30, 30, 20);
    for (int rop : {R2_XORPEN, R2_NOT, R2_MASKPEN, R2_MERGEPENNOT, R2_NOTXORPEN}) {
        QPainterPath path;
        path.moveTo(2, 3);
        path.lineTo(58, 3);
        path.moveTo(5, 1);
        path.lineTo(5, 50);
        path.moveTo(0, 0);
        path.lineTo(45, 45);
        path.moveTo(10, 10);
        path.lineTo(40, 10);
        path.lineTo(40, 40);
        path.lineTo(10, 40);
        path.closeSubpath();
        QPen pen(QColor(0x33, 0x99, 0xCC), 0);
        pen.setCapStyle(Qt::FlatCap);
        for (const QRegion* c : {static_cast<const QRegion*>(nullptr), &clip}) {
            QImage slow = patterned(60, 55);
            QImage fast = slow;
            {
                QPainter p(&slow);
                if (c)
                    p.setClipRegion(*c);
                p.setCompositionMode(rop == R2_XORPEN         ? QPainter::RasterOp_SourceXorDestination
                                     : rop == R2_NOT          ? QPainter::RasterOp_NotDestination
                                     : rop == R2_MASKPEN      ? QPainter::RasterOp_SourceAndDestination
                                     : rop == R2_MERGEPENNOT  ? QPainter::RasterOp_SourceOrNotDestination
                                                              : QPainter::RasterOp_NotSourceXorDestination);
                p.setPen(pen);
                p.drawPath(path);
            }
            ASSERT_TRUE(RopLineRasterizer::Accepts(fast, pen, path));
            RopLineRasterizer::Draw(&fast, path, pen.color().rgb(), rop, c);
            EXPECT_EQ(fast, slow) << "ROP2 " << rop << (c ? " clipped" : "");
        }
    }
}

TEST(RopLineRasterizer, LeavesCurvesWideAndDashedPensAndFractionsToThePainter)
{
    const QImage image = canvas(10, 10);
    QPainterPath straight;
    straight.moveTo(1, 1);
    straight.lineTo(8, 5);
    EXPECT_TRUE(RopLineRasterizer::Accepts(image, QPen(Qt::black, 0), straight));
    EXPECT_FALSE(RopLineRasterizer::Accepts(image, QPen(Qt::black, 3), straight));
    QPen dashed(Qt::black, 0);
    dashed.setStyle(Qt::DashLine);
    EXPECT_FALSE(RopLineRasterizer::Accepts(image, dashed, straight));
    EXPECT_FALSE(RopLineRasterizer::Accepts(image.convertToFormat(QImage::Format_RGB16), QPen(Qt::black, 0), straight));
    QImage scaled = image;
    scaled.setDevicePixelRatio(2);
    EXPECT_FALSE(RopLineRasterizer::Accepts(scaled, QPen(Qt::black, 0), straight));
    QPainterPath curve;
    curve.moveTo(1, 1);
    curve.cubicTo(3, 8, 6, 0, 8, 8);
    EXPECT_FALSE(RopLineRasterizer::Accepts(image, QPen(Qt::black, 0), curve));
    QPainterPath fraction;
    fraction.moveTo(1.5, 1);
    fraction.lineTo(8, 5);
    EXPECT_FALSE(RopLineRasterizer::Accepts(image, QPen(Qt::black, 0), fraction));
}
