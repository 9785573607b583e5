// Windows 3.x metafiles: headers, the object table, regions, embedded
// enhanced metafiles and hostile input, checked through what they draw
// once converted as the platform converts them.
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/WmfPlayer.h"
#include "platform/metafile/WmfRecordTypes.h"
#include "tests/platform/metafile/EmfBuilder.h"
#include "tests/platform/metafile/WmfBuilder.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;

// A one-inch picture of 100 x 100 logical units.
WmfBuilder picture(uint16_t objects = 4)
{
    WmfBuilder b(objects);
    b.Placeable(0, 0, 100, 100, 100);
    b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {100, 100});
    return b;
}

void solidBrush(WmfBuilder& b, uint32_t color) { b.Record(META_CREATEBRUSHINDIRECT, {0, WmfBuilder::Lo(color), WmfBuilder::Hi(color), 0}); }
void nullPen(WmfBuilder& b) { b.Record(META_CREATEPENINDIRECT, {5, 0, 0, 0, 0}); }
void rectangle(WmfBuilder& b, int l, int t, int r, int bottom) { b.Record(META_RECTANGLE, {bottom, r, t, l}); }

QImage render(HENHMETAFILE mf, int w = 100, int h = 100)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(std::make_unique<QPainterBackend>(&image));
    const RECT rect(0, 0, w, h);
    PlayEnhMetaFile(&dc, mf, &rect);
    dc.Flush();
    return image;
}

QImage convertAndRender(const QByteArray& wmf)
{
    EnhMetaFilePtr emf(ConvertWinMetaFile(wmf));
    if (!emf)
        return QImage();
    return render(emf.get());
}

QRgb rgb(uint32_t colorref) { return qRgb(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF); }

} // namespace

TEST(WmfHeader, PlaceableAndStandardHeaders)
{
    WmfBuilder b(7);
    b.Placeable(-10, 20, 1430, 740, 1440, false);
    const QByteArray bytes = b.Bytes();
    WmfHeader h;
    QString error;
    ASSERT_TRUE(WmfHeader::Parse(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), &h, &error));
    EXPECT_TRUE(h.placeable.present);
    EXPECT_FALSE(h.placeable.checksumOk) << "a wrong checksum is tolerated, not ignored";
    EXPECT_EQ(h.placeable.bbox, RECT(-10, 20, 1430, 740));
    EXPECT_EQ(h.placeable.inch, 1440);
    EXPECT_EQ(h.objects, 7);
    EXPECT_EQ(h.version, 0x0300);
    EXPECT_EQ(h.recordsOffset, 40u);

    QByteArray notWmf = bytes.mid(22);
    notWmf[0] = 3; // type neither memory nor disk
    EXPECT_FALSE(WmfHeader::Parse(reinterpret_cast<const uint8_t*>(notWmf.constData()), size_t(notWmf.size()), &h, &error));
    EXPECT_FALSE(WmfHeader::Parse(reinterpret_cast<const uint8_t*>(bytes.constData()), 30, &h, &error));
}

TEST(WmfConversion, ThePlaceableHeaderGivesTheFrame)
{
    // 1440 x 720 twips: 2 x 1 inches, 5080 x 2540 hundredths of a millimetre.
    WmfBuilder b;
    b.Placeable(0, 0, 2880, 1440, 1440);
    EnhMetaFilePtr emf(ConvertWinMetaFile(b.Bytes()));
    ASSERT_TRUE(emf);
    EXPECT_EQ(emf->Header().frame, RECT(0, 0, 5080, 2540));

    // Without a size (here zero units per inch) the picture is played over
    // the whole reference device and framed by what it draws: the window's
    // right half, from pixel 512 to the rectangle's recorded right edge one
    // unit in (99 x 10.24, pixel 1014), 503 of 1024 pixels, is 133.1 mm of
    // the 271 mm screen.
    WmfBuilder noSize;
    noSize.Placeable(0, 0, 100, 100, 0);
    noSize.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {100, 100});
    noSize.Record(META_CREATEBRUSHINDIRECT, {0, 0, 0, 0}).Record(META_SELECTOBJECT, {0});
    noSize.Record(META_CREATEPENINDIRECT, {5, 0, 0, 0, 0}).Record(META_SELECTOBJECT, {1});
    noSize.Record(META_RECTANGLE, {100, 100, 0, 50});
    EnhMetaFilePtr whole(ConvertWinMetaFile(noSize.Bytes()));
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->Header().device, SIZE(1024, 768));
    EXPECT_EQ(whole->Header().bounds.left, 512);
    EXPECT_NEAR(whole->Header().frame.right - whole->Header().frame.left, 13312, 30);
}

TEST(WmfPlayer, ObjectsTakeTheLowestFreeSlot)
{
    WmfBuilder b = picture();
    solidBrush(b, Red);                   // slot 0
    solidBrush(b, Green);                 // slot 1
    b.Record(META_DELETEOBJECT, {0});
    solidBrush(b, Blue);                  // slot 0 again
    nullPen(b);                           // slot 2
    b.Record(META_SELECTOBJECT, {2});
    b.Record(META_SELECTOBJECT, {0});
    rectangle(b, 0, 0, 50, 100);
    b.Record(META_SELECTOBJECT, {1});
    rectangle(b, 50, 0, 101, 101);
    const QImage image = convertAndRender(b.Bytes());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(25, 50), rgb(Blue));
    EXPECT_EQ(image.pixel(75, 50), rgb(Green));
}

TEST(WmfPlayer, AFullTableCreatesNothingAndBadIndicesAreIgnored)
{
    WmfBuilder b = picture(1);
    solidBrush(b, Red);   // slot 0
    solidBrush(b, Green); // no free slot: not created
    b.Record(META_SELECTOBJECT, {0});
    b.Record(META_SELECTOBJECT, {500});
    b.Record(META_DELETEOBJECT, {60000});
    rectangle(b, 10, 10, 90, 90);
    const QImage image = convertAndRender(b.Bytes());
    EXPECT_EQ(image.pixel(50, 50), rgb(Red));
}

TEST(WmfPlayer, RegionsClipAndFill)
{
    WmfBuilder b = picture();
    solidBrush(b, Blue); // slot 0
    nullPen(b);          // slot 1
    // One scan from y 0 to 100 with x 0..40: nextInChain, type 6, count,
    // size, scans, maxScan, bbox, then the scan (count, top, bottom, l, r, count).
    b.Record(META_CREATEREGION, {0, 6, 0, 0, 0, 1, 2, 0, 0, 40, 100, 2, 0, 100, 0, 40, 2}); // slot 2
    b.Record(META_FILLREGION, {0, 2});
    const QImage image = convertAndRender(b.Bytes());
    EXPECT_EQ(image.pixel(20, 50), rgb(Blue));
    EXPECT_EQ(image.pixel(60, 50), qRgb(255, 255, 255));
}

TEST(WmfPlayer, MalformedRecordsStopAfterWhatWasDrawn)
{
    const auto base = [] {
        WmfBuilder b = picture();
        solidBrush(b, Red);
        b.Record(META_SELECTOBJECT, {0});
        rectangle(b, 0, 0, 50, 50);
        return b;
    };
    {
        WmfBuilder b = base();
        b.Record(META_POLYGON, {1000, 0, 0}); // 1000 points in a record of one
        rectangle(b, 50, 50, 100, 100);
        const QImage image = convertAndRender(b.Bytes());
        EXPECT_EQ(image.pixel(25, 25), rgb(Red));
        EXPECT_EQ(image.pixel(75, 75), qRgb(255, 255, 255));
    }
    {
        WmfBuilder b = base();
        b.Raw({0xFFFF, 0x7FFF, META_RECTANGLE, 0, 0}); // a size far past the end
        const QImage image = convertAndRender(b.Bytes(false));
        EXPECT_EQ(image.pixel(25, 25), rgb(Red));
    }
    {
        WmfBuilder b = base();
        b.Raw({0, 0, META_RECTANGLE}); // size zero
        EXPECT_EQ(convertAndRender(b.Bytes(false)).pixel(25, 25), rgb(Red));
    }
    {
        WmfBuilder b = base();
        // A region claiming 65535 scans, and one claiming an odd count.
        b.Record(META_CREATEREGION, {0, 6, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0});
        b.Record(META_CREATEREGION, {0, 6, 0, 0, 0, 1, 0, 0, 0, 0, 0, 3, 0, 1, 0, 1, 3});
        EXPECT_EQ(convertAndRender(b.Bytes()).pixel(25, 25), rgb(Red));
    }
    for (int cut = 1; cut < 60; ++cut) {
        const QByteArray bytes = base().Bytes().left(cut + 40);
        EnhMetaFilePtr emf(ConvertWinMetaFile(bytes)); // any prefix: converted or refused, never a crash
        if (emf)
            render(emf.get(), 20, 20);
    }
}

TEST(WmfConversion, AnEmbeddedEnhancedMetafileIsUsedWhenComplete)
{
    EmfBuilder e;
    e.Record(42, {0, 0, 500, 500}); // EMR_ELLIPSE
    const QByteArray emf = e.Bytes();
    const int half = int(emf.size() / 2) & ~1;
    auto escape = [&](WmfBuilder& b, int from, int size, int remaining) {
        // MFCOMMENT: identifier "WMFC", ENHMETA type, version, checksum,
        // flags, record count, this chunk's size, bytes left, total size.
        std::vector<int> p = {0x000F, 34 + size, 0x4D57, 0x4346, 1, 0, 0, 1, 0, 0, 0, 2, 0,
                              size, 0, remaining, 0, int(emf.size()), 0};
        for (int i = 0; i < size; i += 2)
            p.push_back(uint8_t(emf[from + i]) | (uint8_t(emf[from + i + 1]) << 8));
        b.Record(META_ESCAPE, p);
    };
    WmfBuilder complete = picture();
    escape(complete, 0, half, int(emf.size()) - half);
    escape(complete, half, int(emf.size()) - half, 0);
    EnhMetaFilePtr used(ConvertWinMetaFile(complete.Bytes()));
    ASSERT_TRUE(used);
    EXPECT_EQ(used->Bytes(), emf);

    WmfBuilder partial = picture();
    escape(partial, 0, half, int(emf.size()) - half);
    EnhMetaFilePtr converted(ConvertWinMetaFile(partial.Bytes()));
    ASSERT_TRUE(converted);
    EXPECT_NE(converted->Bytes(), emf) << "an incomplete embedded metafile is ignored";
}

TEST(WmfPlayer, EveryFunctionHasOneEntry)
{
    EXPECT_STREQ(WmfRecordName(META_POLYGON), "META_POLYGON");
    EXPECT_STREQ(WmfRecordName(META_STRETCHDIB), "META_STRETCHDIB");
    EXPECT_EQ(WmfRecordName(0x0999), nullptr);
}

TEST(WmfPlayer, ALargeRegionSelectedOverAndOverStopsPlayback)
{
    WmfBuilder b = picture();
    solidBrush(b, Red);
    b.Record(META_SELECTOBJECT, {0});
    rectangle(b, 0, 0, 50, 50);
    // One scan of 20000 one-unit rectangles.
    std::vector<int> region = {0, 6, 0, 0, 0, 1, 40000, 0, 0, 40000, 1, 40000, 0, 1};
    for (int i = 0; i < 20000; ++i) {
        region.push_back(2 * i);
        region.push_back(2 * i + 1);
    }
    region.push_back(40000);
    b.Record(META_CREATEREGION, region); // slot 1
    for (int i = 0; i < 100; ++i)
        b.Record(META_SELECTCLIPREGION, {1});
    b.Record(META_SELECTCLIPREGION, {9}); // not a region: ignored
    rectangle(b, 50, 50, 100, 100);
    const QImage image = convertAndRender(b.Bytes());
    EXPECT_EQ(image.pixel(25, 25), rgb(Red));
    EXPECT_EQ(image.pixel(75, 75), qRgb(255, 255, 255)) << "playback stopped once the region budget was spent";
}

namespace {

struct EmfRec {
    uint32_t type;
    std::vector<uint32_t> p; // the parameters after type and size
};

std::vector<EmfRec> emfRecords(HENHMETAFILE mf, uint32_t type)
{
    std::vector<EmfRec> out;
    size_t offset = 0;
    ENHMETARECORD r;
    bool malformed = false;
    while (mf->RecordAt(offset, &r, &malformed)) {
        if (r.iType == type) {
            EmfRec rec{r.iType, {}};
            for (size_t i = 0; i < (r.nSize - 8) / 4; ++i)
                rec.p.push_back(r.dParm(i));
            out.push_back(rec);
        }
        offset += r.nSize;
    }
    return out;
}

std::vector<int> dib24x2()
{
    // BITMAPINFOHEADER of a 2 x 2, 24-bit DIB, then two rows of 8 bytes.
    std::vector<int> d = {40, 0, 2, 0, 2, 0, 1, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    d.insert(d.end(), 8, 0x00FF);
    return d;
}

std::vector<int> dib1x8()
{
    // An 8 x 8 monochrome DIB: header, two colours, eight rows of 4 bytes.
    std::vector<int> d = {40, 0, 8, 0, 8, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    d.insert(d.end(), {0, 0, 0xFFFF, 0x00FF});
    d.insert(d.end(), 16, 0x55AA);
    return d;
}

} // namespace

// Text, fonts and bitmaps play through the EMF records of the text and
// bitmap layers: their bytes must be laid out exactly as MS-EMF says.
TEST(WmfConversion, TextFontsAndBitmapsBecomeTheirEnhancedRecords)
{
    WmfBuilder b = picture();
    std::vector<int> font = {-20, 0, 0, 0, 700, 0, 0, 0, 0, 0x7241, 0x6169, 0x006C};
    font.resize(5 + 4 + 16, 0);
    b.Record(META_CREATEFONTINDIRECT, font); // slot 0
    b.Record(META_SELECTOBJECT, {0});
    b.Record(META_EXTTEXTOUT, {20, 10, 3, 0, 0x6241, 0x0080, 5, 6, 7}); // "Ab" and 0x80 (the euro sign)
    b.Record(META_TEXTOUT, {2, 0x6948, 2, 1});                         // "Hi" at (1, 2)
    std::vector<int> stretch = {0x0020, 0x00CC, 0, 2, 2, 0, 0, 40, 40, 10, 10};
    for (int w : dib24x2())
        stretch.push_back(w);
    b.Record(META_STRETCHDIB, stretch);
    std::vector<int> brush = {5, 0};
    for (int w : dib1x8())
        brush.push_back(w);
    b.Record(META_DIBCREATEPATTERNBRUSH, brush); // slot 1
    EnhMetaFilePtr emf(ConvertWinMetaFile(b.Bytes()));
    ASSERT_TRUE(emf);

    const auto fonts = emfRecords(emf.get(), 82); // EMR_EXTCREATEFONTINDIRECTW
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].p[0], 1u);
    EXPECT_EQ(int32_t(fonts[0].p[1]), -20);
    EXPECT_EQ(fonts[0].p[5], 700u);
    EXPECT_EQ(fonts[0].p[8], 0x00720041u); // "Ar"
    EXPECT_EQ(fonts[0].p[10], 0x0000006Cu);

    const auto texts = emfRecords(emf.get(), 84); // EMR_EXTTEXTOUTW
    ASSERT_EQ(texts.size(), 2u);
    const auto& t = texts[0].p;
    EXPECT_EQ(t[4], 1u);                                  // GM_COMPATIBLE
    EXPECT_EQ(t[7], 10u);                                 // reference point
    EXPECT_EQ(t[8], 20u);
    EXPECT_EQ(t[9], 3u);                                  // characters
    EXPECT_EQ(t[10], 76u);                                // string offset
    EXPECT_EQ(t[16], 84u);                                // spacing offset
    EXPECT_EQ(t[17], 0x00620041u);                        // "Ab"
    EXPECT_EQ(t[18], 0x000020ACu);                        // the euro sign of Windows-1252
    EXPECT_EQ((std::vector<uint32_t>{t[19], t[20], t[21]}), (std::vector<uint32_t>{5, 6, 7}));
    EXPECT_EQ(texts[1].p[9], 2u);
    EXPECT_EQ(texts[1].p[16], 0u) << "no spacing recorded";

    const auto blits = emfRecords(emf.get(), 81); // EMR_STRETCHDIBITS
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ((std::vector<uint32_t>(blits[0].p.begin() + 4, blits[0].p.begin() + 18)),
              (std::vector<uint32_t>{10, 10, 0, 0, 2, 2, 80, 40, 120, 16, 0, 0x00CC0020, 40, 40}));

    const auto brushes = emfRecords(emf.get(), 94); // EMR_CREATEDIBPATTERNBRUSHPT
    ASSERT_EQ(brushes.size(), 1u);
    EXPECT_EQ(brushes[0].p, (std::vector<uint32_t>{2, 0, 32, 48, 80, 32, 40, 8, 8, 0x00010001, 0, 0, 0, 0, 0, 0,
                                                   0, 0x00FFFFFF, 0x55AA55AA, 0x55AA55AA, 0x55AA55AA,
                                                   0x55AA55AA, 0x55AA55AA, 0x55AA55AA, 0x55AA55AA, 0x55AA55AA}));
}

TEST(WmfConversion, PaletteRecordsActOnTheSelectedPalette)
{
    WmfBuilder b = picture();
    b.Record(META_SETPALENTRIES, {0, 1, 0x00FF, 0}); // no palette selected: nothing
    b.Record(META_CREATEPALETTE, {0x0300, 2, 0x00FF, 0, 0xFF00, 0}); // slot 0
    b.Record(META_SELECTPALETTE, {0});
    b.Record(META_SETPALENTRIES, {1, 1, 0x0000, 0x00FF});
    b.Record(META_REALIZEPALETTE, {});
    EnhMetaFilePtr emf(ConvertWinMetaFile(b.Bytes()));
    ASSERT_TRUE(emf);
    const auto created = emfRecords(emf.get(), 49); // EMR_CREATEPALETTE
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].p, (std::vector<uint32_t>{1, 0x00020300, 0x000000FF, 0x0000FF00}));
    const auto selected = emfRecords(emf.get(), 48); // EMR_SELECTPALETTE
    ASSERT_FALSE(selected.empty());
    EXPECT_EQ(selected[0].p[0], 1u);
    const auto set = emfRecords(emf.get(), 50); // EMR_SETPALETTEENTRIES
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(set[0].p, (std::vector<uint32_t>{1, 1, 1, 0x00FF0000}));
    EXPECT_EQ(emfRecords(emf.get(), 52).size(), 1u); // EMR_REALIZEPALETTE
}

TEST(WmfPlayer, OffsetsMoveTheOrigins)
{
    WmfBuilder b = picture();
    solidBrush(b, Blue);
    nullPen(b);
    b.Record(META_SELECTOBJECT, {0}).Record(META_SELECTOBJECT, {1});
    b.Record(META_OFFSETWINDOWORG, {0, -50}); // window origin now (-50, 0)
    rectangle(b, -50, 0, -25, 100);           // the left quarter
    const QImage image = convertAndRender(b.Bytes());
    EXPECT_EQ(image.pixel(10, 50), rgb(Blue));
    EXPECT_EQ(image.pixel(40, 50), qRgb(255, 255, 255));
}
