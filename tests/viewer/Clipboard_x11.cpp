// Copy to Clipboard and the two captures in the real program on an X
// server, read back through the X clipboard with xclip as another program
// would: the metafile's formats and bytes, the captured view's pixels, the
// bitmap file, and a region dragged with the real pointer (xdotool).
#include "StartupFixture.h"
#include "UserDriving.h"

#include "framework/frame/CMDIChildWnd.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/ui/KeyState.h"
#include "tests/common/TestEnvironment.h"
#include "toolkit/COXSplashWnd.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/frame/CMainFrame.h"
#include "viewer/view/CLumivueView.h"
#include "view/ViewFixture.h"

#include <Magick++.h>
#include <QBuffer>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

using testenv::Settle;

namespace {

QString corpus(const char* path) { return testenv::CorpusDir() + QLatin1Char('/') + QLatin1String(path); }

// Runs a program while this process keeps serving its events: xclip asks
// this very process for the clipboard's contents.
QByteArray run(const QString& program, const QStringList& args, int ms = 10000)
{
    QProcess p;
    p.start(program, args);
    QElapsedTimer t;
    t.start();
    while (p.state() != QProcess::NotRunning && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(1000);
        ADD_FAILURE() << program.toStdString() << " did not finish";
    }
    return p.readAllStandardOutput();
}

QByteArray xclip(const QString& target)
{
    return run(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                                         target, QStringLiteral("-o")});
}

// Pixels of a and b (same size) that differ in any channel by more than 8.
int differing(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8 || std::abs(qBlue(p) - qBlue(q)) > 8)
                ++n;
        }
    return n;
}

// Waits for a modal dialog of type T to be the active one.
template <class T>
T* waitForModal(int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget()); d && d->isVisible())
            return d;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return nullptr;
}

QPushButton* button(QWidget* dialog, int id)
{
    for (auto* b : dialog->findChildren<QPushButton*>())
        if (b->property("id").toInt() == id)
            return b;
    return nullptr;
}

} // namespace

class ClipboardTest : public StartupTest {
protected:
    void SetUp() override
    {
        StartupTest::SetUp();
        if (!QFileInfo::exists(corpus("libemf2svg/tests/resources/emf/test-031.emf")))
            GTEST_SKIP() << "the shared corpus is not beside the repository";
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            GTEST_SKIP() << "xclip is not installed";
    }

    bool Open(const QString& file, bool maximized = true)
    {
        WriteSetting(QStringLiteral("Settings/MaximizeChildren"), maximized ? 1 : 0);
        if (!Start({QStringLiteral("-Open"), file}))
            return false;
        SetKeyStateHook({});
        MainFrame()->activateWindow();
        if (!QTest::qWaitForWindowActive(MainFrame()))
            return false;
        // The splash window stays on top for three seconds: the screen
        // would show it over the view.
        QElapsedTimer t;
        t.start();
        auto splashShows = [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<COXSplashWnd*>(w) && w->isVisible())
                    return true;
            return false;
        };
        while (splashShows() && t.elapsed() < 6000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return ViewTest::PaintingEnds(View());
    }

    CLumivueView* View() const
    {
        CMDIChildWnd* child = MainFrame()->MDIGetActive();
        return child ? dynamic_cast<CLumivueView*>(child->GetActiveView()) : nullptr;
    }

    void Choose(const char* item) { testenv::ChooseMenuItem(MainFrame(), QStringLiteral("&Edit"), QString::fromUtf8(item)); }
};

TEST_F(ClipboardTest, CopyPutsTheMetafileOnTheXClipboardForOtherPrograms)
{
    const QString file = corpus("libemf2svg/tests/resources/emf/test-031.emf");
    ASSERT_TRUE(Open(file));
    Choose("&Copy to Clipboard\tCtrl+C");
    Settle(200);
    EXPECT_TRUE(testenv::Messages().empty());

    const QByteArray targets = xclip(QStringLiteral("TARGETS"));
    EXPECT_TRUE(targets.contains("image/emf")) << targets.toStdString();
    EXPECT_TRUE(targets.contains("image/x-emf")) << targets.toStdString();
    EXPECT_TRUE(targets.contains("image/png")) << targets.toStdString();

    // The EMF another program pastes is the document's metafile.
    const QByteArray emf = xclip(QStringLiteral("image/emf"));
    QFile original(file);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray expected = original.readAll();
    EXPECT_EQ(emf, expected);
    EnhMetaFilePtr pasted(SetEnhMetaFileBits(UINT(emf.size()), reinterpret_cast<const BYTE*>(emf.constData())));
    ASSERT_TRUE(pasted);

    // Its PNG is the metafile drawn at its natural size.
    QImage png;
    ASSERT_TRUE(png.loadFromData(xclip(QStringLiteral("image/png")), "PNG"));
    const QImage rendered = RenderEnhMetaFileForClipboard(pasted.get());
    ASSERT_EQ(png.size(), rendered.size());
    EXPECT_LE(differing(png.convertToFormat(QImage::Format_ARGB32), rendered.convertToFormat(QImage::Format_ARGB32)),
              png.width() * png.height() / 100);
}

TEST_F(ClipboardTest, CopyOnARasterDocumentSaysTheClipboardRefusedIt)
{
    QImage photo(64, 48, QImage::Format_RGB32);
    photo.fill(qRgb(200, 40, 40));
    const QString path = MakeFile(QStringLiteral("photo.png"), {});
    ASSERT_TRUE(photo.save(path, "PNG"));
    ASSERT_TRUE(Open(path));
    QTest::keyClick(View(), Qt::Key_C, Qt::ControlModifier);
    Settle(200);
    ASSERT_EQ(testenv::Messages().size(), 1u);
    EXPECT_EQ(testenv::Messages()[0].text, QStringLiteral("Unable to set Clipboard data!"));
    EXPECT_EQ(testenv::Messages()[0].caption, QString());
    EXPECT_EQ(testenv::Messages()[0].type, 0u);
}

TEST_F(ClipboardTest, CaptureWindowToTheClipboardGivesTheViewsPixels)
{
    ASSERT_TRUE(Open(corpus("libemf2svg/tests/resources/emf/test-031.emf")));
    QWidget* client = View()->viewport();
    const QImage shown = client->grab().toImage().convertToFormat(QImage::Format_RGB32);
    testenv::WhenModalShows([](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Select Image Destination"));
        QPushButton* clip = button(d, IDYES);
        ASSERT_NE(clip, nullptr);
        EXPECT_EQ(clip->text(), QStringLiteral("Clipboard"));
        EXPECT_TRUE(clip->isDefault());
        QTest::mouseClick(clip, Qt::LeftButton);
    });
    Choose("Capture &Window");
    Settle(300);
    EXPECT_TRUE(testenv::Messages().empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    const QByteArray targets = xclip(QStringLiteral("TARGETS"));
    EXPECT_TRUE(targets.contains("image/bmp")) << targets.toStdString();
    QImage png;
    ASSERT_TRUE(png.loadFromData(xclip(QStringLiteral("image/png")), "PNG"));
    ASSERT_EQ(png.size(), client->size());
    EXPECT_LE(differing(png.convertToFormat(QImage::Format_RGB32), shown), png.width() * png.height() / 200);
    QImage bmp;
    ASSERT_TRUE(bmp.loadFromData(xclip(QStringLiteral("image/bmp")), "BMP"));
    EXPECT_EQ(bmp.size(), client->size());
}

TEST_F(ClipboardTest, CaptureWindowToAFileAfterACancelledFileDialog)
{
    ASSERT_TRUE(Open(corpus("libemf2svg/tests/resources/emf/test-031.emf")));
    const QString path = testenv::Home() + QStringLiteral("/capture");
    QFile::remove(path + QStringLiteral(".bmp"));
    const QSize client = View()->viewport()->size();
    bool stillOpenAfterCancel = false;
    testenv::WhenModalShows([&](QDialog* d) {
        QTimer::singleShot(0, [] {
            QFileDialog* files = waitForModal<QFileDialog>();
            ASSERT_NE(files, nullptr);
            EXPECT_EQ(files->defaultSuffix(), QStringLiteral("bmp"));
            EXPECT_EQ(files->nameFilters().first(), QStringLiteral("Windows Bitmap (*.bmp)"));
            files->reject();
        });
        QTest::mouseClick(button(d, IDNO), Qt::LeftButton);
        Settle(100);
        // Cancel in the file dialog keeps the destination dialog open.
        stillOpenAfterCancel = d->isVisible();
        QTimer::singleShot(0, [&] {
            QFileDialog* files = waitForModal<QFileDialog>();
            ASSERT_NE(files, nullptr);
            auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        QTest::mouseClick(button(d, IDNO), Qt::LeftButton);
    });
    Choose("Capture &Window");
    Settle(300);
    EXPECT_TRUE(stillOpenAfterCancel);
    const QString written = path + QStringLiteral(".bmp");
    ASSERT_TRUE(QFileInfo::exists(written));
    // GraphicsMagick's BMP reader, not Qt's: another program's view of the file.
    Magick::InitializeMagick(nullptr);
    Magick::Image image;
    try {
        image.read(written.toStdString());
    } catch (const Magick::Exception& e) {
        FAIL() << e.what();
    }
    EXPECT_EQ(int(image.columns()), client.width());
    EXPECT_EQ(int(image.rows()), client.height());
    EXPECT_EQ(image.magick(), "BMP");
}

TEST_F(ClipboardTest, CaptureRegionDraggedWithThePointer)
{
    ASSERT_TRUE(Open(corpus("libemf2svg/tests/resources/emf/test-031.emf")));
    const QPoint from = View()->viewport()->mapToGlobal(QPoint(20, 30));
    const QPoint to = from + QPoint(150, 90);
    const QImage screen = MainFrame()->screen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    Choose("Capture &Rectangle Region");
    Settle(200);
    EXPECT_TRUE(View()->m_bCaptureRegion);
    EXPECT_EQ(QWidget::mouseGrabber(), View()->viewport());

    bool rubberBandShown = false;
    testenv::WhenModalShows([](QDialog* d) { QTest::mouseClick(button(d, IDYES), Qt::LeftButton); });
    auto* pointer = new QProcess(qApp);
    QTimer::singleShot(0, [&] {
        pointer->start(QStringLiteral("sh"),
                       {QStringLiteral("-c"), QStringLiteral("xdotool mousemove %1 %2 mousedown 1 sleep 0.6 mousemove %3 %4 "
                                                             "sleep 0.3 mousemove %5 %6 sleep 0.6 mouseup 1")
                                                  .arg(from.x()).arg(from.y())
                                                  .arg(from.x() + 40).arg(from.y() + 40)
                                                  .arg(to.x()).arg(to.y())});
    });
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("grabTracker") && w->isVisible())
                rubberBandShown = true;
    });
    probe.start(50);
    QElapsedTimer t;
    t.start();
    while ((pointer->state() != QProcess::NotRunning || View()->m_bCaptureRegion || QApplication::activeModalWidget()) &&
           t.elapsed() < 15000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    probe.stop();
    Settle(300);
    EXPECT_TRUE(rubberBandShown);
    EXPECT_FALSE(View()->m_bCaptureRegion);
    EXPECT_TRUE(testenv::Messages().empty());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    QImage png;
    ASSERT_TRUE(png.loadFromData(xclip(QStringLiteral("image/png")), "PNG"));
    ASSERT_EQ(png.size(), QSize(to.x() - from.x(), to.y() - from.y()));
    const QImage expected = screen.copy(QRect(from, png.size()));
    EXPECT_LE(differing(png.convertToFormat(QImage::Format_RGB32), expected), png.width() * png.height() / 100);
}

TEST_F(ClipboardTest, CaptureRegionClickOutsideTheMainWindowGrabsNothing)
{
    ASSERT_TRUE(Open(corpus("libemf2svg/tests/resources/emf/test-031.emf")));
    MainFrame()->showNormal();
    MainFrame()->setGeometry(40, 40, 600, 450);
    Settle(300);
    // Something known on the clipboard, to see that nothing replaces it.
    run(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("printf before | xclip -selection clipboard")});
    Settle(200);
    Choose("Capture &Rectangle Region");
    Settle(200);
    ASSERT_TRUE(View()->m_bCaptureRegion);
    run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("1100"), QStringLiteral("900"),
                                    QStringLiteral("click"), QStringLiteral("1")});
    Settle(400);
    EXPECT_FALSE(View()->m_bCaptureRegion);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(testenv::Messages().empty());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(xclip(QStringLiteral("UTF8_STRING")), QByteArray("before"));
}

TEST_F(ClipboardTest, EscapeCancelsTheRubberBandWithoutAMessage)
{
    ASSERT_TRUE(Open(corpus("libemf2svg/tests/resources/emf/test-031.emf")));
    const QPoint from = View()->viewport()->mapToGlobal(QPoint(40, 40));
    Choose("Capture &Rectangle Region");
    Settle(200);
    auto* user = new QProcess(qApp);
    QTimer::singleShot(0, [&] {
        user->start(QStringLiteral("sh"), {QStringLiteral("-c"),
                                           QStringLiteral("xdotool mousemove %1 %2 mousedown 1 sleep 0.6 mousemove %3 %4 "
                                                          "sleep 0.3 key Escape sleep 0.3 mouseup 1")
                                               .arg(from.x()).arg(from.y()).arg(from.x() + 80).arg(from.y() + 60)});
    });
    QElapsedTimer t;
    t.start();
    while ((user->state() != QProcess::NotRunning || View()->m_bCaptureRegion) && t.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    Settle(300);
    EXPECT_FALSE(View()->m_bCaptureRegion);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(testenv::Messages().empty());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == QLatin1String("grabTracker") && w->isVisible());
}

TEST_F(ClipboardTest, CaptureWindowOfAWindowReachingPastTheScreenIsWhole)
{
    ASSERT_TRUE(Open(corpus("libemf2svg/tests/resources/emf/test-031.emf")));
    MainFrame()->showNormal();
    MainFrame()->setGeometry(900, 100, 700, 500);
    Settle(300);
    ASSERT_TRUE(ViewTest::PaintingEnds(View()));
    QWidget* client = View()->viewport();
    ASSERT_GT(client->mapToGlobal(QPoint(client->width(), 0)).x(), MainFrame()->screen()->geometry().right());
    const QImage shown = client->grab().toImage().convertToFormat(QImage::Format_RGB32);
    testenv::WhenModalShows([](QDialog* d) { QTest::mouseClick(button(d, IDYES), Qt::LeftButton); });
    Choose("Capture &Window");
    Settle(300);
    QImage png;
    ASSERT_TRUE(png.loadFromData(xclip(QStringLiteral("image/png")), "PNG"));
    ASSERT_EQ(png.size(), client->size());
    // No black band where the screen ends.
    EXPECT_LE(differing(png.convertToFormat(QImage::Format_RGB32), shown), png.width() * png.height() / 200);
}
