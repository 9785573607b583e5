// Loading a document: metafile first whatever the extension, then the
// raster decoder the extension names, then recognition by content.
#include "StartupFixture.h"

#include <QVariant>

#include "framework/cmd/CommandIds.h"
#include "framework/file/CFile.h"
#include "tests/platform/metafile/EmfBuilder.h"
#include "platform/metafile/WmfRecordTypes.h"
#include "tests/platform/metafile/WmfBuilder.h"
#include "viewer/document/CLumivueDoc.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace {

QByteArray png(int w, int h, int dpi)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    img.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
    img.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return out;
}

// A document loaded from path as the framework loads it.
std::unique_ptr<CLumivueDoc> load(const QString& path)
{
    auto doc = std::make_unique<CLumivueDoc>();
    CFile file(path, CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    doc->Serialize(ar);
    return doc;
}

} // namespace

TEST_F(StartupTest, AMetafileLoadsWhateverItsExtension)
{
    // A 40 x 30 mm frame with one rectangle, saved under a bitmap's name.
    const QByteArray emf = EmfBuilder(RECT(0, 0, 4000, 3000)).Record(43, {10, 10, 200, 100}).Bytes();
    auto doc = load(MakeFile("drawing.bmp", emf));
    EXPECT_TRUE(doc->m_bIsMetafile);
    EXPECT_TRUE(doc->IsLoaded());
    EXPECT_EQ(doc->m_sizeImage, CSize(4000, 3000));
    EXPECT_EQ(doc->m_sizeResolution, CSize(2540, 2540));
    EXPECT_FALSE(doc->m_Image.IsValid());
}

TEST_F(StartupTest, AMetafileWithAZeroSideIsNotLoaded)
{
    // A frame with no height and the bounds of a metafile that drew nothing
    // (0, 0, -1, -1), which leave no size to fall back on.
    QByteArray emf = EmfBuilder(RECT(0, 0, 4000, 0)).Bytes();
    for (int at : {16, 20})
        emf.replace(at, 4, QByteArray(4, '\xff'));
    auto doc = load(MakeFile("flat.emf", emf));
    EXPECT_TRUE(doc->m_bIsMetafile);
    EXPECT_FALSE(doc->IsLoaded());
}

TEST_F(StartupTest, RasterImagesByExtensionThenByContent)
{
    const QByteArray image = png(800, 600, 72);
    // A ".jpeg" holding a PNG: the JPEG decoder refuses it, recognition finds PNG.
    for (const char* name : {"photo.png", "photo.jpeg", "PHOTO.PNG", "photo.mj", "no-extension", "fake.emf", "fake.wmf"}) {
        SCOPED_TRACE(name);
        auto doc = load(MakeFile(name, image));
        EXPECT_FALSE(doc->m_bIsMetafile);
        EXPECT_TRUE(doc->IsLoaded());
        EXPECT_EQ(doc->m_sizeImage, CSize(800, 600));
        EXPECT_EQ(doc->m_sizeResolution, CSize(72, 72));
    }
}

TEST_F(StartupTest, ExtensionsChooseFormatsWhateverTheirCase)
{
    EXPECT_EQ(CLumivueDoc::RasterFormatFor("BMP"), RASTER_FORMAT_BMP);
    EXPECT_EQ(CLumivueDoc::RasterFormatFor("Tif"), RASTER_FORMAT_TIF);
    EXPECT_EQ(CLumivueDoc::RasterFormatFor("TIFF"), RASTER_FORMAT_TIF);
    EXPECT_EQ(CLumivueDoc::RasterFormatFor("jpeg"), RASTER_FORMAT_JPG);
    EXPECT_EQ(CLumivueDoc::RasterFormatFor("JNG"), RASTER_FORMAT_MNG);
    EXPECT_EQ(CLumivueDoc::RasterFormatFor("mj"), RASTER_FORMAT_BY_CONTENT);
    EXPECT_EQ(CLumivueDoc::RasterFormatFor(""), RASTER_FORMAT_BY_CONTENT);
}

TEST_F(StartupTest, AnUndecodableFileStillOpensAsAnEmptyDocument)
{
    ASSERT_TRUE(Start({}));
    CDocument* d = app->OpenDocumentFile(MakeFile("garbage.png", QByteArray(5000, '\x7f')));
    auto* doc = dynamic_cast<CLumivueDoc*>(d);
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(doc->IsLoaded());
    EXPECT_EQ(doc->m_sizeImage, CSize(0, 0));
    EXPECT_EQ(doc->m_sizeResolution, CSize(0, 0));
    EXPECT_TRUE(testenv::Messages().empty());
}

TEST_F(StartupTest, DocumentsNumberTheirEventsInHexadecimal)
{
    ASSERT_TRUE(Start({}));
    std::vector<std::unique_ptr<CLumivueDoc>> docs;
    for (int i = 0; i < 16; ++i)
        docs.push_back(std::make_unique<CLumivueDoc>());
    EXPECT_EQ(docs[9]->m_nDocNumber, 10);
    EXPECT_TRUE(docs[9]->AvailabilityEventName().endsWith("/DocIsAvailableA"));
    EXPECT_TRUE(docs[15]->AvailabilityEventName().endsWith("/DocIsAvailable10"));
    // Set at once, and private to its document.
    HANDLE h = OpenEvent(EVENT_ALL_ACCESS, false, docs[9]->AvailabilityEventName());
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(WaitForSingleObject(h, 0), DWORD(WAIT_OBJECT_0));
    CloseHandle(h);
    EXPECT_EQ(OpenEvent(EVENT_ALL_ACCESS, false, "DocIsAvailableA"), nullptr);
    EXPECT_NE(docs[0]->EventName("Painting", 1), docs[1]->EventName("Painting", 1));
    // The event goes with its document.
    const QString name = docs[9]->AvailabilityEventName();
    docs[9].reset();
    EXPECT_EQ(OpenEvent(EVENT_ALL_ACCESS, false, name), nullptr);
}

TEST_F(StartupTest, FitOptionViewNumbersAndSaveState)
{
    WriteSetting("Settings/FitOption", 3);
    ASSERT_TRUE(Start({}));
    auto* bitmap = dynamic_cast<CLumivueDoc*>(app->OpenDocumentFile(MakeFile("a.png", png(10, 10, 96))));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->m_nFitOption, 3);
    EXPECT_EQ(bitmap->m_sizeGiven, CSize(2032, 2032));
    // The document's window took view number 1; the next view gets 2.
    EXPECT_EQ(bitmap->NextViewNumber(), 2);
    EXPECT_EQ(bitmap->NextViewNumber(), 3);
    CCmdUI ui(ID_FILE_SAVE_AS);
    ASSERT_TRUE(bitmap->OnCmdMsg(ID_FILE_SAVE_AS, &ui));
    EXPECT_FALSE(ui.m_enabled);

    const QByteArray emf = EmfBuilder(RECT(0, 0, 1000, 1000)).Bytes();
    auto* meta = dynamic_cast<CLumivueDoc*>(app->OpenDocumentFile(MakeFile("b.emf", emf)));
    ASSERT_NE(meta, nullptr);
    CCmdUI ui2(ID_FILE_SAVE_AS);
    ASSERT_TRUE(meta->OnCmdMsg(ID_FILE_SAVE_AS, &ui2));
    EXPECT_TRUE(ui2.m_enabled);
    std::unique_ptr<COXMetaFile> copy(meta->CreateMetaFileCopy());
    EXPECT_NE(copy->GethEMF(), nullptr);
    EXPECT_NE(copy->GethEMF(), meta->m_MetaFile.GethEMF());
}

TEST_F(StartupTest, SavingWritesAnEnhancedMetafileAndFailuresSaySo)
{
    const QByteArray emf = EmfBuilder(RECT(0, 0, 4000, 3000)).Description(QStringLiteral("App") + QChar(0) + QStringLiteral("Pic") + QChar(0)).Record(43, {10, 10, 200, 100}).Bytes();
    auto doc = load(MakeFile("drawing.emf", emf));
    ASSERT_TRUE(doc->IsLoaded());
    const QString target = MakeFile("saved.emf", QByteArray("old"));
    ASSERT_TRUE(doc->OnSaveDocument(target));
    EXPECT_EQ(doc->m_strFileName, target);
    COXMetaFile saved;
    ASSERT_TRUE(saved.LoadFile(target));
    EXPECT_EQ(saved.GetDescription(), QStringLiteral("App") + QChar(0) + QStringLiteral("Pic"));

    EXPECT_FALSE(doc->OnSaveDocument(target + QStringLiteral(".missing/x.emf")));
    EXPECT_EQ(doc->m_strFileName, target);

    // Save As with a cancelled dialog changes nothing.
    COXMetaFile::SetSaveDialog([](const QStringList&, const CString&) { return CString(); });
    doc->OnFileSaveAs();
    COXMetaFile::SetSaveDialog(nullptr);
    EXPECT_EQ(doc->m_strFileName, target);

    auto raster = load(MakeFile("a.png", png(10, 10, 96)));
    EXPECT_FALSE(raster->OnSaveDocument(target));
}

// A Windows 3.x document saves as an enhanced metafile; from then on the
// document's file is the saved one, so later copies (the clipboard's) load
// the EMF, while the loaded picture stays as it was.
TEST_F(StartupTest, AWindowsMetafileDocumentSavesAsEnhancedAndCopiesFollow)
{
    WmfBuilder b;
    b.Placeable(0, 0, 1440, 720, 1440); // 1 x 0.5 inch
    b.Record(META_SETWINDOWORG, {0, 0}).Record(META_SETWINDOWEXT, {720, 1440}); // y first
    b.Record(META_CREATEBRUSHINDIRECT, {0, 0xFF, 0, 0}).Record(META_SELECTOBJECT, {0});
    b.Record(META_RECTANGLE, {720, 720, 0, 0});
    ASSERT_TRUE(Start({}));
    const QString wmfPath = MakeFile("chart.wmf", b.Bytes());
    auto* doc = dynamic_cast<CLumivueDoc*>(app->OpenDocumentFile(wmfPath));
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->IsLoaded());
    EXPECT_TRUE(doc->m_bIsMetafile);
    CCmdUI ui(ID_FILE_SAVE_AS);
    ASSERT_TRUE(doc->OnCmdMsg(ID_FILE_SAVE_AS, &ui));
    EXPECT_TRUE(ui.m_enabled);
    const HENHMETAFILE shown = doc->m_MetaFile.GethEMF();

    // Save As to the file the dialog names, with the filter the command gives.
    const QString target = QFileInfo(wmfPath).absolutePath() + QStringLiteral("/chart-saved.emf");
    QStringList filters;
    COXMetaFile::SetSaveDialog([&](const QStringList& nameFilters, const CString& defExt) {
        filters = nameFilters;
        EXPECT_EQ(defExt, QStringLiteral("emf"));
        return CString(target);
    });
    doc->OnFileSaveAs();
    COXMetaFile::SetSaveDialog(nullptr);
    ASSERT_FALSE(filters.isEmpty());
    EXPECT_TRUE(filters.first().contains(QStringLiteral("*.emf")));
    EXPECT_EQ(doc->m_strFileName, target);
    EXPECT_EQ(doc->m_MetaFile.GethEMF(), shown);

    QFile saved(target);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    ASSERT_GE(bytes.size(), 88);
    EXPECT_EQ(bytes.mid(40, 4), QByteArray(" EMF")) << "an enhanced metafile, not a copy of the WMF";
    std::unique_ptr<COXMetaFile> copy(doc->CreateMetaFileCopy());
    ASSERT_NE(copy->GethEMF(), nullptr);
    const CSize size = copy->GetNormalizedSize();
    EXPECT_NEAR(double(size.cx) / size.cy, 1.0, 0.05) << "the saved picture is the red half inch";
}
