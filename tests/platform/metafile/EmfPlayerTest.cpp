#include "platform/gdi/CPen.h"
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/EmfRecordTypes.h"
#include "tests/platform/gdi/RecordingBackend.h"
#include "tests/platform/metafile/EmfBuilder.h"

#include <gtest/gtest.h>
#include <functional>
#include <thread>

namespace {

EnhMetaFilePtr load(const QByteArray& b)
{
    return EnhMetaFilePtr(SetEnhMetaFileBits(UINT(b.size()), reinterpret_cast<const BYTE*>(b.constData())));
}

using Probe = std::function<void(const ENHMETARECORD&, CDC&)>;

// Plays every record and calls probe after each with the DC's state.
BOOL playProbed(CDC& dc, HENHMETAFILE mf, const RECT& rect, const Probe& probe)
{
    return EnumEnhMetaFile(&dc, mf, [](HDC h, HANDLETABLE* t, const ENHMETARECORD* r, int n, void* d) {
        const BOOL ok = PlayEnhMetaFileRecord(h, t, r, UINT(n));
        (*static_cast<const Probe*>(d))(*r, *h);
        return ok;
    }, const_cast<Probe*>(&probe), &rect);
}

} // namespace

TEST(EmfPlayer, TheCallbackSeesEveryRecordAndMayStop)
{
    EmfBuilder b;
    b.Record(18, {TRANSPARENT}).Record(18, {OPAQUE}).Record(18, {TRANSPARENT});
    auto mf = load(b.Bytes());
    std::vector<DWORD> types;
    const RECT r(0, 0, 10, 10);
    CDC dc;
    EXPECT_TRUE(EnumEnhMetaFile(&dc, mf.get(), [](HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, void* d) {
        static_cast<std::vector<DWORD>*>(d)->push_back(rec->iType);
        return 1;
    }, &types, &r));
    EXPECT_EQ(types, (std::vector<DWORD>{EMR_HEADER, 18, 18, 18, EMR_EOF}));
    int seen = 0;
    EXPECT_FALSE(EnumEnhMetaFile(&dc, mf.get(), [](HDC, HANDLETABLE*, const ENHMETARECORD*, int, void* d) {
        return ++*static_cast<int*>(d) < 2 ? 1 : 0;
    }, &seen, &r));
    EXPECT_EQ(seen, 2);
    EXPECT_FALSE(EnumEnhMetaFile(&dc, mf.get(), nullptr, nullptr, &r));
    EXPECT_FALSE(EnumEnhMetaFile(&dc, mf.get(), [](HDC, HANDLETABLE*, const ENHMETARECORD*, int, void*) { return 1; },
                                 nullptr, nullptr))
        << "a DC needs a rectangle";
}

TEST(EmfPlayer, DCStateFollowsTheRecords)
{
    EmfBuilder b;
    b.Record(17, {MM_ANISOTROPIC})          // SETMAPMODE
        .Record(9, {200, 200})              // SETWINDOWEXTEX
        .Record(11, {100, 100})             // SETVIEWPORTEXTEX
        .Record(33, {})                     // SAVEDC
        .Record(17, {MM_ISOTROPIC})         // SETMAPMODE: low-metric extents
        .Record(9, {100, 100})              // SETWINDOWEXTEX
        .Record(11, {300, 100})             // SETVIEWPORTEXTEX: fixed up to 100, 100
        .Record(35, {EmfBuilder::F(2), 0, 0, EmfBuilder::F(2), EmfBuilder::F(5), 0}) // SETWORLDTRANSFORM
        .Record(30, {0, 0, 50, 50})         // INTERSECTCLIPRECT
        .Record(34, {uint32_t(-1)})         // RESTOREDC
        .Record(20, {R2_XORPEN});           // SETROP2
    auto mf = load(b.Bytes());
    CDC dc(std::make_unique<RecordingBackend>());
    struct Seen {
        int mode;
        CSize vpExt;
        XFORM world;
        int level;
        bool clipped;
    };
    std::vector<Seen> seen;
    // The rectangle is the frame at ten pixels per millimetre: no scaling.
    EXPECT_TRUE(playProbed(dc, mf.get(), RECT(0, 0, 1000, 1000), [&](const ENHMETARECORD&, CDC& d) {
        XFORM w;
        d.GetWorldTransform(&w);
        seen.push_back({d.GetMapMode(), d.GetViewportExt(), w, d.SaveLevel(), d.EffectiveClip().has_value()});
    }));
    ASSERT_EQ(seen.size(), 13u);
    EXPECT_EQ(seen[0].mode, MM_TEXT) << "playback starts in MM_TEXT";
    EXPECT_EQ(seen[1].mode, MM_ANISOTROPIC);
    EXPECT_EQ(seen[3].vpExt, CSize(100, 100));
    EXPECT_EQ(seen[4].level, 1);
    EXPECT_EQ(seen[5].mode, MM_ISOTROPIC);
    EXPECT_EQ(seen[5].vpExt, CSize(1000, -1000)) << "the reference device's low-metric extents";
    EXPECT_EQ(seen[7].vpExt, CSize(100, 100)) << "isotropic fix-up";
    EXPECT_EQ(seen[8].world, (XFORM{2, 0, 0, 2, 5, 0}));
    EXPECT_TRUE(seen[9].clipped);
    EXPECT_EQ(seen[10].level, 0);
    EXPECT_EQ(seen[10].mode, MM_ANISOTROPIC);
    EXPECT_FALSE(seen[10].clipped);
    EXPECT_EQ(seen[10].world, XFORM{});
    EXPECT_EQ(dc.GetROP2(), R2_COPYPEN) << "the caller's state comes back";
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc.GetGraphicsMode(), GM_COMPATIBLE);
}

TEST(EmfPlayer, TheFrameFillsTheRectangleThroughTheCallersMapping)
{
    EmfBuilder b; // frame 100 mm square; reference device 10 px/mm
    b.Record(43, {0, 0, 1000, 1000}); // RECTANGLE over the whole frame
    auto mf = load(b.Bytes());
    auto backend = std::make_unique<RecordingBackend>();
    RecordingBackend* rec = backend.get();
    CDC dc(std::move(backend));
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(10, 10);
    dc.SetViewportExt(20, 20); // the caller's mapping doubles
    dc.SetROP2(R2_NOT);        // reset for the playback
    const RECT r(10, 20, 110, 220);
    EXPECT_TRUE(PlayEnhMetaFile(&dc, mf.get(), &r));
    ASSERT_EQ(rec->calls.size(), 2u);
    EXPECT_EQ(rec->calls[0].path.boundingRect(), QRectF(20, 40, 200, 400));
    EXPECT_EQ(rec->calls[0].rop2, R2_COPYPEN);
    EXPECT_EQ(dc.GetROP2(), R2_NOT);
    EXPECT_EQ(dc.GetWindowExt(), CSize(10, 10));
}

TEST(EmfPlayer, TheCallersClipBoundsTheMetafilesClipping)
{
    EmfBuilder b;
    b.Record(75, {0, RGN_COPY}) // EXTSELECTCLIPRGN without data: no clip
        .Record(43, {0, 0, 1000, 1000});
    auto mf = load(b.Bytes());
    auto backend = std::make_unique<RecordingBackend>();
    RecordingBackend* rec = backend.get();
    CDC dc(std::move(backend));
    dc.IntersectClipRect(0, 0, 50, 50);
    const RECT r(0, 0, 100, 100);
    PlayEnhMetaFile(&dc, mf.get(), &r);
    ASSERT_FALSE(rec->calls.empty());
    EXPECT_EQ(*rec->calls[0].clip, QRegion(0, 0, 50, 50));
    EXPECT_FALSE(dc.State().metaRgn.has_value()) << "the meta region ends with the playback";
}

TEST(EmfPlayer, ClipRegionsAreInTheMetafilesDeviceUnits)
{
    EmfBuilder b;
    // EXTSELECTCLIPRGN, RGN_COPY, one rectangle (100,100)-(500,500).
    b.Record(75, {48, RGN_COPY, 32, 1, 1, 16, 100, 100, 500, 500, 100, 100, 500, 500})
        .Record(43, {0, 0, 1000, 1000});
    auto mf = load(b.Bytes());
    auto backend = std::make_unique<RecordingBackend>();
    RecordingBackend* rec = backend.get();
    CDC dc(std::move(backend));
    const RECT r(0, 0, 100, 100); // a tenth of the metafile's device
    PlayEnhMetaFile(&dc, mf.get(), &r);
    ASSERT_FALSE(rec->calls.empty());
    EXPECT_EQ(*rec->calls[0].clip, QRegion(10, 10, 40, 40));
}

TEST(EmfPlayer, AMetafilePlaysTheSameOnSeveralThreadsAtOnce)
{
    EmfBuilder b;
    for (int i = 0; i < 200; ++i) {
        b.Record(39, {1, BS_SOLID, RGB(i, 255 - i, 7 * i % 256), 0}) // CREATEBRUSHINDIRECT
            .Record(37, {1})                                          // SELECTOBJECT
            .Record(42, {uint32_t(i * 4), uint32_t(i * 3), uint32_t(i * 4 + 90), uint32_t(i * 3 + 70)}) // ELLIPSE
            .Record(37, {0x80000000u | WHITE_BRUSH})
            .Record(40, {1}); // DELETEOBJECT
    }
    auto mf = load(b.Bytes());
    std::vector<QImage> images(4, QImage(200, 200, QImage::Format_RGB32));
    std::vector<std::thread> threads;
    for (auto& image : images) {
        image.fill(Qt::white);
        threads.emplace_back([&image, &mf] {
            CDC dc(std::make_unique<QPainterBackend>(&image));
            const RECT r(0, 0, 200, 200);
            PlayEnhMetaFile(&dc, mf.get(), &r);
        });
    }
    for (auto& t : threads)
        t.join();
    for (size_t i = 1; i < images.size(); ++i)
        EXPECT_EQ(images[i], images[0]);
    EXPECT_NE(images[0].pixel(100, 80), qRgb(255, 255, 255));
}

TEST(EmfPlayer, ACancelledDCStopsThePlayback)
{
    EmfBuilder b;
    b.Record(43, {0, 0, 10, 10}).Record(43, {0, 0, 20, 20});
    auto mf = load(b.Bytes());
    CDC dc(std::make_unique<RecordingBackend>());
    const RECT r(0, 0, 100, 100);
    int records = 0;
    EXPECT_FALSE(EnumEnhMetaFile(&dc, mf.get(), [](HDC h, HANDLETABLE* t, const ENHMETARECORD* rec, int n, void* d) {
        if (++*static_cast<int*>(d) == 2)
            h->CancelDC(); // as another thread would, during the first rectangle
        return PlayEnhMetaFileRecord(h, t, rec, UINT(n));
    }, &records, &r));
    EXPECT_EQ(records, 2) << "the cancelled record fails and ends the enumeration";
    EXPECT_TRUE(PlayEnhMetaFile(&dc, mf.get(), &r)) << "the next playback runs again";
}

TEST(EnhMetaFile, CopiesAreIndependentHandlesOverTheSameBytes)
{
    EmfBuilder b;
    b.Record(43, {0, 0, 10, 10});
    const QByteArray bytes = b.Bytes();
    HENHMETAFILE a = SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData()));
    ASSERT_TRUE(a);
    HENHMETAFILE copy = CopyEnhMetaFile(a);
    ASSERT_TRUE(copy);
    EXPECT_TRUE(DeleteEnhMetaFile(a));
    QByteArray out(int(GetEnhMetaFileBits(copy, 0, nullptr)), 0);
    EXPECT_EQ(GetEnhMetaFileBits(copy, UINT(out.size()), reinterpret_cast<BYTE*>(out.data())), UINT(bytes.size()));
    EXPECT_EQ(out, bytes);
    ENHMETAHEADER h;
    EXPECT_TRUE(GetEnhMetaFileHeader(copy, &h));
    EXPECT_EQ(h.nRecords, 3u);
    const QString path = testing::TempDir().c_str() + QStringLiteral("/copy.emf");
    HENHMETAFILE onDisk = CopyEnhMetaFile(copy, path);
    ASSERT_TRUE(onDisk);
    EnhMetaFilePtr reread(GetEnhMetaFile(path));
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->Bytes(), bytes);
    EXPECT_EQ(CopyEnhMetaFile(copy, QStringLiteral("/nonexistent-folder/x.emf")), nullptr);
    DeleteEnhMetaFile(onDisk);
    DeleteEnhMetaFile(copy);
    EXPECT_FALSE(DeleteEnhMetaFile(nullptr));
}

TEST(EmfPlayer, BlockTransfersWithoutASourceArePatternFills)
{
    EmfBuilder b;
    b.Record(39, {1, BS_SOLID, RGB(0, 0, 200), 0}) // CREATEBRUSHINDIRECT
        .Record(37, {1})                          // SELECTOBJECT
        // EMR_BITBLT: bounds; dest 10,10 40x20; PATCOPY; source 0,0; source
        // transform; background; usage; offBmiSrc, cbBmiSrc 0: no bitmap.
        .Record(76, {10, 10, 49, 29, 10, 10, 40, 20, PATCOPY, 0, 0, EmfBuilder::F(1), 0, 0, EmfBuilder::F(1), 0, 0,
                     0, 0, 0, 0, 0, 0})
        // The same with a (missing) source bitmap: skipped until bitmaps play.
        .Record(76, {0, 0, 9, 9, 0, 0, 10, 10, SRCCOPY, 0, 0, EmfBuilder::F(1), 0, 0, EmfBuilder::F(1), 0, 0, 0,
                     0, 100, 40, 140, 0});
    auto mf = load(b.Bytes());
    auto backend = std::make_unique<RecordingBackend>();
    RecordingBackend* rec = backend.get();
    CDC dc(std::move(backend));
    const RECT r(0, 0, 1000, 1000);
    EXPECT_TRUE(PlayEnhMetaFile(&dc, mf.get(), &r));
    ASSERT_EQ(rec->calls.size(), 1u);
    EXPECT_EQ(rec->calls[0].region, QRegion(10, 10, 40, 20));
    EXPECT_EQ(rec->calls[0].color, QColor(0, 0, 200));
}

TEST(EmfPlayer, PathsBecomeClipRegions)
{
    EmfBuilder b;
    b.Record(59, {})                                        // BEGINPATH
        .Record(43, {100, 100, 300, 300})                   // RECTANGLE
        .Record(60, {})                                     // ENDPATH
        .Record(67, {RGN_COPY})                             // SELECTCLIPPATH
        .Record(43, {0, 0, 1000, 1000});
    auto mf = load(b.Bytes());
    auto backend = std::make_unique<RecordingBackend>();
    RecordingBackend* rec = backend.get();
    CDC dc(std::move(backend));
    const RECT r(0, 0, 1000, 1000);
    EXPECT_TRUE(PlayEnhMetaFile(&dc, mf.get(), &r));
    ASSERT_EQ(rec->calls.size(), 2u);
    ASSERT_TRUE(rec->calls[0].clip.has_value());
    EXPECT_EQ(rec->calls[0].clip->boundingRect(), QRect(100, 100, 200, 200));
}
