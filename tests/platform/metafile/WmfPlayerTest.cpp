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
    // right half, 512 of 1024 pixels, is 135.5 mm of the 271 mm screen.
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
    EXPECT_NEAR(whole->Header().frame.right - whole->Header().frame.left, 13550, 30);
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
