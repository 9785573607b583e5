#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EnhMetaFileDC.h"
#include "tests/common/TestEnvironment.h"
#include "tests/platform/metafile/EmfBuilder.h"
#include "toolkit/COXMetaFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

} // namespace

TEST(COXMetaFile, LoadsEnhancedMetafilesWhateverTheirExtension)
{
    QTemporaryDir dir;
    const QString desc = QStringLiteral("Drawer") + QChar(0) + QStringLiteral("Plan") + QChar(0);
    EmfBuilder b(RECT(-100, 200, 2440, 1470)); // 25.4 mm x 12.7 mm
    b.Description(desc).Record(43, {0, 0, 100, 100});
    COXMetaFile mf;
    ASSERT_TRUE(mf.LoadFile(write(dir, QStringLiteral("plan.png"), b.Bytes())));
    EXPECT_EQ(mf.GethEMF(), mf.GethEMF());
    EXPECT_EQ(mf.GetSize(), CSize(2540, 1270));
    EXPECT_EQ(mf.GetNormalizedSize(), CSize(2540, 1270));
    EXPECT_EQ(mf.GetNormalizedRect(), CRect(0, 0, 2540, 1270));
    EXPECT_EQ(mf.GetBoundingRect(), CRect(-100, 200, 2440, 1470));
    EXPECT_EQ(mf.GetDescription(), QStringLiteral("Drawer") + QChar(0) + QStringLiteral("Plan"));
}

TEST(COXMetaFile, AnythingElseGivesNullAndNoMetafile)
{
    QTemporaryDir dir;
    COXMetaFile mf;
    EXPECT_EQ(mf.LoadFile(write(dir, QStringLiteral("a.emf"), QByteArray(200, 'x'))), nullptr);
    EXPECT_EQ(mf.LoadFile(write(dir, QStringLiteral("empty.emf"), QByteArray())), nullptr);
    EXPECT_EQ(mf.LoadFile(dir.filePath(QStringLiteral("missing.emf"))), nullptr);
    EXPECT_EQ(mf.LoadFile(dir.path()), nullptr) << "a folder";
    EXPECT_EQ(mf.GethEMF(), nullptr);
    EXPECT_EQ(mf.GetNormalizedSize(), CSize());
    EXPECT_TRUE(mf.GetDescription().isEmpty());
    CDC dc;
    EXPECT_FALSE(mf.PlayFile(&dc));
}

TEST(COXMetaFile, AFrameLessMetafileTakesItsSizeFromTheBounds)
{
    QTemporaryDir dir;
    EmfBuilder b(RECT(0, 0, 0, 0)); // no frame; bounds 0..999 px at 10 px/mm
    COXMetaFile mf;
    ASSERT_TRUE(mf.LoadFile(write(dir, QStringLiteral("noframe.emf"), b.Bytes())));
    EXPECT_EQ(mf.GetNormalizedSize(), CSize(10000, 10000));
}

TEST(COXMetaFile, PlaysAtItsPhysicalSizeByDefaultAndHandsItsHandleOver)
{
    QTemporaryDir dir;
    EmfBuilder b(RECT(0, 0, 1000, 1000)); // 10 mm: 100 reference pixels
    b.Record(39, {1, BS_SOLID, RGB(0, 0, 255), 0}) // CREATEBRUSHINDIRECT
        .Record(37, {1})                          // SELECTOBJECT
        .Record(43, {0, 0, 50, 100});             // RECTANGLE: the left half
    COXMetaFile mf;
    ASSERT_TRUE(mf.LoadFile(write(dir, QStringLiteral("half.emf"), b.Bytes())));
    // 200 pixels over 20 mm: the 10 mm picture covers the top-left 100
    // pixels, whatever the logical units.
    QImage image(200, 200, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    for (bool hundredths : {false, true}) {
        image.fill(Qt::white);
        {
            CDC dc(std::make_unique<QPainterBackend>(&image));
            if (hundredths) {
                dc.SetMapMode(MM_ANISOTROPIC);
                dc.SetWindowExt(2000, 2000);
                dc.SetViewportExt(200, 200);
            }
            EXPECT_TRUE(mf.PlayFile(&dc));
        }
        EXPECT_EQ(image.pixel(25, 50), qRgb(0, 0, 255)) << hundredths;
        EXPECT_EQ(image.pixel(75, 50), qRgb(255, 255, 255)) << hundredths;
        EXPECT_EQ(image.pixel(25, 150), qRgb(255, 255, 255)) << hundredths;
    }

    // A save records it on the screen at its size: the copy's frame is the
    // drawn half, 5 x 10 mm, within a screen pixel.
    const QString copy = dir.filePath(QStringLiteral("copy.emf"));
    HDC rec = CreateEnhMetaFile(nullptr, copy, nullptr, QString());
    ASSERT_TRUE(rec);
    EXPECT_TRUE(mf.PlayFile(rec));
    EnhMetaFilePtr saved(CloseEnhMetaFile(rec));
    ASSERT_TRUE(saved);
    const RECT f = saved->Header().frame;
    const double pixel = 100.0 * saved->Header().millimeters.cx / saved->Header().device.cx;
    EXPECT_NEAR(f.right - f.left, 500, 2 * pixel);
    EXPECT_NEAR(f.bottom - f.top, 1000, 2 * pixel);

    HENHMETAFILE h = mf.Detach();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(mf.GethEMF(), nullptr);
    EXPECT_TRUE(DeleteEnhMetaFile(h));
}

namespace {

// A placeable WMF of one inch square with a blue ellipse.
QByteArray blueEllipseWmf()
{
    const std::vector<uint16_t> words = {
        0xCDD7, 0x9AC6, 0, 0, 0, 100, 100, 100, 0, 0, 0,   // placeable header, checksum patched below
        1, 9, 0x0300, 0, 0, 1, 7, 0, 0,                    // standard header
        5, 0, 0x020C, 100, 100,                            // META_SETWINDOWEXT
        7, 0, 0x02FC, 0, 0, 0xFF, 0,                       // META_CREATEBRUSHINDIRECT blue
        4, 0, 0x012D, 0,                                   // META_SELECTOBJECT 0
        7, 0, 0x0418, 90, 90, 10, 10,                      // META_ELLIPSE
        3, 0, 0,                                           // META_EOF
    };
    QByteArray b;
    for (uint16_t w : words)
        b.append(char(w & 0xFF)).append(char(w >> 8));
    uint16_t sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= uint16_t(uint8_t(b[i]) | (uint8_t(b[i + 1]) << 8));
    b[20] = char(sum & 0xFF);
    b[21] = char(sum >> 8);
    return b;
}

struct DialogScope {
    explicit DialogScope(COXMetaFile::SaveDialog d) { COXMetaFile::SetSaveDialog(std::move(d)); }
    ~DialogScope() { COXMetaFile::SetSaveDialog(nullptr); }
};

} // namespace

TEST(COXMetaFile, AWindowsMetafileLoadsAsAnEnhancedMetafile)
{
    QTemporaryDir dir;
    COXMetaFile mf;
    HENHMETAFILE h = mf.LoadFile(write(dir, QStringLiteral("ellipse.wmf"), blueEllipseWmf()));
    ASSERT_TRUE(h);
    EXPECT_EQ(h->Header().frame, CRect(0, 0, 2540, 2540)) << "one inch from the placeable header";
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(std::make_unique<QPainterBackend>(&image));
    const CRect rect(0, 0, 100, 100);
    ASSERT_TRUE(mf.PlayFile(&dc, &rect));
    dc.Flush();
    EXPECT_EQ(image.pixel(50, 50), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
}

TEST(COXMetaFile, SaveDialogFiltersInQtSyntax)
{
    EXPECT_EQ(COXMetaFile::NameFilters(QStringLiteral("EMF Files(*.emf)|*.emf|All Files(*.*)|*.*|")),
              (QStringList{QStringLiteral("EMF Files (*.emf)"), QStringLiteral("All Files (*)")}));
    EXPECT_EQ(COXMetaFile::NameFilters(QStringLiteral("Pictures|*.emf;*.wmf||")),
              QStringList{QStringLiteral("Pictures (*.emf *.wmf)")});
}

TEST(COXMetaFile, CreateFileAsksForANameAndPlayFileRecordsACopy)
{
    QTemporaryDir dir;
    COXMetaFile source;
    ASSERT_TRUE(source.LoadFile(write(dir, QStringLiteral("ellipse.wmf"), blueEllipseWmf())));

    QStringList seenFilters;
    QString seenExt;
    DialogScope scope([&](const QStringList& filters, const CString& ext) {
        seenFilters = filters;
        seenExt = ext;
        return dir.filePath(QStringLiteral("copy")); // no extension: the default one is added
    });
    COXMetaFile target;
    CDC* dc = target.CreateFile(CString(), source.GetDescription(), QStringLiteral("emf"),
                                QStringLiteral("EMF Files(*.emf)|*.emf|All Files(*.*)|*.*|"));
    ASSERT_TRUE(dc);
    EXPECT_EQ(seenFilters.value(0), QStringLiteral("EMF Files (*.emf)"));
    EXPECT_EQ(seenExt, QStringLiteral("emf"));
    EXPECT_EQ(target.GetFileName(), dir.filePath(QStringLiteral("copy.emf")));
    EXPECT_FALSE(QFile::exists(target.GetFileName())) << "written only when the recording ends";
    EXPECT_TRUE(source.PlayFile(dc));
    ASSERT_TRUE(target.CloseFile());

    COXMetaFile reloaded;
    ASSERT_TRUE(reloaded.LoadFile(target.GetFileName()));
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC out(std::make_unique<QPainterBackend>(&image));
    const CRect rect(0, 0, 100, 100);
    ASSERT_TRUE(reloaded.PlayFile(&out, &rect));
    out.Flush();
    EXPECT_EQ(image.pixel(50, 50), qRgb(0, 0, 255));
    EXPECT_EQ(target.CloseFile(), nullptr) << "nothing left to close";
}

TEST(COXMetaFile, ACancelledDialogOrAnUnwritableFolderGivesNull)
{
    QTemporaryDir dir;
    {
        DialogScope scope([](const QStringList&, const CString&) { return CString(); });
        COXMetaFile target;
        EXPECT_EQ(target.CreateFile(CString(), CString()), nullptr);
        EXPECT_EQ(target.CloseFile(), nullptr);
    }
    COXMetaFile target;
    EXPECT_EQ(target.CreateFile(dir.filePath(QStringLiteral("no/such/folder.emf")), CString()), nullptr);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    // Without a replacement dialog and without widgets nobody is asked.
    COXMetaFile headless;
    EXPECT_EQ(headless.CreateFile(CString(), CString()), nullptr);

    // A recording never closed leaves no file.
    {
        COXMetaFile abandoned;
        ASSERT_TRUE(abandoned.CreateFile(dir.filePath(QStringLiteral("a.emf")), CString()));
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}
