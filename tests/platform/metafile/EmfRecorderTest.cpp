// Recording enhanced metafiles: what a playback into a recording device
// context writes plays like the original, keeps its objects apart, carries
// a truthful header, and reaches the disk whole or not at all.
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/BoundsBackend.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/EnhMetaFileDC.h"
#include "platform/metafile/WmfPlayer.h"
#include "platform/metafile/WmfRecordTypes.h"
#include "tests/common/TestEnvironment.h"
#include "tests/platform/metafile/EmfBuilder.h"
#include "tests/platform/metafile/EmfTestSupport.h"
#include "tests/platform/metafile/WmfBuilder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace emftest;

namespace {

// Record types of MS-EMF used below.
enum : uint32_t {
    EmrSetWindowExt = 9, EmrSetViewportExt = 11, EmrSetMapMode = 17, EmrIntersectClip = 30, EmrSelectObject = 37,
    EmrCreatePen = 38, EmrCreateBrush = 39, EmrDeleteObject = 40, EmrEllipse = 42, EmrRectangle = 43, EmrCreateFont = 82,
    EmrPolyline16 = 87, EmrSetWorldTransform = 35, EmrSaveDC = 33, EmrRestoreDC = 34,
};

// A drawing with mapping, objects, clipping and several shapes.
QByteArray drawing()
{
    EmfBuilder b;
    b.Record(EmrSetMapMode, {8});                       // MM_ANISOTROPIC
    b.Record(EmrSetWindowExt, {200, 200});
    b.Record(EmrSetViewportExt, {1000, 1000});
    b.Record(EmrCreateBrush, {1, 0, 0x0000FF, 0});      // red solid
    b.Record(EmrSelectObject, {1});
    b.Record(EmrCreatePen, {2, 0, 6, 0, 0xFF0000});     // blue, 6 units wide
    b.Record(EmrSelectObject, {2});
    b.Record(EmrRectangle, {10, 10, 90, 90});
    b.Record(EmrIntersectClip, {0, 0, 150, 150});
    b.Record(EmrEllipse, {100, 100, 190, 190});
    b.Record(EmrPolyline16, {0, 0, 0, 0, 3, EmfBuilder::Pt16(10, 190), EmfBuilder::Pt16(100, 120), EmfBuilder::Pt16(190, 190)});
    b.Record(EmrDeleteObject, {1});
    return b.Bytes();
}

// Plays mf into a new recording of the same frame and reference device.
HENHMETAFILE rerecord(HENHMETAFILE mf, const QString& path = QString())
{
    Reference ref;
    const RECT frame = mf->Header().frame;
    HDC dc = CreateEnhMetaFile(&ref.dc, path, &frame, QString());
    if (!dc)
        return nullptr;
    const RECT rect(frame.left / 10, frame.top / 10, frame.right / 10, frame.bottom / 10);
    PlayEnhMetaFile(dc, mf, &rect);
    return CloseEnhMetaFile(dc);
}

} // namespace

TEST(EmfRecorder, AReRecordedMetafilePlaysTheSameRecordsAndPicture)
{
    EnhMetaFilePtr original(SetEnhMetaFileBits(UINT(drawing().size()), reinterpret_cast<const BYTE*>(drawing().constData())));
    ASSERT_TRUE(original);
    EnhMetaFilePtr saved(rerecord(original.get()));
    ASSERT_TRUE(saved);
    const auto shapes = {uint32_t(EmrRectangle), uint32_t(EmrEllipse), uint32_t(EmrPolyline16), uint32_t(EmrIntersectClip)};
    EXPECT_EQ(typesOf(records(saved.get()), shapes), typesOf(records(original.get()), shapes));
    // Played in its own device units, the copy keeps the mapping records.
    const auto recs = records(saved.get());
    EXPECT_EQ(typesOf(recs, {EmrSetMapMode, EmrSetWindowExt, EmrSetViewportExt}),
              (std::vector<uint32_t>{EmrSetMapMode, EmrSetWindowExt, EmrSetViewportExt}));
    for (const Rec& r : recs) {
        if (r.type == EmrSetWindowExt) {
            EXPECT_EQ(r.params, (std::vector<uint32_t>{200, 200}));
        }
    }
    EXPECT_LT(difference(render(original.get()), render(saved.get())), 0.002);

    // Read back and recorded once more, it is still the same picture.
    EnhMetaFilePtr again(rerecord(saved.get()));
    ASSERT_TRUE(again);
    EXPECT_LT(difference(render(original.get()), render(again.get())), 0.002);
}

TEST(EmfRecorder, ObjectIndicesAreGivenOutLowestFirstAndUnknownRecordsKeptVerbatim)
{
    EmfBuilder b(RECT(0, 0, 10000, 10000), 10);
    b.Record(EmrCreateBrush, {5, 0, 0x00FF00, 0});
    std::vector<uint32_t> font = {7, 0xFFFFFFF6u, 0, 0, 0, 400, 0};
    font.resize(1 + 23, 0x00410041); // LOGFONTW: height -10, weight 400, then a face name of "AA..."
    b.Record(EmrCreateFont, font);
    b.Record(EmrSelectObject, {5});
    b.Record(EmrSelectObject, {7});
    b.Record(EmrSelectObject, {0x80000000u | 5}); // a stock object keeps its index
    b.Record(EmrSelectObject, {9});               // never created: dropped
    b.Record(EmrDeleteObject, {5});
    const QByteArray bytes = b.Bytes();
    EnhMetaFilePtr original(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
    EnhMetaFilePtr saved(rerecord(original.get()));
    ASSERT_TRUE(saved);
    std::vector<Rec> objectRecords;
    for (const Rec& r : records(saved.get()))
        if (r.type == EmrCreateBrush || r.type == EmrCreateFont || r.type == EmrSelectObject || r.type == EmrDeleteObject)
            objectRecords.push_back(r);
    ASSERT_EQ(objectRecords.size(), 7u);
    EXPECT_EQ(objectRecords[0].params, (std::vector<uint32_t>{1, 0, 0x00FF00, 0}));
    EXPECT_EQ(objectRecords[1].type, uint32_t(EmrCreateFont));
    std::vector<uint32_t> expectedFont = font;
    expectedFont[0] = 2;
    EXPECT_EQ(objectRecords[1].params, expectedFont);
    EXPECT_EQ(objectRecords[2].params[0], 1u);
    EXPECT_EQ(objectRecords[3].params[0], 2u);
    EXPECT_EQ(objectRecords[4].params[0], 0x80000005u);
    EXPECT_EQ(objectRecords[5].type, uint32_t(EmrDeleteObject));
    EXPECT_EQ(objectRecords[5].params[0], 1u);
    // The playback's font is deleted when the playback ends.
    EXPECT_EQ(objectRecords[6].type, uint32_t(EmrDeleteObject));
    EXPECT_EQ(objectRecords[6].params[0], 2u);
    EXPECT_EQ(saved->Header().nHandles, 3);
}

TEST(EmfRecorder, TheHeaderCarriesBoundsFrameDeviceAndDescription)
{
    // Drawn on the screen reference device (1024 x 768 pixels, 271 x 203
    // mm) without a frame: the frame comes from the bounds.
    EmfBuilder b;
    b.Record(EmrRectangle, {100, 200, 600, 400});
    const QByteArray bytes = b.Bytes();
    EnhMetaFilePtr source(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
    const QString desc = QStringLiteral("Lumivu") + QChar(0) + QStringLiteral("Plan");
    HDC dc = CreateEnhMetaFile(nullptr, QString(), nullptr, desc);
    ASSERT_TRUE(dc);
    const RECT rect(0, 0, 1000, 1000);
    PlayEnhMetaFile(dc, source.get(), &rect);
    EnhMetaFilePtr saved(CloseEnhMetaFile(dc));
    ASSERT_TRUE(saved);
    const EmfHeader& h = saved->Header();
    EXPECT_EQ(h.device, SIZE(1024, 768));
    EXPECT_EQ(h.millimeters, SIZE(271, 203));
    EXPECT_EQ(h.micrometers, SIZE(271000, 203000));
    EXPECT_EQ(h.description, desc + QChar(0) + QChar(0));
    EXPECT_NEAR(h.bounds.left, 100, 1);
    EXPECT_NEAR(h.bounds.top, 200, 1);
    EXPECT_NEAR(h.bounds.right, 600, 1);
    EXPECT_NEAR(h.bounds.bottom, 400, 1);
    EXPECT_NEAR(h.frame.left, 100 * 27100 / 1024, 30);
    EXPECT_NEAR(h.frame.right, 601 * 27100 / 1024, 30);
    EXPECT_NEAR(h.frame.bottom, 401 * 20300 / 768, 30);
    EXPECT_EQ(h.nRecords, uint32_t(records(saved.get()).size()));
    EXPECT_EQ(h.nBytes, uint32_t(saved->Bytes().size()));
}

TEST(EmfRecorder, ASaveIsWholeOrNothing)
{
    QTemporaryDir dir;
    const QByteArray bytes = drawing();
    EnhMetaFilePtr source(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));

    // A folder that does not exist: failure, and nothing is created.
    EXPECT_EQ(CreateEnhMetaFile(nullptr, dir.filePath(QStringLiteral("missing/out.emf")), nullptr, QString()), nullptr);
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("missing"))).exists());
    // A target that is a folder.
    EXPECT_EQ(CreateEnhMetaFile(nullptr, dir.path(), nullptr, QString()), nullptr);

    // An abandoned recording leaves the old file as it was and no other.
    const QString path = dir.filePath(QStringLiteral("old.emf"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    HDC dc = CreateEnhMetaFile(nullptr, path, nullptr, QString());
    ASSERT_TRUE(dc);
    const RECT rect(0, 0, 100, 100);
    PlayEnhMetaFile(dc, source.get(), &rect);
    delete dc;
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old contents"));
    old.close();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.emf")});

    // A completed recording replaces it.
    EnhMetaFilePtr saved(rerecord(source.get(), path));
    ASSERT_TRUE(saved);
    EnhMetaFilePtr reloaded(GetEnhMetaFile(path));
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(reloaded->Bytes(), saved->Bytes());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.emf")});

    // A folder that disappears while recording: the close reports failure.
    const QString gone = dir.filePath(QStringLiteral("gone"));
    ASSERT_TRUE(QDir().mkpath(gone));
    dc = CreateEnhMetaFile(nullptr, gone + QStringLiteral("/out.emf"), nullptr, QString());
    ASSERT_TRUE(dc);
    ASSERT_TRUE(QDir(gone).removeRecursively());
    EXPECT_EQ(CloseEnhMetaFile(dc), nullptr);
    EXPECT_FALSE(QFile::exists(gone + QStringLiteral("/out.emf")));

    if (geteuid() != 0) {
        // A folder that cannot be written.
        const QString locked = dir.filePath(QStringLiteral("locked"));
        ASSERT_TRUE(QDir().mkpath(locked));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(CreateEnhMetaFile(nullptr, locked + QStringLiteral("/out.emf"), nullptr, QString()), nullptr);
        EXPECT_TRUE(QDir(locked).entryList(QDir::Files | QDir::Hidden).isEmpty());
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

TEST(EmfRecorder, SavedFilesAreAcceptedByAnIndependentParser)
{
    const QString conv = QStandardPaths::findExecutable(QStringLiteral("emf2svg-conv"));
    if (conv.isEmpty())
        GTEST_SKIP() << "emf2svg-conv is not installed";
    QTemporaryDir dir;
    const QByteArray bytes = drawing();
    EnhMetaFilePtr source(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
    const QString emf = dir.filePath(QStringLiteral("saved.emf"));
    EnhMetaFilePtr saved(rerecord(source.get(), emf));
    ASSERT_TRUE(saved);

    WmfBuilder w;
    w.Placeable(0, 0, 100, 100, 100);
    w.Record(META_SETWINDOWEXT, {100, 100}).Record(META_CREATEBRUSHINDIRECT, {0, 0xFF, 0, 0});
    w.Record(META_SELECTOBJECT, {0}).Record(META_ELLIPSE, {90, 90, 10, 10});
    EnhMetaFilePtr converted(ConvertWinMetaFile(w.Bytes()));
    ASSERT_TRUE(converted);
    const QString wmfEmf = dir.filePath(QStringLiteral("converted.emf"));
    EnhMetaFilePtr copy(CopyEnhMetaFile(converted.get(), wmfEmf));
    ASSERT_TRUE(copy);

    for (const QString& file : {emf, wmfEmf}) {
        QProcess p;
        p.start(conv, {QStringLiteral("-i"), file, QStringLiteral("-o"), file + QStringLiteral(".svg")});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0) << qPrintable(file) << p.readAllStandardError().constData();
    }
}

TEST(EmfRecorder, SavedCorpusFilesReloadAndRenderAlike)
{
    QFile index(testenv::CorpusDir() + QStringLiteral("/INDEX.tsv"));
    if (!index.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "corpus not present";
    QTextStream in(&index);
    in.readLine();
    int checked = 0;
    while (!in.atEnd() && checked < 12) {
        const QStringList cols = in.readLine().split(QLatin1Char('\t'));
        if (cols.size() < 18 || cols[3] != QLatin1String("EMF") || cols[17] != QLatin1String("real-world"))
            continue;
        EnhMetaFilePtr original(GetEnhMetaFile(testenv::CorpusDir() + QLatin1Char('/') + cols[0]));
        if (!original)
            continue;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("saved.emf"));
        EnhMetaFilePtr saved(rerecord(original.get(), path));
        ASSERT_TRUE(saved) << qPrintable(cols[0]);
        EnhMetaFilePtr reloaded(GetEnhMetaFile(path));
        ASSERT_TRUE(reloaded) << qPrintable(cols[0]);
        EXPECT_LT(difference(render(original.get(), 160), render(reloaded.get(), 160)), 0.01) << qPrintable(cols[0]);
        ++checked;
    }
}

TEST(EmfRecorder, RegionDataFollowsThePlaybackIntoTheRecordingsDeviceUnits)
{
    // The left half of the 1000-pixel device is the clip; a rectangle over
    // everything then fills only that half.
    EmfBuilder b;
    b.Record(75, {48, 5, 32, 1, 1, 16, 0, 0, 500, 1000, 0, 0, 500, 1000}); // EMR_EXTSELECTCLIPRGN, RGN_COPY
    b.Record(EmrCreateBrush, {1, 0, 0x0000FF, 0});
    b.Record(EmrSelectObject, {1});
    b.Record(EmrRectangle, {0, 0, 1000, 1000});
    const QByteArray bytes = b.Bytes();
    EnhMetaFilePtr original(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
    ASSERT_TRUE(original);

    // Played at a fifth of its size into the recording.
    Reference ref;
    const RECT frame(0, 0, 2000, 2000);
    HDC dc = CreateEnhMetaFile(&ref.dc, QString(), &frame, QString());
    ASSERT_TRUE(dc);
    const RECT rect(0, 0, 200, 200);
    PlayEnhMetaFile(dc, original.get(), &rect);
    EnhMetaFilePtr saved(CloseEnhMetaFile(dc));
    ASSERT_TRUE(saved);
    bool found = false;
    for (const Rec& r : records(saved.get()))
        if (r.type == 75) {
            ASSERT_GE(r.params.size(), 14u);
            EXPECT_EQ((std::vector<uint32_t>(r.params.begin() + 10, r.params.begin() + 14)),
                      (std::vector<uint32_t>{0, 0, 100, 200}));
            found = true;
        }
    EXPECT_TRUE(found);
    // At another scale the mapping is written whole: the page mapping with
    // the scale in the viewport, then the world transform.
    EXPECT_FALSE(typesOf(records(saved.get()), {EmrSetMapMode, EmrSetViewportExt}).empty());
    EXPECT_FALSE(typesOf(records(saved.get()), {EmrSetWorldTransform}).empty());
    // The bounds count the rectangle whole, clipped or not (its last
    // column, 999, at a fifth lands on 200).
    EXPECT_NEAR(saved->Header().bounds.right, 200, 1);
    EXPECT_LT(difference(render(original.get()), render(saved.get())), 0.002);
}

TEST(EmfRecorder, AnUnscaledPlaybackKeepsItsMappingRecordsAsTheyAre)
{
    // A chart's mapping: a mirrored window, a font turned by a quarter, and
    // an ellipse whose box runs upwards.
    EmfBuilder b;
    b.Record(EmrSetMapMode, {8});
    b.Record(EmrSetViewportExt, {500, 400});
    b.Record(EmrSetWindowExt, {9000, uint32_t(-7200)});
    b.Record(10 /* EMR_SETWINDOWORGEX */, {0, 7200});
    b.Record(EmrCreatePen, {1, 0, 20, 0, 0xFF0000});
    b.Record(EmrSelectObject, {1});
    b.Record(EmrEllipse, {1000, 5000, 3000, 3000});
    const QByteArray bytes = b.Bytes();
    EnhMetaFilePtr original(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
    ASSERT_TRUE(original);

    Reference ref;
    const RECT frame = original->Header().frame;
    HDC dc = CreateEnhMetaFile(&ref.dc, QString(), &frame, QString());
    ASSERT_TRUE(dc);
    PlayEnhMetaFileUnscaled(dc, original.get());
    EnhMetaFilePtr saved(CloseEnhMetaFile(dc));
    ASSERT_TRUE(saved);

    std::vector<Rec> mapping;
    for (const Rec& r : records(saved.get()))
        if ((r.type >= EmrSetWindowExt && r.type <= 12 /* EMR_SETVIEWPORTORGEX */) || r.type == EmrSetMapMode)
            mapping.push_back(r);
    ASSERT_EQ(mapping.size(), 4u);
    EXPECT_EQ(mapping[0].params, (std::vector<uint32_t>{8}));
    EXPECT_EQ(mapping[1].params, (std::vector<uint32_t>{500, 400}));
    EXPECT_EQ(mapping[2].params, (std::vector<uint32_t>{9000, uint32_t(-7200)}));
    EXPECT_EQ(mapping[3].params, (std::vector<uint32_t>{0, 7200}));
    // No world transform carries the mirror.
    for (const Rec& r : records(saved.get())) {
        if (r.type == EmrSetWorldTransform) {
            EXPECT_EQ(r.params[3], EmfBuilder::F(1));
        }
    }
    // The ellipse's box still runs upwards, as the window does: LibreOffice
    // draws an ordered box under a flipped window as a hairline.
    int ellipses = 0;
    for (const Rec& r : records(saved.get()))
        if (r.type == EmrEllipse) {
            ASSERT_GE(r.params.size(), 4u);
            EXPECT_GT(int32_t(r.params[1]), int32_t(r.params[3]));
            ++ellipses;
        }
    EXPECT_EQ(ellipses, 1);
    EXPECT_LT(difference(render(original.get()), render(saved.get())), 0.002);
}
