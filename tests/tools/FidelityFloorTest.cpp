// Rendering fidelity of real-world metafiles stays at or above the floors
// recorded here: each file is rendered with lumivu-render at width 800 and
// scored against the reference renderer's bitmap with the reference compare
// tool. Skipped without the corpus, the reference tools, or a way to get
// the reference bitmaps (LUMIVU_REFCACHE, a folder of <name>.bmp rendered
// at width 800, or Wine to render them now).
#include "tests/common/ReferenceRenderer.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Floor {
    const char* path; // in the corpus
    double floor;
};

// Real-world files from several writers, each with its score at width 800
// less a small margin; raise a floor when a change lifts a file. First the
// text-heavy ones (dx-placed strings, rotated labels, fallback faces, both
// graphics modes).
constexpr Floor Floors[] = {
    {"libemf2svg/tests/resources/emf/test-178.emf", 0.99},
    {"libemf2svg/tests/resources/emf/test-176.emf", 0.99},
    {"libemf2svg/tests/resources/emf-ea/EA-test-file-030.emf", 0.98},
    {"libemf2svg/tests/resources/emf-ea/EA-test-file-004.emf", 0.99},
    {"libemf2svg/tests/resources/emf-ea/EA-test-file-002.emf", 0.98},
    {"libemf2svg/tests/resources/emf-ea/EA-test-file-031.emf", 0.99},
    // Carlito captions at 12-13 pixels an em: the reference falls back to a
    // face whose 'gasp' table smooths that size; ours (Liberation Sans) asks
    // for hinted black and white, which we follow.
    {"libemf2svg/tests/resources/emf-ea/EA-test-file-008.emf", 0.98},
    {"libemf2svg/tests/resources/emf/test-157.emf", 0.98},
    {"libemf2svg/tests/resources/emf/test-158.emf", 0.98},
    {"libemf2svg/tests/resources/emf/test-074.emf", 0.98},
    {"libemf2svg/tests/resources/emf-ea/EA-test-file-005.emf", 0.98}, // Carlito, as 008
    {"libemf2svg/tests/resources/emf-ea/EA-test-file-009.emf", 0.99},
    {"libemf2svg/tests/resources/emf/test-069.emf", 0.99},
    {"libemf2svg/tests/resources/emf/test-033.emf", 0.99},
    {"libemf2svg/tests/resources/emf/test-121.emf", 0.99},
    {"libemf2svg/tests/resources/emf/test-106.emf", 0.99},
    {"libemf2svg/tests/resources/emf-ea/EA-test-file-001.emf", 0.97},
    {"poi/test-data/spreadsheet/SimpleEMF_windows.emf", 0.94},
    {"libemf2svg/tests/resources/emf/test-131.emf", 0.99},
    // Lower for a reason outside this renderer: the reference has no Symbol
    // face and draws an empty box where this renderer draws the sign.
    {"rtf.js/test/emf-test-files/image-2/source.emf", 0.90},
    // Bitmaps: stretched DIBs under raster operations, pattern brushes,
    // a metafile embedded in a metafile.
    // Wingdings text: the reference draws empty boxes for it.
    {"libemf2svg/tests/resources/emf/test-164.emf", 0.88},
    {"libemf2svg/tests/resources/emf/test-068.emf", 0.98},
    {"libemf2svg/tests/resources/emf/test-183.emf", 0.97},
    {"libemf2svg/tests/resources/emf/test-066.emf", 0.98},
    {"libemf2svg/tests/resources/emf/test-165.emf", 0.99},
    {"poi/test-data/slideshow/nested_wmf.emf", 0.98},
    // Geometric pens (EMR_EXTCREATEPEN): R charts and drawings with styled
    // and wide lines.
    {"libemf2svg/tests/resources/emf/test-013.emf", 0.99},
    {"libemf2svg/tests/resources/emf/test-017.emf", 0.98},
    {"libemf2svg/tests/resources/emf/test-109.emf", 0.98},
    {"libemf2svg/tests/resources/emf/test-182.emf", 0.99},
    {"poi/test-data/spreadsheet/SimpleEMF_mac.emf", 0.99},
    // Windows 3.x metafiles, converted as the platform converts them.
    {"poi/test-data/slideshow/santa.wmf", 0.98},
    {"poi/test-data/slideshow/60677.wmf", 0.96},
    // A Symbol-face "=" the reference draws as an empty box.
    {"poi/test-data/slideshow/64716_image1.wmf", 0.90},
    {"poi/test-data/slideshow/64716_image3.wmf", 0.96},
    {"poi/test-data/slideshow/61338.wmf", 0.98},
    {"poi/test-data/document/testException2.doc-2.wmf", 0.96},
};

} // namespace

TEST(FidelityFloor, RealWorldFilesKeepTheirScores)
{
    const QString corpus = testenv::CorpusDir();
    const QString tools = testenv::ReferenceToolsDir();
    if (!QFileInfo::exists(corpus + QStringLiteral("/INDEX.tsv")))
        GTEST_SKIP() << "corpus not present";
    if (!QFileInfo(tools + QStringLiteral("/compare")).isExecutable())
        GTEST_SKIP() << "reference compare tool not present";
    const QString render = testenv::BuildDir() + QStringLiteral("/bin/lumivu-render");
    ASSERT_TRUE(QFileInfo(render).isExecutable()) << render.toStdString();

    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString refDir = tmp.filePath(QStringLiteral("ref"));
    QDir().mkpath(refDir);
    // Cached reference bitmaps first; the rest rendered now if Wine is here.
    const QString cache = qEnvironmentVariable("LUMIVU_REFCACHE");
    QStringList missing;
    for (const Floor& f : Floors) {
        const QString name = QFileInfo(QString::fromLatin1(f.path)).fileName() + QStringLiteral(".bmp");
        if (!cache.isEmpty() && QFileInfo::exists(cache + QLatin1Char('/') + name))
            QFile::copy(cache + QLatin1Char('/') + name, refDir + QLatin1Char('/') + name);
        else if (QFileInfo::exists(corpus + QLatin1Char('/') + QString::fromLatin1(f.path)))
            missing << corpus + QLatin1Char('/') + QString::fromLatin1(f.path);
    }
    if (!missing.isEmpty()) {
        if (QStandardPaths::findExecutable(QStringLiteral("wine64")).isEmpty() &&
            QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty())
            GTEST_SKIP() << "no reference bitmaps: set LUMIVU_REFCACHE or install wine";
        testenv::RenderWithReference(missing, 800, refDir);
    }
    int scored = 0;
    for (const Floor& f : Floors) {
        const QString path = corpus + QLatin1Char('/') + QString::fromLatin1(f.path);
        const QString name = QFileInfo(path).fileName();
        const QString ref = refDir + QLatin1Char('/') + name + QStringLiteral(".bmp");
        if (!QFileInfo::exists(path) || !QFileInfo::exists(ref))
            continue; // the reference itself fails on a few files
        const QString ours = tmp.filePath(name + QStringLiteral(".png"));
        ASSERT_EQ(testenv::RunProcess(render, {QStringLiteral("--width"), QStringLiteral("800"), path, ours}, 120000).code, 0)
            << f.path;
        const double score = testenv::ReferenceScore(ref, ours);
        ASSERT_GE(score, 0) << "compare failed on " << f.path;
        EXPECT_GE(score, f.floor) << f.path;
        ++scored;
    }
    if (scored == 0)
        GTEST_SKIP() << "no reference bitmaps could be made";
}
