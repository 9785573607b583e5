#include "platform/gdi/Dib.h"
#include "platform/gdi/DibRle.h"
#include "tests/platform/gdi/DibTestData.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QRgb px(const DibImage& d, int x, int y) { return d.image.pixel(x, y) & 0xffffff; }

} // namespace

TEST(DibDecode, EveryBitCountGivesTheRightPixelsBottomUp)
{
    // 2 x 2 bitmaps; rows bottom-up, each padded to 4 bytes. Top row: red, green; bottom row: blue, white.
    const uint32_t R = 0xff0000, G = 0x00ff00, B = 0x0000ff, W = 0xffffff;
    DibImage d;
    {
        SCOPED_TRACE("1 bit");
        auto dib = TestDib::Make(2, 2, 1, BI_RGB, {0x0000ff, 0xff0000}, {0x40, 0, 0, 0, 0x80, 0, 0, 0});
        ASSERT_TRUE(dib.Decode(&d));
        EXPECT_EQ(px(d, 0, 1), B);
        EXPECT_EQ(px(d, 1, 1), R);
        EXPECT_EQ(px(d, 0, 0), R);
        EXPECT_EQ(px(d, 1, 0), B);
    }
    {
        SCOPED_TRACE("4 bit");
        auto dib = TestDib::Make(2, 2, 4, BI_RGB, {R, G, B, W}, {0x23, 0, 0, 0, 0x01, 0, 0, 0});
        ASSERT_TRUE(dib.Decode(&d));
        EXPECT_EQ(px(d, 0, 0), R);
        EXPECT_EQ(px(d, 1, 0), G);
        EXPECT_EQ(px(d, 0, 1), B);
        EXPECT_EQ(px(d, 1, 1), W);
    }
    {
        SCOPED_TRACE("8 bit");
        auto dib = TestDib::Make(2, 2, 8, BI_RGB, {R, G, B, W}, {2, 3, 0, 0, 0, 1, 0, 0});
        ASSERT_TRUE(dib.Decode(&d));
        EXPECT_EQ(px(d, 0, 0), R);
        EXPECT_EQ(px(d, 1, 0), G);
        EXPECT_EQ(px(d, 0, 1), B);
        EXPECT_EQ(px(d, 1, 1), W);
    }
    {
        SCOPED_TRACE("16 bit 5-5-5");
        auto dib = TestDib::Make(2, 2, 16, BI_RGB, {}, {0x1f, 0x00, 0xff, 0x7f, 0x00, 0x7c, 0xe0, 0x03});
        ASSERT_TRUE(dib.Decode(&d));
        EXPECT_EQ(px(d, 0, 0), R);
        EXPECT_EQ(px(d, 1, 0), G);
        EXPECT_EQ(px(d, 0, 1), B);
        EXPECT_EQ(px(d, 1, 1), W);
    }
    {
        SCOPED_TRACE("16 bit 5-6-5 bit fields");
        auto dib = TestDib::Make(2, 1, 16, BI_BITFIELDS, {0xf800, 0x07e0, 0x001f}, {0x00, 0xf8, 0x20, 0x00});
        ASSERT_TRUE(dib.Decode(&d));
        EXPECT_EQ(px(d, 0, 0), R);
        EXPECT_EQ(px(d, 1, 0), 0x000400u); // one step of six bits of green
    }
    {
        SCOPED_TRACE("24 bit");
        auto dib = TestDib::Make(2, 2, 24, BI_RGB, {}, {0xff, 0, 0, 0xff, 0xff, 0xff, 0, 0, 0, 0, 0xff, 0, 0xff, 0, 0, 0});
        ASSERT_TRUE(dib.Decode(&d));
        EXPECT_EQ(px(d, 0, 0), R);
        EXPECT_EQ(px(d, 1, 0), G);
        EXPECT_EQ(px(d, 0, 1), B);
        EXPECT_EQ(px(d, 1, 1), W);
    }
    {
        SCOPED_TRACE("32 bit keeps its alpha bytes");
        auto dib = TestDib::Make(1, 1, 32, BI_RGB, {}, {0x10, 0x20, 0x30, 0x80});
        ASSERT_TRUE(dib.Decode(&d));
        EXPECT_EQ(d.image.pixel(0, 0), qRgba(0x30, 0x20, 0x10, 0x80));
        EXPECT_TRUE(d.hasAlpha);
    }
    {
        SCOPED_TRACE("32 bit bit fields");
        auto dib = TestDib::Make(1, 1, 32, BI_BITFIELDS, {0x000000ff, 0x0000ff00, 0x00ff0000}, {0x11, 0x22, 0x33, 0x44});
        ASSERT_TRUE(dib.Decode(&d));
        EXPECT_EQ(px(d, 0, 0), 0x112233u);
        EXPECT_EQ(qAlpha(d.image.pixel(0, 0)), 0x44) << "the free top byte is the alpha";
    }
}

TEST(DibDecode, TopDownCoreAndPaletteColours)
{
    DibImage d;
    // Negative height: the first row in the data is the top row.
    auto top = TestDib::Make(1, -2, 8, BI_RGB, {0xff0000, 0x00ff00}, {0, 0, 0, 0, 1, 0, 0, 0});
    ASSERT_TRUE(top.Decode(&d));
    EXPECT_EQ(px(d, 0, 0), 0xff0000u);
    EXPECT_EQ(px(d, 0, 1), 0x00ff00u);

    // BITMAPCOREHEADER: 16-bit sizes and three-byte colour entries.
    TestDib core;
    core.bmi = {12, 0, 0, 0, 1, 0, 2, 0, 1, 0, 8, 0, 0x00, 0x00, 0xff, 0x00, 0xff, 0x00};
    core.bits = {1, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(core.Decode(&d));
    EXPECT_EQ(px(d, 0, 0), 0xff0000u); // bottom-up: the second row is the top
    EXPECT_EQ(px(d, 0, 1), 0x00ff00u);

    // DIB_PAL_COLORS: the table holds indices into the selected palette; an
    // index beyond it gives black.
    TestDib pal = TestDib::Make(3, 1, 8, BI_RGB, {}, {0, 1, 2, 0});
    pal.bmi[32] = 3;
    TestDib::put16(pal.bmi, 1);
    TestDib::put16(pal.bmi, 0);
    TestDib::put16(pal.bmi, 99);
    std::vector<PALETTEENTRY> palette(2);
    palette[0] = PALETTEENTRY{10, 20, 30, 0};
    palette[1] = PALETTEENTRY{40, 50, 60, 0};
    ASSERT_TRUE(pal.Decode(&d, DIB_PAL_COLORS, palette));
    EXPECT_EQ(px(d, 0, 0), 0x28323cu);
    EXPECT_EQ(px(d, 1, 0), 0x0a141eu);
    EXPECT_EQ(px(d, 2, 0), 0u);

    // Pixel indices beyond a short colour table are black.
    auto shortTable = TestDib::Make(2, 1, 8, BI_RGB, {0xffffff}, {0, 200, 0, 0});
    ASSERT_TRUE(shortTable.Decode(&d));
    EXPECT_EQ(px(d, 0, 0), 0xffffffu);
    EXPECT_EQ(px(d, 1, 0), 0u);
}

TEST(DibDecode, MonochromeIsOnlyABlackThenWhiteTable)
{
    DibImage d;
    ASSERT_TRUE(TestDib::Make(1, 1, 1, BI_RGB, {0, 0xffffff}, {0, 0, 0, 0}).Decode(&d));
    EXPECT_TRUE(d.monochrome);
    ASSERT_TRUE(TestDib::Make(1, 1, 1, BI_RGB, {0xffffff, 0}, {0, 0, 0, 0}).Decode(&d));
    EXPECT_FALSE(d.monochrome);
}

TEST(DibDecode, MalformedBitmapsAreRefusedOrDrawnAsFarAsTheyGo)
{
    DibImage d;
    // Truncated bits: the rows that are there are drawn, the rest black;
    // bits for less than half the rows do not describe the bitmap at all.
    auto cut = TestDib::Make(1, 2, 24, BI_RGB, {}, {0xff, 0xff, 0xff, 0});
    ASSERT_TRUE(cut.Decode(&d));
    EXPECT_EQ(px(d, 0, 1), 0xffffffu);
    EXPECT_EQ(px(d, 0, 0), 0u);
    EXPECT_FALSE(TestDib::Make(1, 3, 24, BI_RGB, {}, {0xff, 0xff, 0xff, 0}).Decode(&d));
    // Absurd dimensions against the pixel bound, zero width, unknown bit counts, bad compressions.
    EXPECT_FALSE(TestDib::Make(100000, 100000, 24, BI_RGB, {}, {0}).Decode(&d));
    EXPECT_FALSE(TestDib::Make(0, 1, 24, BI_RGB, {}, {0, 0, 0, 0}).Decode(&d));
    EXPECT_FALSE(TestDib::Make(1, 1, 7, BI_RGB, {}, {0, 0, 0, 0}).Decode(&d));
    EXPECT_FALSE(TestDib::Make(1, 1, 24, BI_RLE8, {}, {0, 0, 0, 0}).Decode(&d));
    EXPECT_FALSE(TestDib::Make(1, 1, 24, 77, {}, {0, 0, 0, 0}).Decode(&d));
    // A header larger than its range, and a height of INT32_MIN.
    auto big = TestDib::Make(1, 1, 24, BI_RGB, {}, {0, 0, 0, 0});
    EXPECT_FALSE(Dib::Decode(big.bmi.data(), 30, big.bits.data(), 4, DIB_RGB_COLORS, {}, 100, &d));
    auto minH = TestDib::Make(1, 1, 24, BI_RGB, {}, {0, 0, 0, 0});
    minH.bmi[8] = 0, minH.bmi[9] = 0, minH.bmi[10] = 0, minH.bmi[11] = 0x80;
    EXPECT_FALSE(minH.Decode(&d));
    // Bit fields without room for their masks.
    auto masks = TestDib::Make(1, 1, 16, BI_BITFIELDS, {}, {0, 0, 0, 0});
    EXPECT_FALSE(masks.Decode(&d));
}

TEST(DibDecode, RunLengthEncodingEdgeCases)
{
    std::vector<uint8_t> idx, drawn;
    // RLE8 on a 4 x 2 bitmap: a run of 3, end of line, a delta, an absolute
    // span of 3 (padded), and a run that goes past the row.
    const uint8_t rle8[] = {3, 5, 0, 0, 0, 2, 1, 0, 0, 3, 7, 8, 9, 0, 9, 1};
    ASSERT_TRUE(DibRle::Expand(rle8, sizeof rle8, 4, 2, false, &idx, &drawn));
    EXPECT_EQ(std::vector<uint8_t>(idx.begin(), idx.begin() + 4), (std::vector<uint8_t>{5, 5, 5, 0}));
    EXPECT_EQ(drawn[3], 0); // never reached
    EXPECT_EQ(std::vector<uint8_t>(idx.begin() + 4, idx.end()), (std::vector<uint8_t>{0, 7, 8, 9}));
    EXPECT_EQ(drawn[4], 0); // skipped by the delta

    // RLE4: runs alternate nibbles; an absolute span of 3 nibbles takes 2 bytes plus padding.
    const uint8_t rle4[] = {5, 0x12, 0, 1};
    ASSERT_TRUE(DibRle::Expand(rle4, sizeof rle4, 6, 1, true, &idx, &drawn));
    EXPECT_EQ(idx, (std::vector<uint8_t>{1, 2, 1, 2, 1, 0}));
    const uint8_t abs4[] = {0, 3, 0x34, 0x50, 0, 1};
    ASSERT_TRUE(DibRle::Expand(abs4, sizeof abs4, 3, 1, true, &idx, &drawn));
    EXPECT_EQ(idx, (std::vector<uint8_t>{3, 4, 5}));

    // An absolute span longer than the data, a delta past the bitmap and a
    // truncated code end the decoding without reading beyond the data.
    const uint8_t past[] = {0, 200, 1, 2};
    EXPECT_TRUE(DibRle::Expand(past, sizeof past, 4, 1, false, &idx, &drawn));
    EXPECT_EQ(drawn, (std::vector<uint8_t>{0, 0, 0, 0}));
    const uint8_t delta[] = {0, 2, 255, 255, 4, 1};
    EXPECT_TRUE(DibRle::Expand(delta, sizeof delta, 4, 1, false, &idx, &drawn));
    const uint8_t odd[] = {2, 3, 0};
    EXPECT_TRUE(DibRle::Expand(odd, sizeof odd, 4, 1, false, &idx, &drawn));
    EXPECT_EQ(idx[1], 3);
}

TEST(DibDecode, RleBitmapsLeaveUnreachedPixelsTransparent)
{
    DibImage d;
    auto dib = TestDib::Make(2, 1, 8, BI_RLE8, {0xff0000}, {1, 0, 0, 1});
    ASSERT_TRUE(dib.Decode(&d));
    EXPECT_EQ(d.image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(d.image.pixel(1, 0)), 0);
}

TEST(DibDecode, PngAndJpegBitsDecodeThroughTheImageReaders)
{
    QImage src(3, 2, QImage::Format_RGB32);
    src.fill(qRgb(0, 128, 255));
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(src.save(&buf, "PNG"));
    auto dib = TestDib::Make(3, 2, 0, BI_PNG, {}, {});
    dib.bits.assign(png.begin(), png.end());
    DibImage d;
    ASSERT_TRUE(dib.Decode(&d));
    EXPECT_EQ(d.image.size(), QSize(3, 2));
    EXPECT_EQ(px(d, 2, 1), 0x0080ffu);
    // Corrupt compressed bits are refused.
    dib.bits.resize(10);
    EXPECT_FALSE(dib.Decode(&d));
}

TEST(DibDecode, TinyRunLengthDataCannotDeclareAVastBitmap)
{
    DibImage d;
    // 2 bytes of codes for 8000 x 8000 pixels: refused before any allocation.
    EXPECT_FALSE(TestDib::Make(8000, 8000, 8, BI_RLE8, {0}, {0, 1}).Decode(&d, DIB_RGB_COLORS, {}, uint64_t(1) << 27));
    // A small bitmap ended early is fine.
    EXPECT_TRUE(TestDib::Make(100, 100, 8, BI_RLE8, {0}, {0, 1}).Decode(&d));
}
