// The image view in the real program on an X server: documents open and
// are drawn, the fit keys, keypad zoom, Zoom To with a typed value, the
// wheel and middle-button panning, the pixels against lumivu-render, a
// painting interrupted by scrolling, two views of a document, and a window
// closed while it paints.
#include "tests/common/EventLoop.h"
#include "StartupFixture.h"

#include "framework/cmd/CommandIds.h"
#include "framework/frame/CMDIChildWnd.h"
#include "platform/ui/KeyState.h"
#include "tests/common/ModalDialog.h"
#include "tests/platform/metafile/EmfBuilder.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/frame/CMainFrame.h"
#include "viewer/resources/Resource.h"
#include "viewer/view/CLumivueView.h"
#include "view/ViewFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

namespace {

void settle(int ms = 100) { testenv::ProcessEventsFor(ms); }

bool paintingEnds(CLumivueView* view, int ms = 30000) { return ViewTest::PaintingEnds(view, ms); }

QString corpus(const char* path) { return testenv::CorpusDir() + QLatin1Char('/') + QLatin1String(path); }

// Distinct colours in an image: a drawn picture has many, a blank one one.
int colours(const QImage& image)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            seen.insert(image.pixel(x, y));
    return seen.size();
}

// Pixels of a and b (same size) that differ in any channel by more than 8.
int differing(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8 ||
                std::abs(qBlue(p) - qBlue(q)) > 8)
                ++n;
        }
    return n;
}

} // namespace

class ImageViewTest : public StartupTest {
protected:
    void SetUp() override
    {
        StartupTest::SetUp();
        if (!QFileInfo::exists(corpus("poi/test-data/slideshow/santa.wmf")))
            GTEST_SKIP() << "the shared corpus is not beside the repository";
    }

    bool Open(const QStringList& files)
    {
        WriteSetting(QStringLiteral("Settings/MaximizeChildren"), 1);
        if (!Start(QStringList{QStringLiteral("-Open")} + files))
            return false;
        // Ctrl as the messages carry it, not as start-up pretends.
        SetKeyStateHook({});
        MainFrame()->activateWindow();
        return QTest::qWaitForWindowActive(MainFrame());
    }

    CLumivueView* ActiveView() const
    {
        CMDIChildWnd* child = MainFrame()->MDIGetActive();
        return child ? dynamic_cast<CLumivueView*>(child->GetActiveView()) : nullptr;
    }

    QString ZoomPane() const { return MainFrame()->statusBar()->findChild<QLabel*>(QStringLiteral("zoomPane"))->text(); }

    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(ActiveView(), Qt::Key(key), mods);
        settle(30);
    }
};

TEST_F(ImageViewTest, AnEmfAWmfAndAJpegAreDrawn)
{
    QImage photo(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            photo.setPixel(x, y, qRgb(x * 255 / 640, y * 255 / 480, 128));
    const QString jpeg = MakeFile(QStringLiteral("photo.jpg"));
    ASSERT_TRUE(photo.save(jpeg, "JPG", 90));
    ASSERT_TRUE(Open({corpus("libemf2svg/tests/resources/emf/test-031.emf"), corpus("poi/test-data/slideshow/santa.wmf"),
                      jpeg}));
    settle(300);
    ASSERT_EQ(Documents().size(), 3u);
    for (CMDIChildWnd* child : MainFrame()->MDIGetChildren()) {
        MainFrame()->MDIActivate(child);
        settle(100);
        CLumivueView* view = ActiveView();
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(paintingEnds(view));
        settle(100);
        // What the window shows is the picture, not an empty client area.
        const QImage shown = view->viewport()->grab().toImage();
        EXPECT_GT(colours(shown), 3) << view->GetDocument()->m_strFileName.toStdString();
    }
}

TEST_F(ImageViewTest, FitKeysKeypadZoomAndZoomTo)
{
    ASSERT_TRUE(Open({corpus("poi/test-data/slideshow/santa.wmf")}));
    settle(200);
    CLumivueView* view = ActiveView();
    ASSERT_NE(view, nullptr);
    CLumivueDoc* doc = view->GetDocument();
    const CRect client = view->GetClientRect();

    Key(Qt::Key_F4);
    EXPECT_EQ(doc->m_nFitOption, FIT_PAGE);
    EXPECT_EQ(MainFrame()->QueryCommand(ID_FIT_PAGE).m_check, 1);
    EXPECT_EQ(MainFrame()->QueryCommand(ID_FIT_X).m_check, 0);
    EXPECT_TRUE(view->DestRect.Width() == client.Width() || view->DestRect.Height() == client.Height());
    EXPECT_EQ(ZoomPane(), CMainFrame::ZoomText(view->m_dZoom));

    Key(Qt::Key_F2);
    EXPECT_EQ(doc->m_nFitOption, FIT_X);
    EXPECT_EQ(view->DestRect.Width(), view->GetClientRect().Width());
    Key(Qt::Key_F3);
    EXPECT_EQ(doc->m_nFitOption, FIT_Y);
    EXPECT_EQ(view->DestRect.Height(), view->GetClientRect().Height());

    // Keypad plus and minus step by a quarter from the fitted zoom; the fit
    // becomes the zoom factor.
    const double fitted = view->m_dZoom;
    Key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_DOUBLE_EQ(view->m_dZoom, fitted + 0.25);
    EXPECT_EQ(doc->m_nFitOption, FIT_ZOOM);
    Key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_DOUBLE_EQ(view->m_dZoom, fitted);
    Key(Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(view->m_dZoom, fitted);

    // Ctrl+Z asks for the zoom in percent.
    testenv::OnNextModal([](QDialog* d) {
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("ctl1001"));
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("150 %"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view->m_dZoom, 1.5);
    EXPECT_EQ(ZoomPane(), "150 %");

    // Ctrl+F2 asks for the width: 10 cm.
    testenv::OnNextModal([](QDialog* d) {
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("ctl1001"));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), "20.32 cm");
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("100 mm"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    Key(Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(doc->m_sizeGiven.cx, 1000);
    EXPECT_EQ(doc->m_nFitOption, FIT_GIVEN_X);
    EXPECT_NEAR(view->DestRect.Width(), 10 / 2.54 * view->logicalDpiX(), 1.0);
}

TEST_F(ImageViewTest, KeysWheelAndMiddleButtonScroll)
{
    ASSERT_TRUE(Open({corpus("libemf2svg/tests/resources/emf/test-031.emf")}));
    settle(200);
    CLumivueView* view = ActiveView();
    ASSERT_NE(view, nullptr);
    view->m_dZoom = 4.0;
    view->ApplyFitOption(FIT_ZOOM);
    settle(50);
    ASSERT_TRUE(view->verticalScrollBar()->isVisible());
    const CSize line = view->GetLineSize();

    Key(Qt::Key_Down);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, line.cy));
    Key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(view->GetClientRect().Width(), line.cy));
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, line.cy));
    EXPECT_EQ(view->verticalScrollBar()->value(), line.cy);

    // One notch down scrolls three lines; with Shift it scrolls sideways.
    const QPoint centre = view->viewport()->rect().center();
    QWheelEvent down(centre, view->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &down);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 4 * line.cy));
    QWheelEvent sideways(centre, view->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &sideways);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(3 * line.cx, 4 * line.cy));

    // Dragging with the middle button pulls the picture along with the hand.
    QTest::mousePress(view->viewport(), Qt::MiddleButton, Qt::NoModifier, centre);
    EXPECT_EQ(view->viewport()->cursor().shape(), Qt::ClosedHandCursor);
    QMouseEvent move(QEvent::MouseMove, QPointF(centre + QPoint(-30, -50)),
                     QPointF(view->viewport()->mapToGlobal(centre + QPoint(-30, -50))), Qt::NoButton,
                     Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    QTest::mouseRelease(view->viewport(), Qt::MiddleButton, Qt::NoModifier, centre + QPoint(-30, -50));
    EXPECT_EQ(view->GetScrollPosition(), CPoint(3 * line.cx + 30, 4 * line.cy + 50));
    EXPECT_NE(view->viewport()->cursor().shape(), Qt::ClosedHandCursor);
}

TEST_F(ImageViewTest, TheWindowShowsWhatLumivuRenderDraws)
{
    const char* files[] = {"libemf2svg/tests/resources/emf/test-031.emf", "poi/test-data/slideshow/santa.wmf"};
    for (const char* file : files) {
        ASSERT_TRUE(Open({corpus(file)}));
        settle(200);
        CLumivueView* view = ActiveView();
        ASSERT_NE(view, nullptr);
        view->ApplyFitOption(FIT_PAGE);
        view->Invalidate();
        view->UpdateWindow();
        ASSERT_TRUE(paintingEnds(view));
        settle(100);
        const CRect client = view->GetClientRect();
        const CRect dest = view->DestRect;
        const QString out = testenv::Home() + QStringLiteral("/render.png");
        QProcess render;
        render.start(testenv::BuildDir() + QStringLiteral("/bin/lumivu-render"),
                     {QStringLiteral("--fit"), QStringLiteral("page"), QStringLiteral("--page"),
                      QStringLiteral("%1x%2").arg(client.Width()).arg(client.Height()), QStringLiteral("--dpi"),
                      QString::number(view->logicalDpiX()), corpus(file), out});
        ASSERT_TRUE(render.waitForFinished(60000));
        ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
        const QImage rendered = QImage(out).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(rendered.size(), QSize(dest.Width(), dest.Height())) << file;
        const QPoint origin((client.Width() - dest.Width()) / 2, (client.Height() - dest.Height()) / 2);
        const QImage shown = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage part = shown.copy(QRect(origin, rendered.size()));
        EXPECT_EQ(differing(part, rendered), 0) << file;
        app->CloseAllDocuments(true);
        TearDown();
        StartupTest::SetUp();
    }
}

TEST_F(ImageViewTest, AScrollInterruptsAPaintingAndTheRepaintCoversTheOldArea)
{
    EmfBuilder b(RECT(0, 0, 20000, 20000));
    b.Record(39, {1, 0, RGB(0, 90, 200), 0}); // EMR_CREATEBRUSHINDIRECT
    b.Record(37, {1});                        // EMR_SELECTOBJECT
    for (int i = 0; i < 100000; ++i) {
        const uint32_t x = uint32_t(i * 37 % 1900), y = uint32_t(i * 53 % 1900);
        b.Record(42, {x, y, x + 40, y + 40}); // EMR_ELLIPSE
    }
    ASSERT_TRUE(Open({MakeFile(QStringLiteral("long.emf"), b.Bytes())}));
    settle(100);
    CLumivueView* view = ActiveView();
    ASSERT_NE(view, nullptr);
    view->m_dZoom = 1.0;
    view->ApplyFitOption(FIT_ZOOM);
    view->Invalidate();
    view->UpdateWindow();
    ASSERT_TRUE(view->IsPainting());
    Key(Qt::Key_Down);
    EXPECT_FALSE(view->PaintingInfo().Completed);
    ASSERT_TRUE(paintingEnds(view, 60000));
    settle(100);
    const QImage afterInterruption = view->Surface().Front();
    // A fresh painting of the whole window gives the same pixels.
    view->Invalidate();
    view->UpdateWindow();
    ASSERT_TRUE(paintingEnds(view, 60000));
    settle(100);
    EXPECT_EQ(differing(view->Surface().Front(), afterInterruption), 0);
}

TEST_F(ImageViewTest, TwoViewsOfADocumentAndAWindowClosedWhilePainting)
{
    ASSERT_TRUE(Open({corpus("libemf2svg/tests/resources/emf/test-178.emf")}));
    settle(100);
    CLumivueView* first = ActiveView();
    ASSERT_NE(first, nullptr);
    MainFrame()->SendCommand(ID_WINDOW_NEW);
    settle(100);
    CLumivueView* second = ActiveView();
    ASSERT_NE(second, first);
    EXPECT_EQ(second->GetDocument(), first->GetDocument());
    EXPECT_EQ(second->m_nViewNumber, 2);
    ASSERT_TRUE(paintingEnds(first));
    ASSERT_TRUE(paintingEnds(second));
    EXPECT_GT(colours(first->Surface().Front()), 3);
    EXPECT_GT(colours(second->Surface().Front()), 3);
    // Closing one window while it paints leaves the other and the document.
    second->Invalidate();
    second->UpdateWindow();
    MainFrame()->MDIGetActive()->close();
    settle(200);
    ASSERT_EQ(Documents().size(), 1u);
    EXPECT_EQ(ActiveView(), first);
    // Closing the document while its last window paints.
    first->Invalidate();
    first->UpdateWindow();
    MainFrame()->MDIGetActive()->close();
    settle(200);
    EXPECT_EQ(Documents().size(), 0u);
}

TEST_F(ImageViewTest, PreviewShowsEveryPageAndPrintSetupReachesTheNextPrint)
{
    // 38 x 50 cm at its physical size: 2 x 2 pages of A4 portrait.
    EmfBuilder b(RECT(0, 0, 38000, 50000));
    b.Record(39, {1, 0, RGB(20, 90, 200), 0}); // EMR_CREATEBRUSHINDIRECT
    b.Record(37, {1});                         // EMR_SELECTOBJECT
    for (uint32_t i = 0; i < 10; ++i)
        b.Record(42, {i * 100, i * 130, i * 100 + 80, i * 130 + 80}); // EMR_ELLIPSE
    ASSERT_TRUE(Open({MakeFile(QStringLiteral("poster.emf"), b.Bytes())}));
    settle(100);
    ASSERT_NE(ActiveView(), nullptr);
    ActiveView()->m_dZoom = 1.0;
    ActiveView()->ApplyFitOption(FIT_ZOOM);
    QPrinter* printer = app->GetPrinter();
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);

    auto previewPages = [&] {
        int count = -1;
        QList<int> visited;
        testenv::OnNextModal([&](QDialog* d) {
            auto* widget = d->findChild<QPrintPreviewWidget*>();
            ASSERT_NE(widget, nullptr);
            count = widget->pageCount();
            for (int page = 1; page <= count; ++page) {
                widget->setCurrentPage(page);
                visited << widget->currentPage();
            }
            d->reject();
        });
        MainFrame()->SendCommand(ID_FILE_PRINT_PREVIEW);
        EXPECT_EQ(visited.size(), count);
        return count;
    };
    EXPECT_EQ(previewPages(), 4);

    // Print Setup: landscape A4 is 2 pages across and 3 down.
    testenv::OnNextModal([](QDialog* d) {
        QRadioButton* landscape = nullptr;
        for (QRadioButton* r : d->findChildren<QRadioButton*>())
            if (r->text().remove(QLatin1Char('&')).contains(QLatin1String("Landscape")))
                landscape = r;
        ASSERT_NE(landscape, nullptr);
        landscape->click();
        EXPECT_TRUE(landscape->isChecked());
        d->accept();
    });
    MainFrame()->SendCommand(ID_FILE_PRINT_SETUP);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(previewPages(), 6);
}
