// Small text on pixels: drawn by the font engine the way each face's
// 'gasp' table asks (hinted black and white, or smoothed), so that no stem
// thinner than a pixel is lost, wherever the layout places the glyph.
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/FontResolver.h"
#include "platform/gdi/QPainterBackend.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace {

LOGFONTW arial(int height)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    const char* face = "Arial";
    for (int i = 0; face[i]; ++i)
        lf.lfFaceName[i] = char16_t(face[i]);
    return lf;
}

bool liberationSans()
{
    const auto f = FontResolver::Resolve(arial(-20));
    return f->raw.isValid() && f->family == QLatin1String("Liberation Sans");
}

// Text drawn on white through a mapping that shrinks 1000 logical units to
// 733 pixels, so the glyphs land at every fraction of a pixel.
QImage draw(int logicalHeight, const QString& text, int advance)
{
    QImage image(420, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(1000, 1000);
        dc.SetViewportExt(733, 733);
        CFont font;
        const LOGFONTW lf = arial(logicalHeight);
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        std::vector<INT> dx(size_t(text.size()), advance);
        dc.ExtTextOut(10, 10, 0, nullptr, text, dx.data());
    }
    return image;
}

// Runs of columns with ink at least minInk pixels tall.
int stems(const QImage& image, int minInk)
{
    int runs = 0;
    bool inRun = false;
    for (int x = 0; x < image.width(); ++x) {
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        const bool stem = ink >= minInk;
        runs += stem && !inRun ? 1 : 0;
        inRun = stem;
    }
    return runs;
}

} // namespace

TEST(SmallTextRender, EveryStemSurvivesAtAnyFractionOfAPixel)
{
    if (!liberationSans())
        GTEST_SKIP() << "Liberation Sans is not installed";
    // 15 units at 0.733 pixels a unit: 10 pixels an em, 'l' one pixel wide,
    // each glyph 12.46 pixels after the last.
    const QString ells(30, QLatin1Char('l'));
    EXPECT_EQ(stems(draw(-15, ells, 17), 6), 30);
    const QString dees(30, QLatin1Char('d'));
    EXPECT_EQ(stems(draw(-15, dees, 17), 6), 30) << "every 'd' keeps its stem";
}

TEST(SmallTextRender, BlackAndWhiteWhereTheFaceAsksElseSmoothed)
{
    if (!liberationSans())
        GTEST_SKIP() << "Liberation Sans is not installed";
    auto greys = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int g = qGray(image.pixel(x, y));
                n += g > 0 && g < 255 ? 1 : 0;
            }
        return n;
    };
    // 12 pixels an em: hinted black and white. 7: smoothed.
    const QImage twelve = draw(-17, QStringLiteral("Coordonnees Ligne"), 12);
    EXPECT_EQ(greys(twelve), 0);
    EXPECT_GT(stems(twelve, 1), 10);
    EXPECT_GT(greys(draw(-10, QStringLiteral("Coordonnees Ligne"), 8)), 20);
}
