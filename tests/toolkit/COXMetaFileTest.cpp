#include "platform/gdi/QPainterBackend.h"
#include "tests/common/TestEnvironment.h"
#include "tests/platform/metafile/EmfBuilder.h"
#include "toolkit/COXMetaFile.h"

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

TEST(COXMetaFile, PlaysIntoItsBoundingRectangleAndHandsItsHandleOver)
{
    QTemporaryDir dir;
    EmfBuilder b(RECT(0, 0, 1000, 1000)); // 10 mm: 100 reference pixels
    b.Record(39, {1, BS_SOLID, RGB(0, 0, 255), 0}) // CREATEBRUSHINDIRECT
        .Record(37, {1})                          // SELECTOBJECT
        .Record(43, {0, 0, 50, 100});             // RECTANGLE: the left half
    COXMetaFile mf;
    ASSERT_TRUE(mf.LoadFile(write(dir, QStringLiteral("half.emf"), b.Bytes())));
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        // The view's set-up: the frame mapped onto the destination size.
        const CRect frame = mf.GetBoundingRect();
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowOrg(frame.left, frame.top);
        dc.SetWindowExt(frame.Width(), frame.Height());
        dc.SetViewportExt(20, 20);
        EXPECT_TRUE(mf.PlayFile(&dc));
    }
    EXPECT_EQ(image.pixel(5, 10), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(15, 10), qRgb(255, 255, 255));
    HENHMETAFILE h = mf.Detach();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(mf.GethEMF(), nullptr);
    EXPECT_TRUE(DeleteEnhMetaFile(h));
}
