// How a recording writes a device context's mapping: the records, played
// onto a fresh mapping, give the same logical-to-device transform, and the
// page mapping stays a page mapping where other readers expect one.
#include "platform/metafile/EmfMappingRecords.h"
#include "platform/metafile/EmfRecordTypes.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

uint32_t u32At(const std::vector<uint8_t>& r, size_t at)
{
    return uint32_t(r[at]) | (uint32_t(r[at + 1]) << 8) | (uint32_t(r[at + 2]) << 16) | (uint32_t(r[at + 3]) << 24);
}

// A parameter: the 32-bit field after the type and size.
int32_t i32(const std::vector<uint8_t>& r, size_t field) { return int32_t(u32At(r, 8 + 4 * field)); }

float f32(const std::vector<uint8_t>& r, size_t field)
{
    const uint32_t bits = uint32_t(i32(r, field));
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

uint32_t typeOf(const std::vector<uint8_t>& r) { return u32At(r, 0); }

DcMapping::Metrics metrics()
{
    DcMapping::Metrics m;
    m.horzRes = 1024;
    m.vertRes = 768;
    m.horzSizeMM = 320;
    m.vertSizeMM = 240;
    return m;
}

// A reader of the records: the mapping a player builds from them.
DcMapping replay(const std::vector<std::vector<uint8_t>>& records)
{
    DcMapping m;
    m.SetMetrics(metrics());
    m.SetGraphicsMode(GM_ADVANCED);
    for (const auto& r : records) {
        switch (typeOf(r)) {
        case EMR_SETMAPMODE: m.SetMapMode(i32(r, 0)); break;
        case EMR_SETWINDOWEXTEX: m.SetWindowExt(SIZE(i32(r, 0), i32(r, 1))); break;
        case EMR_SETVIEWPORTEXTEX: m.SetViewportExt(SIZE(i32(r, 0), i32(r, 1))); break;
        case EMR_SETWINDOWORGEX: m.SetWindowOrg(POINT(i32(r, 0), i32(r, 1))); break;
        case EMR_SETVIEWPORTORGEX: m.SetViewportOrg(POINT(i32(r, 0), i32(r, 1))); break;
        case EMR_SETWORLDTRANSFORM:
            m.SetWorldTransform(XFORM{f32(r, 0), f32(r, 1), f32(r, 2), f32(r, 3), f32(r, 4), f32(r, 5)});
            break;
        default: ADD_FAILURE() << "unexpected record " << typeOf(r);
        }
    }
    return m;
}

// A chart's mapping: the window mirrored vertically onto the viewport.
DcMapping chart(const QTransform& outer)
{
    DcMapping m;
    m.SetMetrics(metrics());
    m.SetGraphicsMode(GM_ADVANCED);
    m.SetMapMode(MM_ANISOTROPIC);
    m.SetWindowExt(SIZE(9360, -7020));
    m.SetWindowOrg(POINT(0, 7020));
    m.SetViewportExt(SIZE(564, 423));
    m.SetPlaybackTransform(outer);
    return m;
}

void expectSameTransform(const QTransform& a, const QTransform& b, double tolerance)
{
    for (const QPointF p : {QPointF(0, 0), QPointF(9360, 0), QPointF(0, 7020), QPointF(4680, 3510)}) {
        EXPECT_NEAR(a.map(p).x(), b.map(p).x(), tolerance) << p.x() << "," << p.y();
        EXPECT_NEAR(a.map(p).y(), b.map(p).y(), tolerance) << p.x() << "," << p.y();
    }
}

} // namespace

TEST(EmfMappingRecords, APageMappingStaysAPageMappingWithItsMirrorInTheWindow)
{
    // Unscaled: the extents and origins are written as the program set them.
    const DcMapping plain = chart(QTransform());
    const auto records = EmfMappingRecords::For(plain);
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(typeOf(records[0]), uint32_t(EMR_SETMAPMODE));
    EXPECT_EQ(i32(records[0], 0), MM_ANISOTROPIC);
    EXPECT_EQ(typeOf(records[1]), uint32_t(EMR_SETWINDOWEXTEX));
    EXPECT_EQ(i32(records[1], 0), 9360);
    EXPECT_EQ(i32(records[1], 1), -7020);
    EXPECT_EQ(i32(records[2], 0), 564);
    EXPECT_EQ(i32(records[2], 1), 423);
    EXPECT_EQ(i32(records[3], 1), 7020);
    EXPECT_EQ(typeOf(records[5]), uint32_t(EMR_SETWORLDTRANSFORM));
    EXPECT_EQ(f32(records[5], 0), 1.0f); // the page mapping is not in the world transform
    EXPECT_EQ(f32(records[5], 3), 1.0f);
    expectSameTransform(replay(records).ToDevice(), plain.ToDevice(), 1e-6);

    // Played at a fraction of its size into a recording: the outer scale
    // joins the viewport, the mirror stays in the window.
    const DcMapping scaled = chart(QTransform(0.3217, 0, 0, 0.3217, 12.5, 40.25));
    const auto scaledRecords = EmfMappingRecords::For(scaled);
    ASSERT_EQ(scaledRecords.size(), 6u);
    EXPECT_GT(i32(scaledRecords[1], 0), 0);
    EXPECT_LT(i32(scaledRecords[1], 1), 0);
    EXPECT_GT(i32(scaledRecords[2], 1), 0);
    // Small enough that a reader multiplying the window extents stays in 32 bits.
    EXPECT_LT(std::abs(int64_t(i32(scaledRecords[1], 0)) * i32(scaledRecords[1], 1)), int64_t(INT32_MAX));
    expectSameTransform(replay(scaledRecords).ToDevice(), scaled.ToDevice(), 0.6);
}

TEST(EmfMappingRecords, TheDeviceContextsOwnWorldTransformIsKeptApart)
{
    DcMapping m = chart(QTransform(2, 0, 0, 2, 0, 0));
    ASSERT_TRUE(m.SetWorldTransform(XFORM{0.0f, 1.0f, -1.0f, 0.0f, 100.0f, 0.0f})); // a quarter turn
    const auto records = EmfMappingRecords::For(m);
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(f32(records[5], 1), 1.0f);
    EXPECT_EQ(f32(records[5], 2), -1.0f);
    EXPECT_EQ(f32(records[5], 4), 100.0f);
    expectSameTransform(replay(records).ToDevice(), m.ToDevice(), 0.6);

    // Back in compatible mode the world transform is the identity again.
    DcMapping compatible = chart(QTransform());
    compatible.SetGraphicsMode(GM_COMPATIBLE);
    EXPECT_EQ(f32(EmfMappingRecords::For(compatible)[5], 0), 1.0f);
}

TEST(EmfMappingRecords, AnOuterTurnBecomesTheWholeWorldTransform)
{
    // A viewport cannot turn: MM_TEXT at the origin, and everything else in
    // the world transform.
    const DcMapping turned = chart(QTransform(0, 1, -1, 0, 700, 0));
    const auto records = EmfMappingRecords::For(turned);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(i32(records[0], 0), MM_TEXT);
    EXPECT_EQ(i32(records[1], 0), 0);
    EXPECT_EQ(i32(records[2], 0), 0);
    EXPECT_EQ(typeOf(records[3]), uint32_t(EMR_SETWORLDTRANSFORM));
    expectSameTransform(replay(records).ToDevice(), turned.ToDevice(), 0.01);
}

TEST(EmfMappingRecords, ScaledExtentsKeepTheirRatioWithinBounds)
{
    // Whole viewports keep the window as it is.
    EXPECT_EQ(EmfMappingRecords::Scaled(9360, 564.0).window, 9360);
    EXPECT_EQ(EmfMappingRecords::Scaled(9360, 564.0).viewport, 564);
    // A fraction: the window grows by a whole factor, the ratio holds.
    const auto f = EmfMappingRecords::Scaled(1, 0.3217);
    EXPECT_NEAR(double(f.viewport) / f.window, 0.3217, 1e-4);
    EXPECT_LE(std::abs(f.window), 30000);
    // Huge extents shrink; signs survive, and nothing becomes zero.
    const auto h = EmfMappingRecords::Scaled(-2000000, 0.5);
    EXPECT_LT(h.window, 0);
    EXPECT_GT(h.viewport, 0);
    EXPECT_LE(std::abs(h.window), 30000);
    const auto z = EmfMappingRecords::Scaled(0, 0.0);
    EXPECT_NE(z.window, 0);
    EXPECT_NE(z.viewport, 0);
}
