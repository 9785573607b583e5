// The status bar's panes: indicators, lookup by id, texts and widths.
#include "framework/app/CWinApp.h"
#include "toolkit/COXStatusBar.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QMainWindow>
#include <gtest/gtest.h>

TEST(COXStatusBarTest, IndicatorsAndPaneTexts)
{
    CModule module("StatusBarTest");
    module.AddString(59200, QString(15, ' '));
    HINSTANCE old = AfxGetResourceHandle();
    AfxSetResourceHandle(&module);

    QMainWindow frame;
    auto* bar = new COXStatusBar;
    ASSERT_TRUE(bar->Create(&frame, 0, 0xE801));
    EXPECT_EQ(frame.statusBar(), bar);
    EXPECT_FALSE(bar->SetIndicators(nullptr, 2));
    const UINT ids[] = {0, 59200, 59201};
    EXPECT_FALSE(bar->SetIndicators(ids, 0));
    ASSERT_TRUE(bar->SetIndicators(ids, 3));
    EXPECT_EQ(bar->GetCount(), 3);
    EXPECT_EQ(bar->CommandToIndex(59200), 1);
    EXPECT_EQ(bar->CommandToIndex(12345), -1);
    EXPECT_EQ(bar->GetItemID(2), 59201u);
    EXPECT_EQ(bar->GetItemID(7), 0u);
    QLabel* zoom = bar->GetPane(1);
    EXPECT_GE(zoom->minimumWidth(), zoom->fontMetrics().horizontalAdvance(QString(15, ' ')));
    EXPECT_EQ(zoom->property("id").toUInt(), 59200u);

    EXPECT_TRUE(bar->SetPaneText(1, QStringLiteral("250 %"), QColor(Qt::red)));
    EXPECT_EQ(bar->GetPaneText(1), "250 %");
    EXPECT_EQ(zoom->accessibleName(), "250 %");
    EXPECT_EQ(zoom->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(bar->SetPaneText(3, QStringLiteral("x")));
    EXPECT_FALSE(bar->SetPaneText(-1, QStringLiteral("x")));
    bar->SetIdleMessage(QStringLiteral("Ready"));
    EXPECT_EQ(bar->GetPaneText(0), "Ready");
    EXPECT_EQ(bar->GetPane(0)->accessibleName(), "Message");

    // New indicators replace the old panes.
    const UINT one[] = {0};
    ASSERT_TRUE(bar->SetIndicators(one, 1));
    EXPECT_EQ(bar->GetCount(), 1);
    EXPECT_EQ(bar->findChildren<QLabel*>().size(), 1);

    // The notification reaches the owner with the pane's id.
    UINT notified = 0;
    bar->m_notify = [&](UINT msg, UINT id) -> LRESULT {
        EXPECT_EQ(msg, COXStatusBar::WM_OX_PANE_NOTIFY);
        notified = id;
        return 1;
    };
    ASSERT_TRUE(bar->SetIndicators(ids, 3));
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(bar->GetPane(2), &dbl);
    EXPECT_EQ(notified, 59201u);
    AfxSetResourceHandle(old);
}
