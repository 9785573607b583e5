// The task-tray icon's two parts without a tray host: creation, texts, the
// window part's place, and what a click on the icon does to the parent.
#include "owutil/ui/CTaskbarIcon.h"
#include "owutil/ui/CTaskbarIconHelper.h"
#include "owutil/ui/CTaskbarWindowHelper.h"

#include <QApplication>
#include <QMainWindow>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

QIcon square(int size, Qt::GlobalColor c)
{
    QPixmap p(size, size);
    p.fill(c);
    return QIcon(p);
}

} // namespace

TEST(CTaskbarIconTest, HideAndShowBeforeCreateDoNothing)
{
    CTaskbarIcon tray;
    tray.Hide();
    tray.Show();
    tray.SetText(QStringLiteral("x"));
    EXPECT_EQ(tray.IconPart(), nullptr);
    EXPECT_EQ(tray.WindowPart(), nullptr);
}

TEST(CTaskbarIconTest, CreateMakesBothPartsOnce)
{
    QMainWindow parent;
    CTaskbarIcon tray;
    ASSERT_TRUE(tray.Create(&parent, square(16, Qt::red), square(32, Qt::blue), QStringLiteral("Lumivue"), 0, 0));
    ASSERT_NE(tray.IconPart(), nullptr);
    ASSERT_NE(tray.WindowPart(), nullptr);
    EXPECT_EQ(tray.IconPart()->GetID(), 0u);
    EXPECT_EQ(tray.IconPart()->GetTooltipText(), "Lumivue");
    EXPECT_EQ(tray.WindowPart()->windowTitle(), "Lumivue");
    EXPECT_EQ(tray.WindowPart()->parentWidget(), &parent);
    EXPECT_EQ(tray.WindowPart()->geometry(), QRect(-100, -100, 101, 101));
    EXPECT_FALSE(tray.WindowPart()->windowIcon().isNull());
    EXPECT_FALSE(tray.Create(&parent, QIcon(), QIcon(), QString()));

    tray.SetIconText(QStringLiteral("tip"));
    tray.SetWindowText(QStringLiteral("caption"));
    EXPECT_EQ(tray.IconPart()->GetTooltipText(), "tip");
    EXPECT_EQ(tray.WindowPart()->windowTitle(), "caption");

    tray.Show();
    EXPECT_TRUE(tray.WindowPart()->isVisible());
    EXPECT_TRUE(tray.WindowPart()->isMinimized());
    EXPECT_EQ(tray.WindowPart()->pos(), QPoint(-100, -100));
    tray.Hide();
    EXPECT_FALSE(tray.WindowPart()->isVisible());
    EXPECT_FALSE(tray.IconPart()->IsShowing());
}

TEST(CTaskbarIconTest, ClickRestoresTheParentAsItWas)
{
    QMainWindow parent;
    CTaskbarIcon tray;
    ASSERT_TRUE(tray.Create(&parent, square(16, Qt::red), square(32, Qt::blue), QStringLiteral("t")));
    parent.showMaximized();
    parent.showMinimized();
    parent.hide();
    tray.IconPart()->OnLButtonDown();
    EXPECT_TRUE(parent.isVisible());
    EXPECT_FALSE(parent.isMinimized());
    EXPECT_TRUE(parent.isMaximized());

    parent.showNormal();
    parent.showMinimized();
    tray.WindowPart()->OnSetFocus();
    EXPECT_FALSE(parent.isMinimized());
    EXPECT_FALSE(parent.isMaximized());
}
