#pragma once
// Driving the viewer's windows as a user does on a real X server: menus
// opened and items chosen with the mouse, and modal dialogs acted on once
// they show.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace testenv {

inline void Settle(int ms = 150)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Acts on the first modal dialog that shows within five seconds; a dialog
// act leaves open is closed (and fails the test) so that no test waits.
inline void WhenModalShows(std::function<void(QDialog*)> act)
{
    auto* timer = new QTimer(qApp);
    auto* waited = new QElapsedTimer;
    waited->start();
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, waited, act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            if (waited->elapsed() > 5000) {
                ADD_FAILURE() << "no modal dialog showed";
                timer->deleteLater();
                delete waited;
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        delete waited;
        Settle(100);
        act(dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog->done(-1);
        }
    });
    timer->start(20);
}

// Clicks the menu bar's popup title, then its item text.
inline void ChooseMenuItem(QMainWindow* window, const QString& popup, const QString& item)
{
    QMenuBar* bar = window->menuBar();
    QAction* title = nullptr;
    for (QAction* a : bar->actions())
        if (a->text() == popup)
            title = a;
    ASSERT_NE(title, nullptr) << popup.toStdString();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
    QMenu* menu = title->menu();
    ASSERT_NE(menu, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), 3000);
    QAction* entry = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == item)
            entry = a;
    ASSERT_NE(entry, nullptr) << item.toStdString();
    ASSERT_TRUE(entry->isEnabled()) << item.toStdString();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
}

} // namespace testenv
