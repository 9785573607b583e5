// The platform's clipboard calls: the open/empty/set/close protocol, the
// formats other programs get for a metafile and a bitmap, and who owns a
// metafile handle after the call.
#include "platform/clipboard/Clipboard.h"
#include "platform/gdi/Dib.h"
#include "tests/platform/metafile/EmfBuilder.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A red square filling a 40 x 20 mm frame.
QByteArray redPicture()
{
    EmfBuilder b(RECT(0, 0, 4000, 2000));
    b.Record(39, {1, 0, 0x000000FF, 0}); // EMR_CREATEBRUSHINDIRECT: solid red
    b.Record(37, {1});                   // EMR_SELECTOBJECT
    b.Record(37, {0x80000008});          // EMR_SELECTOBJECT: NULL_PEN
    b.Record(43, {0, 0, 1001, 1001});    // EMR_RECTANGLE over the device
    return b.Bytes();
}

HENHMETAFILE load(const QByteArray& bytes)
{
    return SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData()));
}

// A packed 24-bit DIB of w x h pixels, bottom-up, all of colour (r, g, b).
QByteArray packedDib(int w, int h, uint8_t r, uint8_t g, uint8_t b)
{
    QByteArray info(40, '\0');
    qToLittleEndian<uint32_t>(40, info.data());
    qToLittleEndian<int32_t>(w, info.data() + 4);
    qToLittleEndian<int32_t>(h, info.data() + 8);
    qToLittleEndian<uint16_t>(1, info.data() + 12);
    qToLittleEndian<uint16_t>(24, info.data() + 14);
    const int stride = (w * 3 + 3) & ~3;
    QByteArray bits(stride * h, '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bits[y * stride + x * 3] = char(b);
            bits[y * stride + x * 3 + 1] = char(g);
            bits[y * stride + x * 3 + 2] = char(r);
        }
    return info + bits;
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }
    void TearDown() override
    {
        CloseClipboard();
        SetClipboardPublishHook({});
    }
    const QMimeData* Data() const { return QGuiApplication::clipboard()->mimeData(); }
};

} // namespace

TEST_F(ClipboardTest, OpenIsExclusiveAndDataNeedsAnEmptiedClipboard)
{
    EnhMetaFilePtr mf(load(redPicture()));
    ASSERT_TRUE(mf);
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_FALSE(CloseClipboard());
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr)); // already open, also for the same window
    // Not emptied: refused, and the handle stays the caller's.
    EXPECT_FALSE(SetEnhMetaFileClipboardData(mf.get()));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_FALSE(SetEnhMetaFileClipboardData(nullptr));
    EXPECT_FALSE(SetDibClipboardData(QByteArray()));
    EXPECT_FALSE(SetDibClipboardData(QByteArray("not a bitmap at all, just forty bytes or more....")));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(IsClipboardOpen());
    // An emptied clipboard publishes nothing: what it held is gone.
    ASSERT_NE(Data(), nullptr);
    EXPECT_TRUE(Data()->formats().isEmpty());
}

TEST_F(ClipboardTest, AMetafileGoesAsItsBytesAndAPngAtItsNaturalSize)
{
    const QByteArray bytes = redPicture();
    HENHMETAFILE mf = load(bytes);
    ASSERT_NE(mf, nullptr);
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_TRUE(SetEnhMetaFileClipboardData(mf)); // the clipboard owns mf now
    // Nothing shows before the clipboard closes.
    EXPECT_FALSE(Data() && Data()->hasFormat(QStringLiteral("image/emf")));
    ASSERT_TRUE(CloseClipboard());
    ASSERT_NE(Data(), nullptr);
    EXPECT_EQ(Data()->data(QStringLiteral("image/emf")), bytes);
    EXPECT_EQ(Data()->data(QStringLiteral("image/x-emf")), bytes);
    QImage png;
    ASSERT_TRUE(png.loadFromData(Data()->data(QStringLiteral("image/png")), "PNG"));
    // 40.01 x 20.01 mm at 96 dots per inch.
    EXPECT_EQ(png.size(), QSize(151, 76));
    EXPECT_EQ(QColor(png.pixel(75, 38)), QColor(255, 0, 0));
}

TEST_F(ClipboardTest, AHugeMetafileRendersWithItsLongerSideCapped)
{
    EmfBuilder b(RECT(0, 0, 200000, 50000)); // 2 m x 0.5 m
    EnhMetaFilePtr mf(load(b.Bytes()));
    ASSERT_TRUE(mf);
    const QImage image = RenderEnhMetaFileForClipboard(mf.get());
    EXPECT_EQ(image.width(), MaxClipboardRenderSide);
    EXPECT_NEAR(image.height(), MaxClipboardRenderSide / 4, 2);
}

TEST_F(ClipboardTest, ABitmapGoesAsABitmapFileAndAPng)
{
    const QByteArray dib = packedDib(5, 3, 10, 200, 30);
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_TRUE(SetDibClipboardData(dib));
    ASSERT_TRUE(CloseClipboard());
    const QByteArray bmp = Data()->data(QStringLiteral("image/bmp"));
    ASSERT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(qFromLittleEndian<uint32_t>(bmp.constData() + 2), uint32_t(bmp.size()));
    EXPECT_EQ(qFromLittleEndian<uint32_t>(bmp.constData() + 10), 54u);
    EXPECT_EQ(bmp.mid(14), dib);
    QImage fromBmp, fromPng;
    ASSERT_TRUE(fromBmp.loadFromData(bmp, "BMP"));
    ASSERT_TRUE(fromPng.loadFromData(Data()->data(QStringLiteral("image/png")), "PNG"));
    EXPECT_EQ(fromPng.size(), QSize(5, 3));
    EXPECT_EQ(QColor(fromPng.pixel(4, 2)), QColor(10, 200, 30));
    EXPECT_EQ(fromBmp.pixel(0, 0), fromPng.pixel(0, 0));
}

TEST_F(ClipboardTest, ATruncatedBitmapIsRefusedAndTheOldContentStays)
{
    QByteArray dib = packedDib(8, 8, 1, 2, 3);
    dib.chop(10);
    auto* before = new QMimeData;
    before->setText(QStringLiteral("kept"));
    QGuiApplication::clipboard()->setMimeData(before);
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_FALSE(SetDibClipboardData(dib));
    ASSERT_TRUE(CloseClipboard());
    // Emptied, as the platform's EmptyClipboard does, and nothing half-set.
    EXPECT_FALSE(Data()->hasFormat(QStringLiteral("image/bmp")));
    EXPECT_FALSE(Data()->hasText());
}
