// The frame a WMF without a placeable header gets when it is converted,
// checked against the reference renderer (Wine's GDI through the shared
// gdi-reference tool, which converts such files with SetWinMetaFileBits as
// the platform does) on a generated set of pictures: at width 800 the
// rendering has the reference's height, and its ink (or, for text, its red
// probe) lands on the reference's pixels, each within one pixel. Skipped
// without the reference tool or Wine. LUMIVU_FRAME_CASES_DIR keeps the
// generated files and both renderings in that folder.
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/RenderLayout.h"
#include "platform/metafile/WmfPlayer.h"
#include "tests/common/ReferenceRenderer.h"
#include "tests/platform/metafile/WmfFrameCases.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

namespace {

constexpr int Width = 800;

// The extent of the pixels a predicate accepts; empty when none does.
template <typename Accept>
QRect extent(const QImage& image, Accept accept)
{
    int l = image.width(), t = image.height(), r = -1, b = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (accept(line[x])) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

bool dark(QRgb p) { return qRed(p) < 160 || qGreen(p) < 160 || qBlue(p) < 160; }
bool red(QRgb p) { return qRed(p) > 160 && qGreen(p) < 100 && qBlue(p) < 100; }

// Within one pixel on every side (two empty extents match).
bool near(const QRect& a, const QRect& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return std::abs(a.left() - b.left()) <= 1 && std::abs(a.top() - b.top()) <= 1 && std::abs(a.right() - b.right()) <= 1 &&
           std::abs(a.bottom() - b.bottom()) <= 1;
}

std::string str(const QRect& r)
{
    if (r.isNull())
        return "none";
    return QStringLiteral("%1,%2..%3,%4").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom()).toStdString();
}

// Our rendering at width 800, as lumivu-render lays it out: the height
// follows the frame's aspect. *header: the converted header's bounds and
// frame, for the report.
QImage renderOurs(const QByteArray& wmf, std::string* header)
{
    EnhMetaFilePtr emf(ConvertWinMetaFile(wmf));
    if (!emf)
        return QImage();
    const EmfHeader& h = emf->Header();
    *header = QStringLiteral("bounds %1 %2 %3 %4 frame %5 %6 %7 %8")
                  .arg(h.bounds.left).arg(h.bounds.top).arg(h.bounds.right).arg(h.bounds.bottom)
                  .arg(h.frame.left).arg(h.frame.top).arg(h.frame.right).arg(h.frame.bottom)
                  .toStdString();
    RenderLayout layout;
    layout.mode = RenderLayout::Mode::Width;
    layout.width = Width;
    CSize size;
    QString error;
    if (!layout.OutputSize(CSize(h.frame.right - h.frame.left, h.frame.bottom - h.frame.top), 2540, &size, &error))
        return QImage();
    QImage image(size.cx, size.cy, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(std::make_unique<QPainterBackend>(&image));
    const RECT rect(0, 0, size.cx, size.cy);
    PlayEnhMetaFile(&dc, emf.get(), &rect);
    dc.Flush();
    return image;
}

} // namespace

TEST(WmfFrameReference, GeneratedPicturesAreFramedAndPlacedAsTheReferenceDoes)
{
    if (const QString why = testenv::WhyNoReferenceRenderer(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();

    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QString dir = qEnvironmentVariable("LUMIVU_FRAME_CASES_DIR");
    if (dir.isEmpty())
        dir = tmp.path();
    QDir().mkpath(dir + QStringLiteral("/ref"));

    const std::vector<wmfframe::Case> cases = wmfframe::Cases();
    QStringList files;
    for (const wmfframe::Case& c : cases) {
        const QString path = dir + QLatin1Char('/') + c.name + QStringLiteral(".wmf");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        files << path;
    }
    ASSERT_NE(testenv::RenderWithReference(files, Width, dir + QStringLiteral("/ref")).code, -1)
        << "the reference renderer did not finish";

    int compared = 0, failed = 0;
    for (const wmfframe::Case& c : cases) {
        const QImage ref(dir + QStringLiteral("/ref/") + c.name + QStringLiteral(".wmf.bmp"));
        if (ref.isNull()) {
            ADD_FAILURE() << c.name.toStdString() << ": no reference rendering";
            continue;
        }
        std::string header;
        const QImage ours = renderOurs(c.bytes, &header);
        ASSERT_FALSE(ours.isNull()) << c.name.toStdString();
        if (!qEnvironmentVariable("LUMIVU_FRAME_CASES_DIR").isEmpty())
            ours.save(dir + QLatin1Char('/') + c.name + QStringLiteral(".png"));
        ++compared;
        const QImage r = ref.convertToFormat(QImage::Format_RGB32);
        const QRect refInk = extent(r, dark), ourInk = extent(ours, dark);
        const QRect refProbe = extent(r, red), ourProbe = extent(ours, red);
        const bool heightOk = std::abs(ref.height() - ours.height()) <= 1;
        const bool inkOk = !c.inkIsExact || near(refInk, ourInk);
        const bool probeOk = !c.hasProbe || near(refProbe, ourProbe);
        const bool ok = heightOk && inkOk && probeOk;
        std::ostringstream why;
        why << c.name.toStdString() << ": height " << ref.height() << " ours " << ours.height() << "; ink " << str(refInk)
            << " ours " << str(ourInk) << "; probe " << str(refProbe) << " ours " << str(ourProbe) << "; ours " << header;
        if (!ok)
            ++failed;
        EXPECT_TRUE(ok) << why.str();
    }
    std::printf("[ frames   ] %d pictures compared, %d off by more than a pixel\n", compared, failed);
}
