// The About box on a real X server: opened from the Help menu, its text and
// height, and a long legal notice that wraps inside the information box.
#include "StartupFixture.h"
#include "UserDriving.h"
#include "VersionModule.h"

#include "viewer/dialogs/CAboutDlg.h"
#include "viewer/frame/CMainFrame.h"

#include <QPushButton>
#include <QScreen>

namespace {

// The rows and columns of dialog d that hold white text pixels, in the
// dialog's logical pixels, as the screen shows them; the Close button's own
// caption is not counted.
QRect whiteText(QDialog* d)
{
    const QImage shot = d->screen()->grabWindow(d->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = shot.devicePixelRatio();
    const QRect close = d->findChild<QWidget*>("ctl1")->geometry();
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            if (close.contains(QPoint(int(x / ratio), int(y / ratio))))
                continue;
            const QRgb p = shot.pixel(x, y);
            if (qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    if (right < 0)
        return QRect();
    return QRect(QPoint(int(left / ratio), int(top / ratio)), QPoint(int(right / ratio), int(bottom / ratio)));
}

} // namespace

TEST_F(StartupTest, AboutFromTheHelpMenuShowsTheVersionAndKeepsItsHeightRule)
{
    ASSERT_TRUE(Start({}));
    testenv::Settle();
    testenv::WhenModalShows([](QDialog* d) {
        auto* about = qobject_cast<CAboutDlg*>(d);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(d->windowTitle(), "About Lumivue");
        EXPECT_EQ(about->VersionLine(), "Lumivue Version 9.0");
        EXPECT_EQ(d->height() + about->CaptionHeight(), about->WindowHeight());
        // The text is drawn inside the information box.
        const QRect info = d->findChild<QWidget*>("ctl1012")->geometry();
        const QRect text = whiteText(d);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_GE(text.left(), info.left() - 1);
        EXPECT_LE(text.right(), info.right() + 1);
        EXPECT_GE(text.top(), info.top() - 1);
        auto* close = qobject_cast<QPushButton*>(about->GetDlgItem(IDOK));
        QTest::mouseClick(close, Qt::LeftButton);
    });
    testenv::ChooseMenuItem(MainFrame(), "&Help", "&About Lumivu...");
}

TEST_F(StartupTest, ALongLegalNoticeWrapsInsideTheInfoBoxAndIsNotClipped)
{
    ASSERT_TRUE(Start({}));
    testenv::Settle();
    QByteArray notice = "Copyright 2026 Orrery Works.";
    while (notice.size() < 900)
        notice += " Licensed to the person who installed it, who may show it to friends and family.";
    const QString module = testenv::Home() + "/long-notice-module";
    ASSERT_TRUE(testenv::WriteVersionModule(
        module, {{"ProductName", "Lumivue"}, {"ProductVersion", "9, 1, 2, 3"}, {"LegalCopyright", notice}}));

    CAboutDlg dlg;
    dlg.SetModulePath(module);
    testenv::WhenModalShows([](QDialog* d) {
        auto* about = qobject_cast<CAboutDlg*>(d);
        EXPECT_EQ(about->VersionLine(), "Lumivue Version 9.1.2 RC3");
        const QRect info = d->findChild<QWidget*>("ctl1012")->geometry();
        const QRect text = whiteText(d);
        ASSERT_FALSE(text.isEmpty());
        // Broken into lines no wider than the box...
        EXPECT_GE(text.left(), info.left() - 1);
        EXPECT_LE(text.right(), info.right() + 1);
        EXPECT_GT(text.right(), info.left() + info.width() * 3 / 4);
        // ... and going on below the box rather than cut at its bottom.
        EXPECT_GT(text.bottom(), info.bottom() + 10);
        QTest::keyClick(d, Qt::Key_Escape);
    });
    dlg.DoModal();
}
