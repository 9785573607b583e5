// Every Windows 3.x metafile of the shared corpus converts to an enhanced
// metafile (or is refused) and plays, played directly too, without a
// crash, a hang or a sanitizer report; the converted metafile saved again
// reads back.
#include "platform/gdi/QPainterBackend.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/WmfPlayer.h"
#include "tests/common/TestEnvironment.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> wmfFiles()
{
    return testenv::CorpusFiles([](const QString& format) { return format.startsWith(QLatin1String("WMF")); });
}

class WmfCorpus : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(WmfCorpus, ConvertsPlaysAndSavesCleanly)
{
    QFile file(testenv::CorpusDir() + QLatin1Char('/') + QString::fromStdString(GetParam()));
    if (!file.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "corpus not present";
    const QByteArray bytes = file.readAll();
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (auto wmf = WinMetaFile::FromBytes(bytes)) {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        PlayMetaFile(&dc, wmf.get());
    }
    EnhMetaFilePtr emf(ConvertWinMetaFile(bytes));
    if (!emf)
        return; // refused cleanly
    {
        CDC dc(std::make_unique<QPainterBackend>(&image));
        const RECT rect(0, 0, 160, 120);
        PlayEnhMetaFile(&dc, emf.get(), &rect);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.emf"));
    EnhMetaFilePtr copy(CopyEnhMetaFile(emf.get(), path));
    ASSERT_TRUE(copy);
    EnhMetaFilePtr reloaded(GetEnhMetaFile(path));
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(reloaded->Bytes(), emf->Bytes().left(qsizetype(emf->End())));
}

INSTANTIATE_TEST_SUITE_P(Corpus, WmfCorpus, testing::ValuesIn([] {
                             auto files = wmfFiles();
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
