// Only the visible part of a stretch-drawn image reaches the device: what
// the device is handed, recorded.
#include "DrawSurface.h"
#include "RasterFixture.h"

#include "raster/CRasterImage.h"
#include "raster/RasterStretch.h"

class VisiblePart : public RasterFixture {
protected:
    void SetUp() override
    {
        // 3000 x 2000 grey: 6 MB decoded, a few kilobytes as PNG.
        QImage big(3000, 2000, QImage::Format_Grayscale8);
        big.fill(90);
        ASSERT_TRUE(m_image.Load(WriteQt(big, "big.png", "png"), RASTER_FORMAT_PNG));
        m_dc = std::make_unique<CDC>([this] {
            auto recorder = std::make_unique<ImageRecorder>(800, 600);
            recorder->calls = &m_calls;
            return recorder;
        }());
    }

    CRasterImage m_image;
    std::vector<ImageCall> m_calls;
    std::unique_ptr<CDC> m_dc;
};

TEST_F(VisiblePart, FiftyTimesEnlargedHandsOverOnlyTheScreensPixels)
{
    // Scrolled into the middle of a 150000 x 100000 pixel destination.
    MapImageFrame(*m_dc, {3000, 2000}, 150000, 100000, CPoint(-70007, -50013));
    ASSERT_EQ(m_image.Draw2(m_dc.get(), CRect(0, 0, 3000, 2000)), 1);
    ASSERT_EQ(m_calls.size(), 1u);
    // 800 / 50 = 16 columns, plus one cut at each side at most.
    EXPECT_LE(m_calls[0].imageSize.width(), 18);
    EXPECT_LE(m_calls[0].imageSize.height(), 14);
    EXPECT_FALSE(m_calls[0].smooth);
    // The device's target covers the whole device.
    EXPECT_TRUE(m_calls[0].target.contains(QRectF(0, 0, 800, 600)));
}

TEST_F(VisiblePart, TheClipNarrowsThePart)
{
    MapImageFrame(*m_dc, {3000, 2000}, 150000, 100000);
    m_dc->SetMapMode(MM_TEXT);
    m_dc->IntersectClipRect(100, 100, 200, 150);
    MapImageFrame(*m_dc, {3000, 2000}, 150000, 100000);
    ASSERT_EQ(m_image.Draw2(m_dc.get(), CRect(0, 0, 3000, 2000)), 1);
    ASSERT_EQ(m_calls.size(), 1u);
    EXPECT_LE(m_calls[0].imageSize.width(), 4);
    EXPECT_LE(m_calls[0].imageSize.height(), 3);
}

TEST_F(VisiblePart, AReducedImageIsHandedOverWholeAndSmoothed)
{
    MapImageFrame(*m_dc, {3000, 2000}, 600, 400);
    ASSERT_EQ(m_image.Draw2(m_dc.get(), CRect(0, 0, 3000, 2000)), 1);
    ASSERT_EQ(m_calls.size(), 1u);
    EXPECT_EQ(m_calls[0].imageSize, QSize(3000, 2000));
    EXPECT_TRUE(m_calls[0].smooth);
}

TEST_F(VisiblePart, AnImageOutsideTheDeviceHandsOverNothing)
{
    MapImageFrame(*m_dc, {3000, 2000}, 3000, 2000, CPoint(900, 0));
    EXPECT_EQ(m_image.Draw2(m_dc.get(), CRect(0, 0, 3000, 2000)), 1);
    EXPECT_TRUE(m_calls.empty());
}

TEST(RasterStretchPlanTest, CutsAtVisibleSourcePixels)
{
    // Image frame as logical space, 50 device pixels a source pixel,
    // scrolled by (1007, 2013): columns 20.14 to 36.14 and rows 40.26 to
    // 52.26 are visible.
    const QTransform t(50, 0, 0, 50, -1007, -2013);
    const RasterStretchPlan p =
        RasterStretch::Plan({4000, 4000}, CRect(0, 0, 4000, 4000), t, QRectF(0, 0, 800, 600));
    ASSERT_TRUE(p.visible);
    EXPECT_FALSE(p.whole);
    EXPECT_EQ(p.source, QRect(QPoint(20, 40), QPoint(36, 52)));
    EXPECT_EQ(p.logical, CRect(20, 40, 37, 53));
}

TEST(RasterStretchPlanTest, WidensToWholeLogicalUnits)
{
    // 30 pixels over 100 logical units: pixel edges fall on whole logical
    // units every 3 pixels (10 units).
    const RasterStretchPlan p =
        RasterStretch::Plan({30, 30}, CRect(0, 0, 100, 100), QTransform(), QRectF(41, 17, 36, 35));
    ASSERT_TRUE(p.visible);
    EXPECT_EQ(p.source, QRect(QPoint(12, 3), QPoint(23, 17)));
    EXPECT_EQ(p.logical, CRect(40, 10, 80, 60));
    // 7 pixels over 10 units: only the whole image has whole-unit edges.
    EXPECT_TRUE(RasterStretch::Plan({7, 7}, CRect(0, 0, 10, 10), QTransform(), QRectF(2, 2, 3, 3)).whole);
}

TEST(RasterStretchPlanTest, OneBitImagesCutAtBytes)
{
    const RasterStretchPlan p =
        RasterStretch::Plan({64, 8}, CRect(0, 0, 64, 8), QTransform(), QRectF(13, 0, 10, 8), 8);
    EXPECT_EQ(p.source.left(), 8);
    EXPECT_EQ(p.source.right(), 23);
}

TEST(RasterStretchPlanTest, MirroredAndRotatedMappings)
{
    // A destination running right to left keeps its direction in the part.
    const RasterStretchPlan m =
        RasterStretch::Plan({100, 10}, CRect(100, 0, 0, 10), QTransform(), QRectF(0, 0, 30, 10));
    ASSERT_TRUE(m.visible);
    EXPECT_EQ(m.source, QRect(QPoint(70, 0), QPoint(99, 9)));
    EXPECT_EQ(m.logical, CRect(30, 0, 0, 10));
    // A rotation: no axis-aligned cut, the whole image.
    QTransform r;
    r.rotate(30);
    EXPECT_TRUE(RasterStretch::Plan({100, 10}, CRect(0, 0, 100, 10), r, QRectF(0, 0, 30, 10)).whole);
    // Nothing to cut from.
    EXPECT_FALSE(RasterStretch::Plan({100, 10}, CRect(0, 0, 0, 10), QTransform(), QRectF(0, 0, 30, 10)).visible);
}
