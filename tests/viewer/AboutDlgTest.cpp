// The About box: the version line from a version block, the layout of its
// boxes, the window height rule and what it paints.
#include "platform/gdi/CDC.h"
#include "platform/gdi/QPainterBackend.h"
#include "tests/common/ModalDialog.h"
#include "tests/common/TestEnvironment.h"
#include "tests/viewer/VersionModule.h"
#include "owutil/draw/OwLogo.h"
#include "viewer/dialogs/CAboutDlg.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QRect box(QDialog* d, int id) { return CDialog::FindDlgItem(d, id)->geometry(); }

// Runs the dialog, hands it to look while it shows, and closes it.
void showAndLook(CAboutDlg& dlg, const std::function<void(CAboutDlg*)>& look)
{
    testenv::OnNextModal([&dlg, &look](QDialog* d) {
        look(&dlg);
        qobject_cast<QPushButton*>(CDialog::FindDlgItem(d, IDOK))->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

int whitePixels(const QImage& img, const QRect& area)
{
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += qGray(img.pixel(x, y)) > 200 && qBlue(img.pixel(x, y)) > 200;
    return n;
}

} // namespace

TEST(AboutDlgTest, TheVersionLineNamesReleasesAndCandidates)
{
    EXPECT_EQ(CAboutDlg::FormatVersionLine("Lumivue", "9, 0, 0, 99"), "Lumivue Version 9.0");
    EXPECT_EQ(CAboutDlg::FormatVersionLine("Lumivue", "9, 1, 2, 3"), "Lumivue Version 9.1.2 RC3");
    EXPECT_EQ(CAboutDlg::FormatVersionLine("Lumivue", "9, 1, 0, 0"), "Lumivue Version 9.1");
    EXPECT_EQ(CAboutDlg::FormatVersionLine("Lumivue", "10,2,1,99"), "Lumivue Version 10.2.1");
    // Missing numbers read as 0.
    EXPECT_EQ(CAboutDlg::FormatVersionLine("X", "3"), "X Version 3.0");
}

TEST(AboutDlgTest, ShowsTheProgramsOwnVersionBlock)
{
    CAboutDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "About Lumivue");
    EXPECT_TRUE(dlg.VersionLine().isEmpty());
    showAndLook(dlg, [](CAboutDlg* d) {
        EXPECT_EQ(d->VersionLine(), "Lumivue Version 9.0");
        EXPECT_TRUE(d->LegalNotice().startsWith("Copyright")) << d->LegalNotice().toStdString();
        EXPECT_TRUE(d->accessibleDescription().startsWith("Lumivue Version 9.0"));
        EXPECT_EQ(qobject_cast<QPushButton*>(d->GetDlgItem(IDOK))->text(), "&Close");
        EXPECT_FALSE(d->GetDlgItem(CAboutDlg::IDC_INFO_BOX)->isVisible());
        EXPECT_FALSE(d->GetDlgItem(CAboutDlg::IDC_LOGO_BOX)->isVisible());
    });
}

TEST(AboutDlgTest, AModuleWithoutAVersionBlockLeavesBothTextsEmpty)
{
    CAboutDlg dlg;
    dlg.SetModulePath(testenv::Home() + "/no-such-program");
    showAndLook(dlg, [](CAboutDlg* d) {
        EXPECT_TRUE(d->VersionLine().isEmpty());
        EXPECT_TRUE(d->LegalNotice().isEmpty());
        // Nothing white in the info box.
        const QImage shot = d->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const qreal ratio = shot.devicePixelRatio();
        const QRect info = d->GetDlgItem(CAboutDlg::IDC_INFO_BOX)->geometry();
        EXPECT_EQ(whitePixels(shot, QRect(info.topLeft() * ratio, info.size() * ratio)), 0);
    });
}

TEST(AboutDlgTest, TheBoxesFollowTheirConstraintsAndTheHeightRuleHolds)
{
    CAboutDlg dlg;
    showAndLook(dlg, [](CAboutDlg* d) {
        const int w = d->width();
        const QRect logo = box(d, CAboutDlg::IDC_LOGO_BOX), info = box(d, CAboutDlg::IDC_INFO_BOX);
        const QRect close = box(d, IDOK);
        EXPECT_EQ(logo.topLeft(), QPoint(10, 10));
        EXPECT_EQ(logo.left() + logo.width(), qRound(w * 0.3));
        EXPECT_EQ(info.left(), qRound(w * 0.3));
        EXPECT_EQ(info.left() + info.width(), w - 10);
        EXPECT_EQ(info.top(), 10);
        EXPECT_EQ(info.height(), 150);
        EXPECT_EQ(close.left() + close.width(), w - 10);
        EXPECT_EQ(close.top() + close.height(), d->height() - 10);

        CRect margin(0, 0, 10, 10);
        d->DialogUnits().MapDialogRect(margin);
        const int byText = info.top() + info.height() + d->CaptionHeight() + close.height() + margin.Height();
        const int byBanner = OwUtil::PaintClientAreaLogo(nullptr, CRect(0, 0, w, d->height())) + logo.height() +
                             2 * margin.Height();
        EXPECT_GT(byBanner, 0);
        EXPECT_EQ(d->WindowHeight(), std::max(byText, byBanner));
        EXPECT_EQ(d->height() + d->CaptionHeight(), d->WindowHeight());
        EXPECT_EQ(w, d->DialogUnits().MapSize(318, 237).width());

        // Wider, the boxes follow.
        d->resize(w + 100, d->height());
        EXPECT_EQ(box(d, CAboutDlg::IDC_INFO_BOX).left() + box(d, CAboutDlg::IDC_INFO_BOX).width(), w + 90);
        EXPECT_EQ(box(d, IDOK).left() + box(d, IDOK).width(), w + 90);
    });
}

TEST(AboutDlgTest, PaintsBlackTheBannerAlongTheBottomAndTheLogoWithoutItsMagenta)
{
    CAboutDlg dlg;
    showAndLook(dlg, [](CAboutDlg* d) {
        QImage canvas(d->size(), QImage::Format_RGB32);
        canvas.fill(qRgb(255, 0, 0));
        {
            CDC dc(std::make_unique<QPainterBackend>(&canvas));
            d->PaintClientArea(dc);
        }
        // Black above the banner, outside the logo.
        EXPECT_EQ(canvas.pixel(d->width() - 3, 3) & 0xffffff, 0u);
        const int banner = OwUtil::PaintClientAreaLogo(nullptr, CRect(0, 0, d->width(), d->height()));
        int lit = 0;
        for (int x = 0; x < d->width(); ++x)
            lit += qGray(canvas.pixel(x, d->height() - 3)) > 8;
        EXPECT_GT(lit, d->width() / 4);
        EXPECT_EQ(canvas.pixel(d->width() - 3, d->height() - banner - 2) & 0xffffff, 0u);
        // The logo is there, and none of its transparent magenta is.
        const QRect logo = box(d, CAboutDlg::IDC_LOGO_BOX);
        int coloured = 0, magenta = 0;
        for (int y = 0; y < d->height(); ++y)
            for (int x = 0; x < d->width(); ++x) {
                const QRgb p = canvas.pixel(x, y);
                magenta += qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) > 200;
                coloured += logo.contains(x, y) && qBlue(p) > 150;
            }
        EXPECT_EQ(magenta, 0);
        EXPECT_GT(coloured, 500);
    });
}
