// Saved copies in another program: LibreOffice Draw converts a few corpus
// metafiles and the copies this program saves of them (played unscaled
// into a recording of the same frame and reference device, as
// lumivu-render and Save As write them) to images, and each copy's image
// must match its original's. Skips without soffice or the corpus.
#include "platform/metafile/BoundsBackend.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/EnhMetaFileDC.h"
#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Charts with mirrored windows, rotated titles and markers drawn by
// ellipses, and drawings with world transforms and extended pens.
const char* const Files[] = {
    "libemf2svg/tests/resources/emf/test-076.emf",
    "libemf2svg/tests/resources/emf/test-143.emf",
    "libemf2svg/tests/resources/emf/test-010.emf",
    "poi/test-data/document/vector_image.emf",
    "rtf.js/test/emf-test-files/image-2/source.emf",
};

bool saveCopy(const QString& from, const QString& to)
{
    EnhMetaFilePtr mf(GetEnhMetaFile(from));
    if (!mf)
        return false;
    const EmfHeader& h = mf->Header();
    BoundsBackend::Device device;
    device.horzRes = h.device.cx > 0 ? h.device.cx : 1024;
    device.vertRes = h.device.cy > 0 ? h.device.cy : 768;
    device.horzSize = h.millimeters.cx > 0 ? h.millimeters.cx : 320;
    device.vertSize = h.millimeters.cy > 0 ? h.millimeters.cy : 240;
    CDC reference(std::make_unique<BoundsBackend>(device, [](const QRectF&) {}));
    const RECT frame = h.frame;
    HDC dc = CreateEnhMetaFile(&reference, to, &frame, QString());
    if (!dc)
        return false;
    PlayEnhMetaFileUnscaled(dc, mf.get());
    EnhMetaFilePtr saved(CloseEnhMetaFile(dc));
    return saved != nullptr;
}

// The share of one image's ink that the other has within a pixel, in the
// same colour, after both are reduced to a quarter (so that smoothing
// differences do not count): recall and precision, as a harmonic mean.
double inkScore(QImage a, QImage b)
{
    const QSize reduced(a.width() / 4, a.height() / 4);
    a = a.convertToFormat(QImage::Format_RGB32).scaled(reduced, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    b = b.convertToFormat(QImage::Format_RGB32).scaled(reduced, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    auto near = [](QRgb p, QRgb q, int d) {
        return std::abs(qRed(p) - qRed(q)) <= d && std::abs(qGreen(p) - qGreen(q)) <= d &&
               std::abs(qBlue(p) - qBlue(q)) <= d;
    };
    auto matched = [&](const QImage& x, const QImage& y) {
        long ink = 0, hit = 0;
        for (int j = 0; j < x.height(); ++j)
            for (int i = 0; i < x.width(); ++i) {
                const QRgb p = x.pixel(i, j);
                if (near(p, qRgb(255, 255, 255), 24))
                    continue;
                ++ink;
                bool ok = false;
                for (int dy = -1; dy <= 1 && !ok; ++dy)
                    for (int dx = -1; dx <= 1 && !ok; ++dx)
                        ok = y.valid(i + dx, j + dy) && near(p, y.pixel(i + dx, j + dy), 48);
                hit += ok;
            }
        return ink ? double(hit) / ink : 1.0;
    };
    const double recall = matched(a, b), precision = matched(b, a);
    return recall + precision > 0 ? 2 * recall * precision / (recall + precision) : 0;
}

// The share of the original's ink whose pixel changed colour in the copy.
// The score above forgives a faint line beside strong ones; this does not:
// a copy read as the original is drawn pixel for pixel alike.
double changedInk(const QImage& a, const QImage& b)
{
    long ink = 0, changed = 0;
    for (int j = 0; j < a.height(); ++j)
        for (int i = 0; i < a.width(); ++i) {
            const QRgb p = a.pixel(i, j), q = b.pixel(i, j);
            if (qRed(p) > 230 && qGreen(p) > 230 && qBlue(p) > 230)
                continue;
            ++ink;
            changed += std::abs(qRed(p) - qRed(q)) > 48 || std::abs(qGreen(p) - qGreen(q)) > 48 ||
                       std::abs(qBlue(p) - qBlue(q)) > 48;
        }
    return ink ? double(changed) / ink : 0.0;
}

} // namespace

TEST(LibreOfficeRoundTrip, SavedCopiesLookLikeTheirOriginals)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "soffice is not installed (Debian: libreoffice-draw-nogui)";
    const QString corpus = testenv::CorpusDir();
    if (!QFile::exists(corpus + QStringLiteral("/INDEX.tsv")))
        GTEST_SKIP() << "corpus not present";

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList inputs;
    int n = 0;
    for (const char* file : Files) {
        const QString original = corpus + QLatin1Char('/') + QString::fromUtf8(file);
        const QString o = dir.filePath(QStringLiteral("o%1.emf").arg(n)), c = dir.filePath(QStringLiteral("c%1.emf").arg(n));
        ASSERT_TRUE(QFile::copy(original, o)) << file;
        ASSERT_TRUE(saveCopy(original, c)) << file;
        inputs << o << c;
        ++n;
    }
    // One conversion for all, with a profile of its own; the A4 page at
    // twice LibreOffice's own pixel size.
    const QString filter = QStringLiteral("png:draw_png_Export:{\"PixelWidth\":{\"type\":\"long\",\"value\":\"1588\"},"
                                          "\"PixelHeight\":{\"type\":\"long\",\"value\":\"2246\"}}");
    QStringList args{QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                     QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"), filter,
                     QStringLiteral("--outdir"), dir.path()};
    args << inputs;
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(soffice, args);
    ASSERT_TRUE(p.waitForFinished(180000)) << "soffice did not finish";

    for (int i = 0; i < n; ++i) {
        const QImage original(dir.filePath(QStringLiteral("o%1.png").arg(i)));
        const QImage copy(dir.filePath(QStringLiteral("c%1.png").arg(i)));
        ASSERT_FALSE(original.isNull()) << Files[i] << p.readAll().constData();
        ASSERT_FALSE(copy.isNull()) << Files[i];
        ASSERT_EQ(original.size(), copy.size()) << Files[i];
        EXPECT_GE(inkScore(original, copy), 0.99) << Files[i];
        EXPECT_LE(changedInk(original, copy), 0.002) << Files[i];
    }
}
