// Which face draws bold text: the size on the device that decides it (whole
// pixels per em, cut as the reference cuts them), the faces and sizes at
// which the reference's bold looks regular, and the face the resolver then
// picks for a logical font drawn at a given device scale.
#include "platform/gdi/FontResolver.h"
#include "platform/gdi/SmallBoldRule.h"

#include <QFontDatabase>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Liberation Sans: (winAscent + winDescent) / unitsPerEm.
constexpr double SansCell = (1854.0 + 434.0) / 2048.0;

LOGFONTW boldFont(LONG height, const char* face, LONG weight = FW_BOLD, bool italic = false)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic ? 1 : 0;
    for (int i = 0; face[i]; ++i)
        lf.lfFaceName[i] = char16_t(face[i]);
    return lf;
}

bool haveLiberation()
{
    const QStringList families = QFontDatabase::families();
    return families.contains(QStringLiteral("Liberation Sans")) && families.contains(QStringLiteral("Liberation Mono"));
}

bool drawnBold(const LOGFONTW& lf, double scale)
{
    return FontResolver::Resolve(lf, scale)->raw.weight() >= QFont::DemiBold;
}

} // namespace

TEST(SmallBoldRule, PpemIsTheDeviceHeightCutToWholePixels)
{
    // Em heights: the scaled height, truncated (13.5 is 13, not 14).
    EXPECT_EQ(SmallBoldRule::DevicePpem(-14, 1.0, SansCell), 14);
    EXPECT_EQ(SmallBoldRule::DevicePpem(-9, 1.5, SansCell), 13);
    EXPECT_EQ(SmallBoldRule::DevicePpem(-10, 1.688, SansCell), 16);
    EXPECT_EQ(SmallBoldRule::DevicePpem(-20, 0.5, SansCell), 10);
    // An inexact scale that lands on a whole pixel keeps it.
    EXPECT_EQ(SmallBoldRule::DevicePpem(-7, 2.0 - 1e-12, SansCell), 14);
    // Cell heights: the em of the truncated cell, rounded (16 / 1.117 is
    // 14.3, 15 / 1.117 is 13.4).
    EXPECT_EQ(SmallBoldRule::DevicePpem(16, 1.0, SansCell), 14);
    EXPECT_EQ(SmallBoldRule::DevicePpem(15, 1.0, SansCell), 13);
    EXPECT_EQ(SmallBoldRule::DevicePpem(16, 1.69, SansCell), 24);
    // Nothing to go by: no size.
    EXPECT_EQ(SmallBoldRule::DevicePpem(0, 1.0, SansCell), 0);
    EXPECT_EQ(SmallBoldRule::DevicePpem(-12, 0, SansCell), 0);
    EXPECT_EQ(SmallBoldRule::DevicePpem(-12, -1, SansCell), 0);
    EXPECT_EQ(SmallBoldRule::DevicePpem(-12, std::numeric_limits<double>::quiet_NaN(), SansCell), 0);
    EXPECT_EQ(SmallBoldRule::DevicePpem(12, 1.0, 0), 0);
    // Absurd heights and scales stay bounded.
    EXPECT_GT(SmallBoldRule::DevicePpem(std::numeric_limits<LONG>::min(), 1e300, SansCell), 1000);
    EXPECT_GT(SmallBoldRule::DevicePpem(std::numeric_limits<LONG>::max(), 1e300, 1e-300), 1000);
}

TEST(SmallBoldRule, ThinBoldSizesFollowTheFace)
{
    // Up to 8 pixels an em (unhinted grayscale on the reference), every face
    // draws regular.
    for (const char* family : {"Liberation Sans", "Liberation Serif", "DejaVu Sans", "No Such Face"}) {
        EXPECT_TRUE(SmallBoldRule::DrawsRegular(QString::fromLatin1(family), false, 1)) << family;
        EXPECT_TRUE(SmallBoldRule::DrawsRegular(QString::fromLatin1(family), true, 8)) << family;
    }
    // Liberation Sans: regular-looking from 9 to 13 pixels an em, bold from
    // 14 on.
    for (bool italic : {false, true}) {
        EXPECT_TRUE(SmallBoldRule::DrawsRegular(QStringLiteral("Liberation Sans"), italic, 9));
        EXPECT_TRUE(SmallBoldRule::DrawsRegular(QStringLiteral("Liberation Sans"), italic, 13));
        EXPECT_FALSE(SmallBoldRule::DrawsRegular(QStringLiteral("Liberation Sans"), italic, 14));
    }
    EXPECT_TRUE(SmallBoldRule::DrawsRegular(QStringLiteral("liberation sans"), false, 12));
    // Liberation Mono only at 9 and 10.
    EXPECT_TRUE(SmallBoldRule::DrawsRegular(QStringLiteral("Liberation Mono"), false, 10));
    EXPECT_FALSE(SmallBoldRule::DrawsRegular(QStringLiteral("Liberation Mono"), false, 11));
    EXPECT_FALSE(SmallBoldRule::DrawsRegular(QStringLiteral("Liberation Mono"), false, 13));
    // The narrow face up to 15.
    EXPECT_TRUE(SmallBoldRule::DrawsRegular(QStringLiteral("Liberation Sans Narrow"), false, 15));
    EXPECT_FALSE(SmallBoldRule::DrawsRegular(QStringLiteral("Liberation Sans Narrow"), false, 16));
    // The upright serif keeps its bold at small sizes; its italic is thin
    // from 18 to 20.
    for (int ppem = 9; ppem <= 24; ++ppem)
        EXPECT_FALSE(SmallBoldRule::DrawsRegular(QStringLiteral("Liberation Serif"), false, ppem)) << ppem;
    EXPECT_TRUE(SmallBoldRule::DrawsRegular(QStringLiteral("Liberation Serif"), true, 19));
    EXPECT_FALSE(SmallBoldRule::DrawsRegular(QStringLiteral("Liberation Serif"), true, 12));
    // Faces without such hints, and no size at all.
    EXPECT_FALSE(SmallBoldRule::DrawsRegular(QStringLiteral("DejaVu Sans"), false, 11));
    EXPECT_FALSE(SmallBoldRule::DrawsRegular(QStringLiteral("Liberation Sans"), false, 0));
}

TEST(SmallBoldRule, ResolverPicksTheFaceAtThePlaybackSize)
{
    if (!haveLiberation())
        GTEST_SKIP() << "Liberation fonts not installed";
    // A -10 caption: regular at its own size, bold when played 1.7 times
    // larger (16 pixels an em), as the reference draws it.
    EXPECT_FALSE(drawnBold(boldFont(-10, "Arial"), 1.0));
    EXPECT_TRUE(drawnBold(boldFont(-10, "Arial"), 1.7));
    // Played smaller, a large bold turns regular inside the thin range and
    // under 9 pixels.
    EXPECT_FALSE(drawnBold(boldFont(-20, "Arial"), 0.6));
    EXPECT_FALSE(drawnBold(boldFont(-16, "Arial"), 0.5));
    EXPECT_TRUE(drawnBold(boldFont(-28, "Arial"), 0.5));
    // Cell heights go through the face's own cell: 16 is a 14-pixel em.
    EXPECT_TRUE(drawnBold(boldFont(16, "Arial"), 1.0));
    EXPECT_FALSE(drawnBold(boldFont(15, "Arial"), 1.0));
    // Unknown device size: the bold face.
    EXPECT_TRUE(drawnBold(boldFont(-10, "Arial"), 0));
    // Weights: 550 and below draw regular, 600 and 800 bold.
    EXPECT_FALSE(drawnBold(boldFont(-20, "Arial", 550), 1.0));
    EXPECT_TRUE(drawnBold(boldFont(-20, "Arial", 600), 1.0));
    EXPECT_TRUE(drawnBold(boldFont(-20, "Arial", 800), 1.0));
    EXPECT_FALSE(drawnBold(boldFont(-12, "Arial", 800), 1.0));
    // Italic and monospaced faces by their own ranges.
    EXPECT_FALSE(drawnBold(boldFont(-12, "Arial", FW_BOLD, true), 1.0));
    EXPECT_TRUE(drawnBold(boldFont(-12, "Liberation Mono"), 1.0));
    EXPECT_FALSE(drawnBold(boldFont(-10, "Liberation Mono"), 1.0));
}
