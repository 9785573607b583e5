// The frame a WMF without a size gets when it is converted: it is played
// over the whole reference device and framed by the bounds of what it
// draws, counted as the platform's recorder counts them (text by its box,
// lines by their points, rectangles by their logical rectangle).
#include "platform/metafile/EmfRecordTypes.h"
#include "platform/metafile/WmfPlayer.h"
#include "platform/metafile/WmfRecordTypes.h"
#include "tests/platform/metafile/EmfTestSupport.h"
#include "tests/platform/metafile/WmfBuilder.h"

#include <gtest/gtest.h>

namespace {

// Words of a byte string, two bytes a word, padded with a zero.
std::vector<int> words(const QByteArray& bytes)
{
    std::vector<int> out;
    for (qsizetype i = 0; i < bytes.size(); i += 2)
        out.push_back(uint8_t(bytes[i]) | (i + 1 < bytes.size() ? uint8_t(bytes[i + 1]) << 8 : 0));
    return out;
}

// A 20-pixel Arial (no mapping records: logical units are the reference
// device's pixels).
WmfBuilder withFont(UINT align)
{
    WmfBuilder b;
    std::vector<int> font = {-20, 0, 0, 0, 400, 0, 0, 0, 0};
    const std::vector<int> face = words(QByteArray("Arial", 6));
    font.insert(font.end(), face.begin(), face.end());
    b.Record(META_CREATEFONTINDIRECT, font).Record(META_SELECTOBJECT, {0});
    b.Record(META_SETTEXTALIGN, {int(align), 0});
    return b;
}

void textOut(WmfBuilder& b, int x, int y, const QByteArray& text)
{
    std::vector<int> p = {int(text.size())};
    const std::vector<int> w = words(text);
    p.insert(p.end(), w.begin(), w.end());
    p.push_back(y);
    p.push_back(x);
    b.Record(META_TEXTOUT, p);
}

EmfHeader convert(const WmfBuilder& b)
{
    EnhMetaFilePtr emf(ConvertWinMetaFile(b.Bytes()));
    EXPECT_TRUE(emf);
    return emf ? emf->Header() : EmfHeader();
}

} // namespace

TEST(WmfConversionBounds, TextOnlyPictureIsFramedByItsTextBox)
{
    // Underscores have ink only below the baseline; the frame still starts
    // at the top of the text and holds its whole height and advance, one
    // unit more on the far sides.
    WmfBuilder b = withFont(TA_TOP | TA_LEFT);
    textOut(b, 100, 200, "____");
    const EmfHeader h = convert(b);
    EXPECT_EQ(h.bounds.left, 100);
    EXPECT_EQ(h.bounds.top, 200);
    const LONG height = h.bounds.bottom - h.bounds.top, width = h.bounds.right - h.bounds.left;
    EXPECT_GE(height, 21); // ascent plus descent of a 20-pixel em, and one
    EXPECT_LE(height, 25);
    EXPECT_GE(width, 40); // four advances of about half an em
    EXPECT_LE(width, 50);
    // The frame is those bounds in hundredths of a millimetre (0.2646 mm a
    // pixel on the 1024-pixel, 271 mm screen).
    EXPECT_NEAR(h.frame.top, 200 * 26.46, 30);
    EXPECT_NEAR(h.frame.bottom - h.frame.top, (height + 1) * 26.43, 30);
}

TEST(WmfConversionBounds, TextBoxFollowsTheAlignmentAndIgnoresTheClipRectangle)
{
    // Right and baseline aligned: the box ends at the reference point and
    // rises the text height above the baseline.
    WmfBuilder right = withFont(TA_RIGHT | TA_BASELINE);
    textOut(right, 300, 200, "Ag");
    const EmfHeader r = convert(right);
    EXPECT_NEAR(r.bounds.right, 300, 1);
    EXPECT_LE(r.bounds.top, 200 - 21);
    EXPECT_GE(r.bounds.bottom, 200 + 4);
    EXPECT_LE(r.bounds.bottom, 200 + 7);

    // ETO_CLIPPED with a rectangle smaller than the text does not shrink
    // what the recording counts.
    WmfBuilder clipped = withFont(TA_TOP | TA_LEFT);
    const std::vector<int> text = words("Wide");
    std::vector<int> p = {200, 100, 4, ETO_CLIPPED, 100, 200, 105, 205};
    p.insert(p.end(), text.begin(), text.end());
    clipped.Record(META_EXTTEXTOUT, p);
    const EmfHeader c = convert(clipped);
    EXPECT_EQ(c.bounds.left, 100);
    EXPECT_EQ(c.bounds.top, 200);
    EXPECT_GE(c.bounds.right, 130);
    EXPECT_GE(c.bounds.bottom, 220);
}

TEST(WmfConversionBounds, LinesCountByTheirPointsNotThePenWidth)
{
    // A 20-pixel pen: the platform's recorder counts the line's end points,
    // so a frame made of a thick line is the line itself.
    WmfBuilder b;
    b.Record(META_CREATEPENINDIRECT, {0, 20, 0, 0, 0}).Record(META_SELECTOBJECT, {0});
    b.Record(META_MOVETO, {100, 100}).Record(META_LINETO, {300, 400}); // y first
    const EmfHeader h = convert(b);
    EXPECT_EQ(h.bounds.left, 100);
    EXPECT_EQ(h.bounds.top, 100);
    EXPECT_NEAR(h.bounds.right, 400, 1);
    EXPECT_NEAR(h.bounds.bottom, 300, 1);
    EXPECT_NEAR(h.frame.right - h.frame.left, 300 * 26.46, 30);
    EXPECT_NEAR(h.frame.bottom - h.frame.top, 200 * 26.43, 30);
}

TEST(WmfConversionBounds, RectanglesAreRecordedOneLogicalUnitInWhereTheyEnd)
{
    // A window of 100 x 100 units over the 1024 x 768 screen: a unit is
    // 10.24 x 7.68 pixels. The recorder stores a rectangle's box inclusive,
    // its right and bottom edges one logical unit in (the call's box
    // excludes them), and counts the bounds from that box, not from the
    // outline, which ends only one pixel in.
    WmfBuilder b;
    b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {100, 100});
    b.Record(META_CREATEBRUSHINDIRECT, {1, 0, 0, 0}).Record(META_SELECTOBJECT, {0});  // hollow
    b.Record(META_CREATEPENINDIRECT, {6, 1, 0, 0, 0}).Record(META_SELECTOBJECT, {1}); // inside frame
    b.Record(META_RECTANGLE, {60, 50, 20, 10}); // bottom, right, top, left
    b.Record(META_ELLIPSE, {60, 90, 40, 70});   // its bounds lie within the rectangle's rows
    EnhMetaFilePtr emf(ConvertWinMetaFile(b.Bytes()));
    ASSERT_TRUE(emf);
    const EmfHeader& h = emf->Header();
    EXPECT_EQ(h.bounds.left, 102);   // 10 x 10.24
    EXPECT_EQ(h.bounds.top, 154);    // 20 x 7.68
    EXPECT_EQ(h.bounds.right, 911);  // 89 x 10.24, not 90 x 10.24 - 1
    EXPECT_EQ(h.bounds.bottom, 453); // 59 x 7.68, not 60 x 7.68 - 1

    std::vector<std::vector<int32_t>> boxes;
    for (const emftest::Rec& r : emftest::records(emf.get()))
        if (r.type == EMR_RECTANGLE || r.type == EMR_ELLIPSE)
            boxes.push_back({int32_t(r.params[0]), int32_t(r.params[1]), int32_t(r.params[2]), int32_t(r.params[3])});
    EXPECT_EQ(boxes, (std::vector<std::vector<int32_t>>{{10, 20, 49, 59}, {70, 40, 89, 59}}));
}

TEST(WmfConversionBounds, PointsRoundToTheNearestPixelAndTheFrameTruncates)
{
    // A unit of 10.24 x 7.68 pixels: the line's far end maps to (972.8,
    // 729.6), which the recorder (mapping points as LPtoDP does) counts as
    // pixel (973, 730). The frame is those inclusive bounds in hundredths of
    // a millimetre, computed in integers that truncate.
    WmfBuilder b;
    b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {100, 100});
    b.Record(META_MOVETO, {10, 10}).Record(META_LINETO, {95, 95}); // y first
    const EmfHeader h = convert(b);
    EXPECT_EQ(h.bounds.left, 102);
    EXPECT_EQ(h.bounds.top, 77);
    EXPECT_EQ(h.bounds.right, 973);
    EXPECT_EQ(h.bounds.bottom, 730);
    EXPECT_EQ(h.frame.left, 102 * 27100 / 1024);
    EXPECT_EQ(h.frame.top, 77 * 20300 / 768);
    EXPECT_EQ(h.frame.right, 973 * 27100 / 1024);
    EXPECT_EQ(h.frame.bottom, 730 * 20300 / 768);

    // A text box's corners round the same way: Arial at 10 units (76.8
    // pixels) from (0, 34) in a window of 102 x 67 over 1024 x 768 puts its
    // top at 389.7 pixels, counted as 390.
    WmfBuilder t = withFont(TA_TOP | TA_LEFT);
    t.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {67, 102});
    textOut(t, 0, 34, "x");
    EXPECT_EQ(convert(t).bounds.top, 390);
}
