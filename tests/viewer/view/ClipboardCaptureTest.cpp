// The view's Copy to Clipboard and the delivery of a captured bitmap: the
// messages of each failure, what lands on the clipboard, the destination
// dialog's choices, and a bitmap file that replaces an old one only whole.
#include "ViewFixture.h"

#include "platform/clipboard/Clipboard.h"
#include "tests/common/ModalDialog.h"
#include "tests/common/TestEnvironment.h"
#include "toolkit/COXDIB.h"
#include "toolkit/COXScreenGrabber.h"
#include "viewer/dialogs/CImageDestinationDlg.h"
#include "framework/cmd/CommandIds.h"
#include "viewer/resources/Resource.h"
#include "viewer/resources/ViewerModule.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

namespace {

QByteArray Filled(COLORREF color)
{
    EmfBuilder b(RECT(0, 0, 10000, 10000));
    b.Record(39, {1, 0, color, 0}); // EMR_CREATEBRUSHINDIRECT: solid
    b.Record(37, {1});              // EMR_SELECTOBJECT
    b.Record(37, {0x80000008});     // EMR_SELECTOBJECT: NULL_PEN
    b.Record(43, {0, 0, 1001, 1001}); // EMR_RECTANGLE over the device
    return b.Bytes();
}

std::vector<QString> texts()
{
    std::vector<QString> out;
    for (const auto& m : testenv::Messages()) {
        EXPECT_EQ(m.caption, QString());
        EXPECT_EQ(m.type, 0u);
        out.push_back(m.text);
    }
    return out;
}

COXDIB Bitmap(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    COXDIB dib;
    dib.CreateFromImage(image);
    return dib;
}

QPushButton* Button(QDialog* d, int id) { return qobject_cast<QPushButton*>(CImageDestinationDlg::FindDlgItem(d, id)); }

class ClipboardViewTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        testenv::ClearMessages();
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override
    {
        CloseClipboard();
        CImageDestinationDlg::SetFilePrompt({});
        ViewTest::TearDown();
    }
    const QMimeData* Data() const { return QGuiApplication::clipboard()->mimeData(); }
};

} // namespace

TEST_F(ClipboardViewTest, CopyPutsTheDocumentsMetafileOnTheClipboard)
{
    const QByteArray bytes = Filled(RGB(0, 0, 255));
    Load(bytes);
    CLumivueView* view = View();
    view->OnEditCopy();
    EXPECT_TRUE(texts().empty());
    ASSERT_NE(Data(), nullptr);
    EXPECT_EQ(Data()->data(QStringLiteral("image/emf")), bytes);
    QImage png;
    ASSERT_TRUE(png.loadFromData(Data()->data(QStringLiteral("image/png")), "PNG"));
    EXPECT_EQ(QColor(png.pixel(png.width() / 2, png.height() / 2)), QColor(0, 0, 255));
    // The document's own metafile is untouched by the clipboard's copy.
    EXPECT_NE(doc->m_MetaFile.GethEMF(), nullptr);
    EXPECT_FALSE(IsClipboardOpen());
}

TEST_F(ClipboardViewTest, CopyTellsEachFailure)
{
    QImage photo(16, 16, QImage::Format_RGB32);
    photo.fill(Qt::green);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "PNG");
    Load(png, QStringLiteral("green.png"));
    CLumivueView* view = View();
    // A raster document's copy holds no metafile.
    view->OnEditCopy();
    EXPECT_EQ(texts(), std::vector<QString>{QStringLiteral("Unable to set Clipboard data!")});
    EXPECT_FALSE(IsClipboardOpen());
    // Another window holds the clipboard open.
    testenv::ClearMessages();
    ASSERT_TRUE(OpenClipboard(nullptr));
    view->OnEditCopy();
    EXPECT_EQ(texts(), std::vector<QString>{QStringLiteral("Cannot open the Clipboard!")});
    EXPECT_TRUE(IsClipboardOpen()); // not closed by the view, which never opened it
}

TEST_F(ClipboardViewTest, ABitmapToTheClipboardOrItsFailures)
{
    CLumivueView* view = View();
    COXDIB dib = Bitmap(7, 5, qRgb(250, 10, 20));
    EXPECT_TRUE(view->CopyDIBToClipboard(&dib));
    EXPECT_TRUE(texts().empty());
    QImage png;
    ASSERT_TRUE(png.loadFromData(Data()->data(QStringLiteral("image/png")), "PNG"));
    EXPECT_EQ(png.size(), QSize(7, 5));
    EXPECT_EQ(Data()->data(QStringLiteral("image/bmp")), dib.FileBytes());

    COXDIB empty;
    EXPECT_FALSE(view->CopyDIBToClipboard(&empty));
    EXPECT_EQ(texts(), std::vector<QString>{QStringLiteral("Unable to make a copy of the image!")});
    EXPECT_FALSE(IsClipboardOpen());
}

TEST_F(ClipboardViewTest, ABitmapFileReplacesAnOldOneOnlyWhenWritten)
{
    CLumivueView* view = View();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("shot.bmp"));
    COXDIB red = Bitmap(9, 4, qRgb(255, 0, 0));
    ASSERT_TRUE(view->WriteDIBFile(&red, path));
    QImage read(path, "BMP");
    EXPECT_EQ(read.size(), QSize(9, 4));
    EXPECT_EQ(QColor(read.pixel(8, 3)), QColor(255, 0, 0));

    // Nothing to write: the old file stays as it was, and no other file appears.
    COXDIB empty;
    EXPECT_FALSE(view->WriteDIBFile(&empty, path));
    EXPECT_EQ(QImage(path, "BMP").size(), QSize(9, 4));
    // A folder in the way: no message, nothing left behind.
    const QString blocked = folder.filePath(QStringLiteral("taken.bmp"));
    ASSERT_TRUE(QDir().mkdir(blocked));
    EXPECT_FALSE(view->WriteDIBFile(&red, blocked));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("shot.bmp")});
    EXPECT_TRUE(texts().empty());
}

TEST_F(ClipboardViewTest, TheDestinationDialogChoosesWhereTheBitmapGoes)
{
    CLumivueView* view = View();
    COXDIB dib = Bitmap(6, 6, qRgb(0, 128, 0));
    testenv::OnNextModal([](QDialog* d) {
        auto* dlg = qobject_cast<CImageDestinationDlg*>(d);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->GetTemplateID(), 146u);
        EXPECT_EQ(int(dlg->m_nIDHelp), -32765);
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Select Image Destination"));
        auto* label = qobject_cast<QLabel*>(CImageDestinationDlg::FindDlgItem(d, CImageDestinationDlg::IDC_EXPLANATION));
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->text().startsWith(QStringLiteral("Select the destination for the captured image.\n\n")));
        EXPECT_EQ(Button(d, IDYES)->text(), QStringLiteral("Clipboard"));
        EXPECT_EQ(Button(d, IDNO)->text(), QStringLiteral("File"));
        EXPECT_EQ(Button(d, IDCANCEL)->text(), QStringLiteral("Cancel"));
        for (int id : {IDYES, IDNO, IDCANCEL})
            EXPECT_FALSE(Button(d, id)->accessibleName().isEmpty());
        Button(d, IDCANCEL)->click();
    });
    EXPECT_FALSE(view->SelectImageDestination(&dib, -32765));

    testenv::OnNextModal([](QDialog* d) { Button(d, IDYES)->click(); });
    EXPECT_TRUE(view->SelectImageDestination(&dib, -32765));
    EXPECT_TRUE(Data()->hasFormat(QStringLiteral("image/bmp")));

    // A cancelled file prompt keeps the dialog open; a chosen file ends it.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("c.bmp"));
    int asked = 0;
    CImageDestinationDlg::SetFilePrompt([&](QWidget* parent) {
        EXPECT_NE(parent, nullptr);
        return ++asked == 1 ? QString() : path;
    });
    bool openAfterCancel = false;
    testenv::OnNextModal([&](QDialog* d) {
        Button(d, IDNO)->click();
        openAfterCancel = d->isVisible() && d->result() == 0;
        Button(d, IDNO)->click();
    });
    EXPECT_TRUE(view->SelectImageDestination(&dib, -32764));
    EXPECT_TRUE(openAfterCancel);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(QImage(path, "BMP").size(), QSize(6, 6));
}

TEST_F(ClipboardViewTest, WithoutAReadableScreenTheWindowGrabIsTheViewsOwnPicture)
{
    Load(Filled(RGB(0, 0, 255)));
    doc->m_nFitOption = FIT_PAGE;
    CLumivueView* view = View(QSize(240, 160));
    Painted(view);
    COXScreenGrabber grabber;
    EXPECT_FALSE(COXScreenGrabber::CanReadScreen());
    ASSERT_TRUE(grabber.GrabClientWindow(view));
    const QImage grabbed = grabber.GetGrabDIB()->ToImage();
    EXPECT_EQ(grabbed.size(), view->viewport()->size());
    EXPECT_EQ(grabber.GetGrabDIB()->GetNumBitsPerPixel(), 24);
    EXPECT_EQ(QColor(grabbed.pixel(grabbed.width() / 2, grabbed.height() / 2)), QColor(0, 0, 255));
    // The screen cannot be read for a dragged rectangle: a plain failure.
    EXPECT_FALSE(grabber.GrabTracker(view, CPoint(10, 10), nullptr));
    EXPECT_FALSE(grabber.WasCancelled());
    EXPECT_TRUE(grabber.GetGrabDIB()->IsEmpty());
}

TEST_F(ClipboardViewTest, ARegionCaptureWaitsForOneLeftClick)
{
    CLumivueView* view = View();
    view->OnEditCaptureRect();
    EXPECT_TRUE(view->m_bCaptureRegion);
    // Without a main window there is nothing the click can be inside of.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_FALSE(view->m_bCaptureRegion);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(texts().empty());
}

TEST_F(ClipboardViewTest, TheCommandsAreAvailableWithTheirPrompts)
{
    CLumivueView* view = View();
    const struct {
        UINT id;
        const char* prompt;
    } commands[] = {
        {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
        {ID_CAPTURE_WINDOW, "Capture the window output to the clipboard or a file\nCapture Window"},
        {ID_CAPTURE_REGION, "Capture a rectangular region to the clipboard or a file\nCapture Region"},
    };
    for (const auto& c : commands) {
        const QString* prompt = ViewerModule()->FindString(c.id);
        ASSERT_NE(prompt, nullptr) << c.id;
        EXPECT_EQ(*prompt, QString::fromUtf8(c.prompt));
        // A handler exists and no rule greys it out.
        CCmdUI ui(c.id);
        EXPECT_TRUE(view->OnCmdMsg(c.id, &ui)) << c.id;
        EXPECT_TRUE(ui.m_enabled) << c.id;
    }
}
