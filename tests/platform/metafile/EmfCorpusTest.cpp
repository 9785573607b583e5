// Every enhanced metafile of the shared corpus (real-world, synthetic and
// deliberately malformed) loads or is refused, and plays to its end or its
// first bad record, without a crash, a hang or a sanitizer report.
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/RenderLayout.h"
#include "tests/common/TestEnvironment.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// The EMF files INDEX.tsv lists; empty without the corpus.
std::vector<std::string> corpusFiles()
{
    return testenv::CorpusFiles([](const QString& format) { return format == QLatin1String("EMF") || format == QLatin1String("unknown"); });
}

class EmfCorpus : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(EmfCorpus, LoadsAndPlaysCleanly)
{
    const QString path = testenv::CorpusDir() + QLatin1Char('/') + QString::fromStdString(GetParam());
    if (!QFile::exists(path))
        GTEST_SKIP() << "corpus not present";
    EnhMetaFilePtr mf(GetEnhMetaFile(path));
    if (!mf)
        return; // refused cleanly: a header that lies
    RenderLayout layout;
    layout.mode = RenderLayout::Mode::Width;
    layout.width = 200;
    const EmfHeader& h = mf->Header();
    CSize size;
    QString error;
    const double fw = double(h.frame.right) - h.frame.left, fh = double(h.frame.bottom) - h.frame.top;
    const CSize frame(LONG(std::clamp(fw, -2e9, 2e9)), LONG(std::clamp(fh, -2e9, 2e9)));
    if (!layout.OutputSize(frame, 2540, &size, &error))
        size = CSize(200, 200);
    size.cy = std::min<LONG>(size.cy, 800);
    QImage image(size.cx, size.cy, QImage::Format_RGB32);
    image.fill(Qt::white);
    QElapsedTimer timer;
    timer.start();
    {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        const RECT r(0, 0, size.cx, size.cy);
        PlayEnhMetaFile(&dc, mf.get(), &r);
    }
    // Generous even under the sanitizers: a hang would take forever.
    EXPECT_LT(timer.elapsed(), 60000);
}

INSTANTIATE_TEST_SUITE_P(Corpus, EmfCorpus, testing::ValuesIn([] {
                             auto files = corpusFiles();
                             if (files.empty())
                                 files.push_back("absent");
                             return files;
                         }()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name;
                             for (char c : info.param)
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });
