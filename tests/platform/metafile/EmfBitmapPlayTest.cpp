#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayback.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/EmfRecordTypes.h"
#include "tests/platform/metafile/EmfBuilder.h"

#include <gtest/gtest.h>

namespace {

EnhMetaFilePtr load(const QByteArray& b)
{
    return EnhMetaFilePtr(SetEnhMetaFileBits(UINT(b.size()), reinterpret_cast<const BYTE*>(b.constData())));
}

// EMR_STRETCHDIBITS of a 2 x 1 24-bit bitmap (red, blue) at (x, y), size w x h;
// offBits and cbBits as given to make it malformed.
std::vector<uint32_t> stretchDIBits(int x, int y, int w, int h, uint32_t offBits = 120, uint32_t cbBits = 8,
                                    int32_t bmpHeight = 1)
{
    return {0, 0, 0, 0, uint32_t(x), uint32_t(y), 0, 0, 2, 1, // bounds, dest, source 0,0 2x1
            80, 40, offBits, cbBits, DIB_RGB_COLORS, SRCCOPY, uint32_t(w), uint32_t(h),
            // BITMAPINFOHEADER: 2 x bmpHeight, 24 bits
            40, 2, uint32_t(bmpHeight), 1 | (24u << 16), 0, 8, 0, 0, 0, 0,
            // bits: red, blue, padding
            0xffff0000u, 0};
}

struct Played {
    QImage image{100, 100, QImage::Format_RGB32};
    EmfPlaybackStats stats;
    explicit Played(const EmfBuilder& b)
    {
        image.fill(Qt::white);
        auto mf = load(b.Bytes());
        CDC dc(std::make_unique<QPainterBackend>(&image));
        const RECT r(0, 0, 100, 100); // one metafile pixel = 1/10 pixel
        PlayEnhMetaFile(&dc, mf.get(), &r);
        dc.Flush();
        stats = LastEmfPlaybackStats();
    }
    QRgb at(int x, int y) const { return image.pixel(x, y) & 0xffffff; }
};

} // namespace

TEST(EmfBitmapPlay, StretchDIBitsDrawsAndBadBitmapsAreSkippedWhileTheRestPlays)
{
    EmfBuilder b;
    b.Record(EMR_STRETCHDIBITS, stretchDIBits(0, 0, 200, 100))
        .Record(EMR_STRETCHDIBITS, stretchDIBits(0, 200, 200, 100, 1000, 8)) // bits outside the record
        .Record(EMR_STRETCHDIBITS, stretchDIBits(0, 200, 200, 100, 120, 64))  // more bits than the record has
        .Record(EMR_STRETCHDIBITS, stretchDIBits(0, 200, 200, 100, 120, 8, 5000000)) // absurd height
        .Record(39, {1, BS_SOLID, RGB(0, 200, 0), 0})                        // CREATEBRUSHINDIRECT
        .Record(37, {1})                                                     // SELECTOBJECT
        .Record(43, {0, 500, 1000, 1000});                                   // RECTANGLE
    Played p(b);
    EXPECT_EQ(p.at(5, 5), 0xff0000u);
    EXPECT_EQ(p.at(15, 5), 0x0000ffu);
    EXPECT_EQ(p.at(5, 25), 0xffffffu) << "malformed bitmaps draw nothing";
    EXPECT_EQ(p.at(50, 75), 0x00c800u) << "records after them play";
    EXPECT_FALSE(p.stats.malformed);
    EXPECT_EQ(p.stats.skipped.count(EMR_STRETCHDIBITS), 1u);
}

TEST(EmfBitmapPlay, BitBltWithASourceAndPatternBrushes)
{
    EmfBuilder b;
    // EMR_BITBLT: bounds; dest 0,0 20x10; SRCCOPY; source 0,0; the source
    // DC's transform (a tenth: the 2 x 1 bitmap covers the destination);
    // background; usage; bmi at 100 (40 bytes), bits at 140 (8 bytes).
    std::vector<uint32_t> blt = {0, 0, 0, 0, 0, 0, 20, 10, SRCCOPY, 0, 0, EmfBuilder::F(0.1f), 0, 0, EmfBuilder::F(0.1f),
                                 0, 0, 0, DIB_RGB_COLORS, 100, 40, 140, 8,
                                 40, 2, 1, 1 | (24u << 16), 0, 8, 0, 0, 0, 0, 0x000000ffu, 0x000000ffu};
    // A 2 x 2 box 1-bit bitmap as a monochrome brush: bits 10 / 01.
    std::vector<uint32_t> mono = {2, DIB_RGB_COLORS, 32, 48, 80, 8,
                                  40, 2, 2, 1 | (1u << 16), 0, 8, 0, 0, 0, 0, 0, 0xffffff, 0x40, 0x80};
    b.Record(EMR_BITBLT, blt)
        .Record(EMR_SETTEXTCOLOR, {RGB(255, 0, 0)})
        .Record(EMR_SETBKCOLOR, {RGB(0, 0, 255)})
        .Record(EMR_CREATEMONOBRUSH, mono)
        .Record(37, {2})                                   // SELECTOBJECT
        .Record(EMR_BITBLT, {0, 0, 0, 0, 0, 100, 1000, 900, PATCOPY, 0, 0, EmfBuilder::F(1), 0, 0, EmfBuilder::F(1),
                             0, 0, 0, 0, 0, 0, 0, 0});
    Played p(b);
    EXPECT_EQ(p.at(0, 0), 0x0000ffu); // bytes FF 00 00: blue...
    EXPECT_EQ(p.at(1, 0), 0x00ff00u); // ...then green
    // The pattern is tiled in device pixels: neighbours differ, in the text and background colours.
    const QRgb a = p.at(10, 20), c = p.at(11, 20);
    EXPECT_NE(a, c);
    EXPECT_TRUE((a == 0xff0000u && c == 0x0000ffu) || (a == 0x0000ffu && c == 0xff0000u));
}

TEST(EmfBitmapPlay, ColourSpaceAndEscapeRecordsAreNotSkipped)
{
    EmfBuilder b;
    b.Record(EMR_SETICMMODE, {1}).Record(EMR_SETCOLORSPACE, {1}).Record(EMR_DELETECOLORSPACE, {1})
        .Record(EMR_NAMEDESCAPE, {0, 0, 0}).Record(EMR_EXTESCAPE, {0, 0}).Record(EMR_COLORCORRECTPALETTE, {1, 0, 0, 0});
    Played p(b);
    EXPECT_TRUE(p.stats.skipped.empty());
}

TEST(EmfBitmapPlay, GradientAndAlphaBlendRecords)
{
    EmfBuilder b;
    // EMR_GRADIENTFILL: bounds; 2 vertices, 1 rectangle, GRADIENT_FILL_RECT_V;
    // vertices x, y, red | green << 16, blue | alpha << 16; the rectangle's vertex indices.
    b.Record(EMR_GRADIENTFILL, {0, 0, 0, 0, 2, 1, GRADIENT_FILL_RECT_V, 0, 0, 0xff00, 0, 1000, 300, 0, 0, 0, 1})
        // The same with its mesh cut off by the record's size: nothing to fill, no harm.
        .Record(EMR_GRADIENTFILL, {0, 0, 0, 0, 2, 5, GRADIENT_FILL_RECT_H, 0, 0, 0, 0, 10, 10, 0, 0})
        // EMR_ALPHABLEND: dest 0,500 1000x500; constant alpha 128; a 1 x 1 32-bit
        // blue bitmap scaled by the source transform (a thousandth).
        .Record(EMR_ALPHABLEND, {0, 0, 0, 0, 0, 500, 1000, 500, 0x00800000u, 0, 0, EmfBuilder::F(0.001f), 0, 0,
                                 EmfBuilder::F(0.002f), 0, 0, 0, DIB_RGB_COLORS, 108, 40, 148, 4, 1000, 500,
                                 40, 1, 1, 1 | (32u << 16), 0, 4, 0, 0, 0, 0, 0x000000ffu});
    Played p(b);
    EXPECT_GT(qRed(p.at(50, 0)), 0xf0);           // the top of the vertical gradient is red
    EXPECT_LT(qRed(p.at(50, 28)), 0x30);           // its bottom almost black
    EXPECT_EQ(p.at(50, 75), qRgb(127, 127, 255) & 0xffffff); // half blue over white
    EXPECT_FALSE(p.stats.malformed);
}
