// The bounds, and so the frame, that a WMF without a size gets from the
// calls it makes, as the platform's recorder counts them (RecordedBounds).
// The expected numbers are those the reference (Wine's SetWinMetaFileBits on
// its 1024 x 768 pixel, 271 x 203 mm screen) gives for the same files.
#include "platform/gdi/CDC.h"
#include "platform/gdi/RecordedBounds.h"
#include "platform/metafile/BoundsBackend.h"
#include "platform/metafile/WmfPlayer.h"
#include "platform/metafile/WmfRecordTypes.h"
#include "tests/platform/metafile/WmfBuilder.h"

#include <gtest/gtest.h>

namespace {

using Box = RecordedBounds::Box;

std::vector<LONG> edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
std::vector<long long> edges(const Box& b) { return {b.left, b.top, b.right, b.bottom}; }

EmfHeader convert(const WmfBuilder& b)
{
    EnhMetaFilePtr emf(ConvertWinMetaFile(b.Bytes()));
    EXPECT_TRUE(emf);
    return emf ? emf->Header() : EmfHeader();
}

// A window of 67 x 102 units over the 1024 x 768 screen: a unit is 15.28
// pixels across and 7.53 down, so that where a box ends matters.
WmfBuilder coarse()
{
    WmfBuilder b;
    b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {102, 67});
    return b;
}

// A 2 x 2 24-bit DIB: its header, then two rows of two pixels and two
// bytes of padding.
std::vector<int> tinyDib()
{
    return {40, 0, 2, 0, 2, 0, 1, 24, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0,
            0x0080, 0x8000, 0x0000, 0, 0x0080, 0x8000, 0x0000, 0};
}

} // namespace

TEST(RecordedBounds, BoxesOfPointsTransfersAndArcs)
{
    const POINT pts[] = {POINT(5, 9), POINT(-3, 4), POINT(7, 2)};
    const POINT cur(20, -1);
    EXPECT_EQ(edges(*RecordedBounds::OfPoints(pts, 3, nullptr)), (std::vector<long long>{-3, 2, 7, 9}));
    EXPECT_EQ(edges(*RecordedBounds::OfPoints(pts, 3, &cur)), (std::vector<long long>{-3, -1, 20, 9}));
    EXPECT_FALSE(RecordedBounds::OfPoints(pts, 0, nullptr));

    // The last column and row of a transfer are one unit in, on the side
    // its extent runs to.
    EXPECT_EQ(edges(RecordedBounds::OfTransfer(10, 20, 30, 40)), (std::vector<long long>{10, 20, 39, 59}));
    EXPECT_EQ(edges(RecordedBounds::OfTransfer(10, 20, 30, -40)), (std::vector<long long>{10, 20, 39, -21}));

    using K = RecordedBounds::ArcKind;
    // The upper half of a 0..100 ellipse: its ends on the horizontal axis,
    // its top from the quarter turn it passes.
    EXPECT_EQ(edges(*RecordedBounds::OfArc(0, 0, 100, 100, 100, 50, 0, 50, K::Arc, true, POINT())),
              (std::vector<long long>{0, 0, 99, 50}));
    // A pie from the top to the right: the quarter from 90 to 360 degrees
    // counter-clockwise reaches the left, bottom and right sides; its centre
    // is inside already.
    EXPECT_EQ(edges(*RecordedBounds::OfArc(0, 0, 100, 100, 50, 0, 100, 50, K::Pie, true, POINT())),
              (std::vector<long long>{0, 0, 99, 99}));
    // A short pie in the first quarter takes in its centre.
    EXPECT_EQ(edges(*RecordedBounds::OfArc(0, 0, 100, 100, 100, 40, 60, 0, K::Pie, true, POINT())),
              (std::vector<long long>{50, 0, 99, 50}));
    EXPECT_FALSE(RecordedBounds::OfArc(0, 0, 0, 100, 1, 1, 2, 2, K::Chord, true, POINT()));
}

TEST(RecordedBounds, DeviceBoxRoundsBothCornersAndOrdersThem)
{
    CDC dc(std::make_unique<BoundsBackend>(BoundsBackend::Device{}, [](const QRectF&) {}));
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportExt(1024, 768);
    dc.SetWindowOrg(0, 700);
    dc.SetWindowExt(1000, -700); // y up
    // y 40 lands at 724.1 and y 659 at 45.0: the box is turned over.
    EXPECT_EQ(edges(RecordedBounds::ToDevice(dc, Box{50, 40, 949, 659})), (std::vector<LONG>{51, 45, 972, 724}));
}

TEST(WmfRecordedBounds, BitmapsCountTheirLogicalRectangleNotTheirPixels)
{
    // Stretched over units 3..63 x 5..96, the bitmap's box ends one unit in:
    // at 63 x 15.28 = 962.9 pixels, where its pixels run on to 978.
    WmfBuilder b = coarse();
    std::vector<int> p = {0x0020, 0x00CC, 2, 2, 0, 0, 92, 61, 5, 3};
    const std::vector<int> dib = tinyDib();
    p.insert(p.end(), dib.begin(), dib.end());
    b.Record(META_DIBSTRETCHBLT, p);
    const EmfHeader h = convert(b);
    EXPECT_EQ(edges(h.bounds), (std::vector<LONG>{46, 38, 963, 723}));
    EXPECT_EQ(edges(h.frame), (std::vector<LONG>{1217, 1004, 25485, 19110}));

    // SetDIBitsToDevice puts 60 x 40 pixels at the mapped point, but the
    // recorder counts 60 x 40 logical units.
    WmfBuilder d = coarse();
    std::vector<int> q = {0, 2, 0, 0, 0, 40, 60, 51, 33};
    q.insert(q.end(), dib.begin(), dib.end());
    d.Record(META_SETDIBTODEV, q);
    const EmfHeader hd = convert(d);
    EXPECT_EQ(hd.bounds.left, 504);
    EXPECT_EQ(hd.bounds.right, 1406); // unit 92
}

TEST(WmfRecordedBounds, PatternFillsArcsAndPiesCountAsTheReferenceDoes)
{
    // The same numbers as the reference on a window of 1000 x 700 units
    // (1.024 x 1.097 pixels a unit).
    auto picture = [](uint16_t function, std::initializer_list<int> params) {
        WmfBuilder b;
        b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {700, 1000});
        b.Record(META_CREATEBRUSHINDIRECT, {0, 0x0000, 0x0080, 0}).Record(META_SELECTOBJECT, {0});
        b.Record(function, params);
        return convert(b).bounds;
    };
    EXPECT_EQ(edges(picture(META_PATBLT, {0x0021, 0x00F0, 620, 900, 40, 50})), (std::vector<LONG>{51, 44, 972, 723}));
    // Upper half of the ellipse in 50..950 x 40..660, counter-clockwise.
    EXPECT_EQ(edges(picture(META_ARC, {350, 50, 350, 950, 660, 950, 40, 50})), (std::vector<LONG>{51, 44, 972, 384}));
    // A quarter pie from the right to the top takes in its centre.
    EXPECT_EQ(edges(picture(META_PIE, {40, 500, 350, 950, 660, 950, 40, 50})), (std::vector<LONG>{512, 44, 972, 384}));
    // A chord from the top centre round the left side to the bottom centre.
    EXPECT_EQ(edges(picture(META_CHORD, {660, 500, 40, 500, 660, 950, 40, 50})), (std::vector<LONG>{51, 44, 512, 723}));
}

TEST(WmfRecordedBounds, ClippingDoesNotNarrowTheFrame)
{
    WmfBuilder b;
    b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {700, 1000});
    b.Record(META_INTERSECTCLIPRECT, {500, 700, 200, 300});
    b.Record(META_MOVETO, {40, 50}).Record(META_LINETO, {660, 950});
    EXPECT_EQ(edges(convert(b).bounds), (std::vector<LONG>{51, 44, 973, 724}));
}

TEST(WmfRecordedBounds, TextBoxRunsTheWayTheLogicalAxesRun)
{
    // With y going up, the box the recorder counts below a top-aligned
    // reference point lies above it on the device, whatever the glyphs do.
    auto textBounds = [](int windowExtY, int windowOrgY) {
        WmfBuilder b;
        b.Record(META_SETWINDOWORG, {windowOrgY, 0}).Record(META_SETWINDOWEXT, {windowExtY, 1000});
        b.Record(META_CREATEFONTINDIRECT, {-74, 0, 0, 0, 400, 0, 0, 0, 0, 'A' | ('r' << 8), 'i' | ('a' << 8), 'l'});
        b.Record(META_SELECTOBJECT, {0});
        b.Record(META_SETTEXTALIGN, {TA_LEFT | TA_TOP, 0});
        b.Record(META_TEXTOUT, {2, 'M' | ('M' << 8), 350, 500});
        return convert(b).bounds;
    };
    const RECT down = textBounds(700, 0), up = textBounds(-700, 700);
    EXPECT_EQ(down.top, 384);
    EXPECT_EQ(up.bottom, 384);
    EXPECT_GT(down.bottom, 384 + 80);
    EXPECT_LT(up.top, 384 - 80);
    EXPECT_NEAR(down.bottom - down.top, up.bottom - up.top, 1);
}

TEST(WmfRecordedBounds, TextIsMeasuredOnTheFontRealizedAtWholePixels)
{
    // 1166 twips at 0.0711 pixels each make an 82-pixel font (the platform
    // cuts the fraction), whose "M" is 68 pixels wide: 956 twips, rounded,
    // a character. Eight of them from x 7200 end at pixel 1056; the box is
    // 91 pixels high.
    WmfBuilder b;
    b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {10800, 14400});
    b.Record(META_CREATEFONTINDIRECT, {-1166, 0, 0, 0, 400, 0, 0, 0, 0, 'A' | ('r' << 8), 'i' | ('a' << 8), 'l'});
    b.Record(META_SELECTOBJECT, {0});
    b.Record(META_SETTEXTALIGN, {TA_LEFT | TA_TOP, 0});
    b.Record(META_TEXTOUT, {8, 'M' | ('M' << 8), 'M' | ('M' << 8), 'M' | ('M' << 8), 'M' | ('M' << 8), 5400, 7200});
    EXPECT_EQ(edges(convert(b).bounds), (std::vector<LONG>{512, 384, 1056, 475}));
}

TEST(WmfRecordedBounds, PointsMapThroughASinglePrecisionTransform)
{
    // MM_ISOTROPIC over the 1024 x 768 screen with a window of 1000 x 500
    // scales y by -513/500: y 250 lands on -256.5 in exact arithmetic, just
    // past it through the platform's single-precision transform, and
    // rounds to -257.
    WmfBuilder b;
    b.Record(META_SETMAPMODE, {MM_ISOTROPIC});
    b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {500, 1000});
    b.Record(META_MOVETO, {250, 100}).Record(META_LINETO, {250, 300});
    const RECT r = convert(b).bounds;
    EXPECT_EQ(r.top, -257);
    EXPECT_EQ(r.bottom, -257);
}

TEST(WmfRecordedBounds, RegionsCountTheirBoxThroughTheMapping)
{
    // A region of units 10..110 x 20..220 inverted under a window of
    // 1000 x 700: its last column and row, 109 and 219, land on pixels 112
    // and 240.
    WmfBuilder b;
    b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {700, 1000});
    b.Record(META_CREATEREGION, {0, 6, 0, 0, 34, 1, 1, 10, 20, 110, 220, 2, 20, 220, 10, 110, 2});
    b.Record(META_INVERTREGION, {0});
    EXPECT_EQ(edges(convert(b).bounds), (std::vector<LONG>{10, 22, 112, 240}));
}
