// Malformed metafiles: each case says which field lies.
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayback.h"
#include "platform/metafile/EmfPlayer.h"
#include "tests/platform/gdi/RecordingBackend.h"
#include "tests/platform/metafile/EmfBuilder.h"

#include <gtest/gtest.h>

namespace {

EnhMetaFilePtr load(const QByteArray& b)
{
    return EnhMetaFilePtr(SetEnhMetaFileBits(UINT(b.size()), reinterpret_cast<const BYTE*>(b.constData())));
}

void poke(QByteArray& b, int offset, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[offset + i] = char((v >> (8 * i)) & 0xFF);
}

// Plays into a recording backend; returns EnumEnhMetaFile's result.
BOOL play(HENHMETAFILE mf, RecordingBackend** rec, std::unique_ptr<CDC>& dc)
{
    auto backend = std::make_unique<RecordingBackend>();
    *rec = backend.get();
    dc = std::make_unique<CDC>(std::move(backend));
    const RECT r(0, 0, 1000, 1000);
    return PlayEnhMetaFile(dc.get(), mf, &r);
}

// A POLYLINE16 from (0,0) to (100,100): bounds, two points.
const std::vector<uint32_t> polyline = {0, 0, 100, 100, 2, EmfBuilder::Pt16(0, 0), EmfBuilder::Pt16(100, 100)};

} // namespace

TEST(EmfReader, AcceptsAWellFormedHeaderWithItsDescription)
{
    const QString desc = QStringLiteral("Lumivu") + QChar(0) + QStringLiteral("Test") + QChar(0);
    auto mf = load(EmfBuilder().Description(desc).Bytes());
    ASSERT_TRUE(mf);
    EXPECT_EQ(mf->Header().frame, RECT(0, 0, 10000, 10000));
    EXPECT_EQ(mf->Header().device, SIZE(1000, 1000));
    EXPECT_EQ(mf->Header().micrometers, SIZE(100000, 100000));
    EXPECT_EQ(GetEnhMetaFileDescription(mf.get()), desc + QChar(0));
}

TEST(EmfReader, RejectsHeadersThatLie)
{
    const QByteArray good = EmfBuilder().Bytes();
    struct Case {
        const char* what;
        int offset;
        uint32_t value;
    } cases[] = {
        {"iType is not EMR_HEADER", 0, 2},
        {"nSize is below the 88 bytes of a header", 4, 84},
        {"nSize is not a multiple of four", 4, 110},
        {"nSize runs past the file", 4, 0x10000},
        {"dSignature is not ' EMF'", 40, 0x464D4521},
        {"nBytes is not a multiple of four", 48, uint32_t(good.size() - 2)},
        {"nBytes is smaller than the header", 48, 64},
    };
    for (const Case& c : cases) {
        QByteArray b = good;
        poke(b, c.offset, c.value);
        EXPECT_FALSE(load(b)) << c.what;
    }
    EXPECT_FALSE(load(good.left(80))) << "shorter than a header";
    EXPECT_FALSE(load(QByteArray("GIF89a not a metafile at all, but long enough to hold a header of 88 bytes...."))); 
}

TEST(EmfReader, ARecordThatDoesNotFitEndsPlaybackAfterWhatWasDrawn)
{
    struct Case {
        const char* what;
        std::vector<uint32_t> words;
    } cases[] = {
        {"nSize 0: would never advance", {87, 0}},
        {"nSize 4: below the eight bytes of type and size", {87, 4}},
        {"nSize 30: not a multiple of four", {87, 30, 0, 0, 0, 0, 0, 0}},
        {"nSize 0x1000: past the end of the file", {87, 0x1000, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EmfBuilder b;
        b.Record(87, polyline); // drawn before the bad record
        std::vector<uint32_t> words = c.words;
        QByteArray bytes = b.Bytes(false);
        for (uint32_t w : words)
            for (int i = 0; i < 4; ++i)
                bytes.append(char((w >> (8 * i)) & 0xFF));
        poke(bytes, 48, uint32_t(bytes.size())); // nBytes covers the bad record
        auto mf = load(bytes);
        ASSERT_TRUE(mf) << c.what;
        RecordingBackend* rec = nullptr;
        std::unique_ptr<CDC> dc;
        EXPECT_FALSE(play(mf.get(), &rec, dc)) << c.what;
        EXPECT_EQ(rec->calls.size(), 1u) << c.what;
        EXPECT_TRUE(LastEmfPlaybackStats().malformed) << c.what;
    }
}

TEST(EmfReader, CountsAreCheckedAgainstTheRecordSize)
{
    struct Case {
        const char* what;
        uint32_t type;
        std::vector<uint32_t> params;
    } cases[] = {
        // EMR_POLYLINE16: bounds, cpts = 0x40000000 (4 GiB of points), one point.
        {"POLYLINE16 count", 87, {0, 0, 1, 1, 0x40000000, 0}},
        // EMR_POLYGON: bounds, cpts = 3 but only one 32-bit point follows.
        {"POLYGON count", 3, {0, 0, 1, 1, 3, 5, 5}},
        // EMR_POLYPOLYGON16: bounds, nPolys 1, cpts 2, counts {5}: the counts
        // add up to more points than the record has.
        {"POLYPOLYGON16 counts", 91, {0, 0, 1, 1, 1, 2, 5, 0, 0}},
        // EMR_POLYPOLYLINE: bounds, nPolys 0xFFFFFFFF.
        {"POLYPOLYLINE nPolys", 7, {0, 0, 1, 1, 0xFFFFFFFF, 0}},
        // EMR_POLYDRAW16: bounds, cpts 2, two points, but no type bytes.
        {"POLYDRAW16 types", 92, {0, 0, 1, 1, 2, 0, 0}},
        // EMR_EXTSELECTCLIPRGN: cbRgnData 48, RGN_COPY, header with nCount 2
        // but room for one rectangle.
        {"region rectangles", 75, {48, 5, 32, 1, 2, 32, 0, 0, 1, 1, 0, 0, 1, 1}},
        // EMR_EXTSELECTCLIPRGN: cbRgnData larger than the record.
        {"region size", 75, {0x7FFFFFFF, 5, 32, 1, 0, 0, 0, 0, 0, 0}},
        // EMR_EXTCREATEPEN: index, DIB offsets, style, width, brush, numEntries
        // = 1000 with no entries.
        {"pen style entries", 95, {1, 0, 0, 0, 0, 0x10007, 1, 0, 0, 0, 1000}},
        // EMR_CREATEPALETTE: index, version 0x300 and 500 entries, none present.
        {"palette entries", 49, {1, (500u << 16) | 0x300}},
        // EMR_RECTANGLE with three of its four coordinates.
        {"short record", 43, {0, 0, 10}},
    };
    for (const Case& c : cases) {
        EmfBuilder b;
        b.Record(87, polyline).Record(c.type, c.params).Record(87, polyline);
        auto mf = load(b.Bytes());
        ASSERT_TRUE(mf) << c.what;
        RecordingBackend* rec = nullptr;
        std::unique_ptr<CDC> dc;
        EXPECT_FALSE(play(mf.get(), &rec, dc)) << c.what;
        EXPECT_EQ(rec->calls.size(), 1u) << c.what << ": only the first polyline";
    }
}

TEST(EmfReader, ObjectIndicesAreChecked)
{
    EmfBuilder b(RECT(0, 0, 10000, 10000), 3); // three handles: 0 (the metafile), 1, 2
    b.Record(38, {0, PS_SOLID, 1, 0, RGB(255, 0, 0)})   // CREATEPEN into index 0: refused
        .Record(38, {7, PS_SOLID, 1, 0, RGB(255, 0, 0)}) // CREATEPEN past nHandles: refused
        .Record(37, {7})                                  // SELECTOBJECT of an empty index
        .Record(37, {0x80000000u | 99})                   // SELECTOBJECT of a stock index that does not exist
        .Record(40, {0x80000000u | BLACK_PEN})            // DELETEOBJECT of a stock object
        .Record(40, {12345})                              // DELETEOBJECT far out of range
        .Record(87, polyline)                             // drawn with the default black pen
        .Record(37, {0x80000000u | WHITE_PEN})            // stock objects through the high bit
        .Record(87, polyline)
        .Record(38, {2, PS_SOLID, 1, 0, RGB(0, 0, 255)}) // a valid pen at index 2...
        .Record(38, {2, PS_SOLID, 1, 0, RGB(0, 255, 0)}) // ...replaced in place
        .Record(37, {2})
        .Record(87, polyline);
    auto mf = load(b.Bytes());
    ASSERT_TRUE(mf);
    RecordingBackend* rec = nullptr;
    std::unique_ptr<CDC> dc;
    EXPECT_TRUE(play(mf.get(), &rec, dc));
    ASSERT_EQ(rec->calls.size(), 3u);
    EXPECT_EQ(rec->calls[0].color, QColor(Qt::black));
    EXPECT_EQ(rec->calls[1].color, QColor(Qt::white));
    EXPECT_EQ(rec->calls[2].color, QColor(0, 255, 0));
}

TEST(EmfReader, RestoreDCNeverReachesStatesSavedBeforePlayback)
{
    EmfBuilder b;
    b.Record(33, {})          // SAVEDC
        .Record(34, {uint32_t(-5)}) // RESTOREDC five levels back: past the start
        .Record(34, {3})      // RESTOREDC to an absolute level that does not exist
        .Record(34, {uint32_t(-1)}); // back to the playback's own level
    auto mf = load(b.Bytes());
    CDC dc(std::make_unique<RecordingBackend>());
    dc.SaveDC();
    dc.SetROP2(R2_XORPEN);
    const RECT r(0, 0, 100, 100);
    std::vector<int> levels;
    EnumEnhMetaFile(&dc, mf.get(), [](HDC h, HANDLETABLE* t, const ENHMETARECORD* rec, int n, void* d) {
        const int ok = PlayEnhMetaFileRecord(h, t, rec, UINT(n));
        static_cast<std::vector<int>*>(d)->push_back(h->SaveLevel());
        return ok;
    }, &levels, &r);
    EXPECT_EQ(levels, (std::vector<int>{1, 2, 2, 2, 1, 1}));
    EXPECT_EQ(dc.SaveLevel(), 1);
    EXPECT_EQ(dc.GetROP2(), R2_XORPEN);
}

TEST(EmfReader, UnknownAndUnsupportedRecordsAreSkippedAndCounted)
{
    EmfBuilder b;
    b.Record(200, {1, 2, 3})  // a type outside MS-EMF
        .Record(102, {0, 0, 0}) // EMR_GLSRECORD: OpenGL records are not played
        .Record(102, {0, 0, 0})
        .Record(70, {4, 0x2B464D45}) // EMR_GDICOMMENT with an EMF+ signature
        .Record(87, polyline);
    auto mf = load(b.Bytes());
    RecordingBackend* rec = nullptr;
    std::unique_ptr<CDC> dc;
    EXPECT_TRUE(play(mf.get(), &rec, dc));
    EXPECT_EQ(rec->calls.size(), 1u);
    const EmfPlaybackStats stats = LastEmfPlaybackStats();
    EXPECT_EQ(stats.unknown, 1u);
    EXPECT_EQ(stats.skipped.at(102), 2u);
    EXPECT_EQ(stats.SkippedSummary(), "EMR_GLSRECORD x2, unknown x1");
}

TEST(EmfReader, TruncatedFileStillPlaysWhatItHolds)
{
    EmfBuilder b;
    b.Record(87, polyline).Record(87, polyline);
    QByteArray bytes = b.Bytes();
    bytes.chop(28); // the EOF record and half of the second polyline are gone
    auto mf = load(bytes);
    ASSERT_TRUE(mf) << "nBytes past the end is tolerated";
    RecordingBackend* rec = nullptr;
    std::unique_ptr<CDC> dc;
    EXPECT_FALSE(play(mf.get(), &rec, dc));
    EXPECT_EQ(rec->calls.size(), 1u);
}

TEST(EmfReader, ExtremeValuesNeitherOverflowNorHang)
{
    EmfBuilder b;
    b.Record(17, {MM_LOMETRIC})    // metric extents from a huge reference size
        .Record(17, {MM_HIMETRIC})
        .Record(17, {MM_TWIPS})
        .Record(43, {0, 0, 100, 100})
        .Record(17, {MM_ANISOTROPIC})
        .Record(9, {0x7FFFFFFF, 1})  // SETWINDOWEXTEX
        .Record(11, {1, 0x7FFFFFFF}) // SETVIEWPORTEXTEX
        .Record(38, {1, PS_SOLID, 0x80000000u, 0, 0}) // CREATEPEN of width INT_MIN
        .Record(37, {1})
        .Record(44, {0x80000000u, 0x80000000u, 0x7FFFFFFF, 0x7FFFFFFF, 0x80000000u, 0x80000000u}) // ROUNDRECT
        .Record(35, {EmfBuilder::F(0.7f), EmfBuilder::F(0.7f), EmfBuilder::F(-0.7f), EmfBuilder::F(0.7f),
                     EmfBuilder::F(3e38f), 0})                                  // SETWORLDTRANSFORM: rotation
        .Record(42, {0x80000000u, 0x80000000u, 0x7FFFFFFF, 0x7FFFFFFF})        // ELLIPSE
        // EXTSELECTCLIPRGN RGN_OR with a rectangle across the whole 32-bit range.
        .Record(75, {48, RGN_OR, 32, 1, 1, 16, 0, 0, 0, 0, 0x80000000u, 0x80000000u, 0x7FFFFFFF, 0x7FFFFFFF})
        .Record(43, {0x80000000u, 0, 0x7FFFFFFF, 1});
    QByteArray bytes = b.Bytes();
    poke(bytes, 80, 352321806); // szlMillimeters.cx: ten times it overflows 32 bits
    poke(bytes, 84, 0x7FFFFFFF);
    auto mf = load(bytes);
    ASSERT_TRUE(mf);
    QImage image(50, 50, QImage::Format_RGB32);
    CDC dc(std::make_unique<QPainterBackend>(&image));
    const RECT r(0, 0, 50, 50);
    EXPECT_TRUE(PlayEnhMetaFile(&dc, mf.get(), &r));
}
