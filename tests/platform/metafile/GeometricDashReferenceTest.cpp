// Dashed geometric pens against the reference renderer: generated metafiles,
// one per style, end cap and join, each drawing lines, open polylines,
// polygons, rectangles and a closed path at widths of 2 to 20 device
// pixels, are played here at width 800 and scored with the reference
// compare tool. Skipped without the reference tools or Wine.
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/BoundsBackend.h"
#include "platform/metafile/EmfPlayer.h"
#include "tests/common/ReferenceRenderer.h"
#include "tests/platform/metafile/EmfBuilder.h"
#include "tests/platform/metafile/EmfTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int Size = 800;

struct Style {
    const char* name;
    UINT style;
    std::vector<uint32_t> entries;
};

struct Choice {
    const char* name;
    UINT bits;
};

const Style Styles[] = {
    {"dash", PS_DASH, {}},
    {"dot", PS_DOT, {}},
    {"dashdot", PS_DASHDOT, {}},
    {"dashdotdot", PS_DASHDOTDOT, {}},
    {"user", PS_USERSTYLE, {10, 5, 2, 5}},
    {"userodd", PS_USERSTYLE, {8, 4, 2}},
};
const Choice Caps[] = {{"round", PS_ENDCAP_ROUND}, {"square", PS_ENDCAP_SQUARE}, {"flat", PS_ENDCAP_FLAT}};
const Choice Joins[] = {{"round", PS_JOIN_ROUND}, {"bevel", PS_JOIN_BEVEL}, {"miter", PS_JOIN_MITER}};

std::vector<uint32_t> points(std::initializer_list<std::pair<int, int>> pts)
{
    std::vector<uint32_t> w = {0, 0, uint32_t(-1), uint32_t(-1), uint32_t(pts.size())}; // bounds, count
    for (auto [x, y] : pts)
        w.insert(w.end(), {uint32_t(x), uint32_t(y)});
    return w;
}

// One row per pen width. The frame is 800 pixels of the builder's reference
// device wide, so logical units are device pixels at width 800.
QByteArray dashFile(const Style& s, UINT cap, UINT join)
{
    EmfBuilder b(RECT(0, 0, Size * 10, Size * 10));
    b.Record(37, {0x80000005}); // SELECTOBJECT: NULL_BRUSH
    const int widths[] = {2, 3, 5, 8, 13, 20};
    for (int row = 0; row < 6; ++row) {
        const int y = 20 + row * 130;
        // EXTCREATEPEN: handle, no bitmap (offBmi, cbBmi, offBits, cbBits),
        // style, width, BS_SOLID, black, hatch, entry count, entries.
        std::vector<uint32_t> pen = {1, 0, 0, 0, 0, PS_GEOMETRIC | s.style | cap | join, uint32_t(widths[row]), BS_SOLID, 0, 0,
                                     uint32_t(s.entries.size())};
        pen.insert(pen.end(), s.entries.begin(), s.entries.end());
        b.Record(95, pen).Record(37, {1});
        b.Record(27, {20, uint32_t(y + 10)}).Record(54, {220, uint32_t(y + 10)}); // MOVETOEX, LINETO
        b.Record(27, {20, uint32_t(y + 40)}).Record(54, {200, uint32_t(y + 95)});
        b.Record(27, {240, uint32_t(y)}).Record(54, {240, uint32_t(y + 100)});
        b.Record(4, points({{270, y + 90}, {330, y + 5}, {390, y + 90}, {450, y + 5}, {510, y + 60}})); // POLYLINE
        b.Record(3, points({{540, y + 50}, {600, y}, {660, y + 50}, {600, y + 100}}));                 // POLYGON
        b.Record(43, {680, uint32_t(y), 780, uint32_t(y + 100)});                                      // RECTANGLE
        // A closed figure of a path: BEGINPATH, MOVETOEX, LINETO x2,
        // CLOSEFIGURE, ENDPATH, STROKEPATH (bounds).
        b.Record(59, {}).Record(27, {120, uint32_t(y + 28)}).Record(54, {205, uint32_t(y + 28)}).Record(54, {205, uint32_t(y + 62)});
        b.Record(61, {}).Record(60, {}).Record(64, {0, 0, uint32_t(-1), uint32_t(-1)});
        b.Record(37, {0x80000007}).Record(40, {1}); // BLACK_PEN, DELETEOBJECT
    }
    return b.Bytes();
}

QImage render(const QByteArray& bytes)
{
    EnhMetaFilePtr mf(SetEnhMetaFileBits(UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.constData())));
    if (!mf) {
        QImage blank(Size, Size, QImage::Format_RGB32);
        blank.fill(Qt::white);
        return blank;
    }
    return emftest::render(mf.get(), Size);
}

} // namespace

TEST(GeometricDashReference, StylesCapsAndJoinsMatchTheReference)
{
    if (const QString why = testenv::WhyNoReferenceRenderer(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();

    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QStringList files;
    for (const Style& s : Styles)
        for (const Choice& cap : Caps)
            for (const Choice& join : Joins) {
                const QString name = QStringLiteral("%1-%2-%3.emf").arg(QLatin1String(s.name), QLatin1String(cap.name), QLatin1String(join.name));
                QFile f(tmp.filePath(name));
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write(dashFile(s, cap.bits, join.bits));
                files << f.fileName();
            }
    const QString refDir = tmp.filePath(QStringLiteral("ref"));
    QDir().mkpath(refDir);
    testenv::RenderWithReference(files, Size, refDir);
    int scored = 0;
    for (const QString& file : files) {
        const QString name = QFileInfo(file).fileName();
        const QString ref = refDir + QLatin1Char('/') + name + QStringLiteral(".bmp");
        if (!QFileInfo::exists(ref))
            continue;
        QFile in(file);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QString ours = tmp.filePath(name + QStringLiteral(".png"));
        ASSERT_TRUE(render(in.readAll()).save(ours));
        const double score = testenv::ReferenceScore(ref, ours);
        ASSERT_GE(score, 0) << "compare failed on " << name.toStdString();
        std::printf("%-28s %.4f\n", qPrintable(name), score);
        EXPECT_GE(score, 0.98) << name.toStdString();
        ++scored;
    }
    if (scored == 0)
        GTEST_SKIP() << "the reference renderer made no bitmaps";
}

TEST(GeometricDashRecording, BoundsCountALineByItsPointsNotItsDashes)
{
    // A line that ends in a gap, with square ends that reach past its
    // dashes: recorded, it is counted as a solid line would be.
    auto boundsOf = [](UINT style) {
        QRectF bounds;
        CDC dc(std::make_unique<BoundsBackend>(BoundsBackend::Device{1000, 1000, 100, 100, 96, 32},
                                               [&](const QRectF& r) { bounds |= r; }));
        LOGBRUSH brush;
        brush.lbStyle = BS_SOLID;
        brush.lbColor = 0;
        brush.lbHatch = 0;
        HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_SQUARE | style, 6, &brush, 0, nullptr);
        HGDIOBJ old = dc.SelectObject(pen);
        dc.MoveTo(10, 10);
        dc.LineTo(30, 10); // a dash of 12 (18 less a width for the ends), then a gap of 12
        dc.SelectObject(old);
        DeleteObject(pen);
        return bounds;
    };
    const QRectF solid = boundsOf(PS_SOLID);
    ASSERT_FALSE(solid.isEmpty());
    EXPECT_EQ(boundsOf(PS_DASH), solid);
}
