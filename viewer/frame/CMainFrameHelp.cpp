// The main frame's help: WinHelp, F1 on a highlighted menu item, and the
// context-help mode of Shift+F1.
#include "CMainFrame.h"

#include "framework/app/CWinApp.h"
#include "framework/app/HelpIds.h"
#include "framework/except/CException.h"
#include "framework/frame/MenuBuilder.h"
#include "platform/help/HtmlHelp.h"
#include "viewer/resources/Resource.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

namespace {
constexpr DWORD kDefaultTopic = 1001;
} // namespace

DWORD CMainFrame::HelpTopic(DWORD data, UINT cmd)
{
    // The main frame's and the document frames' own ids go to the overview.
    const DWORD resource = data - HID_BASE_RESOURCE;
    if (cmd != HELP_CONTEXT || (resource >= IDR_MAINFRAME && resource <= IDR_PCXTYPE))
        return kDefaultTopic;
    return data;
}

void CMainFrame::WinHelp(DWORD data, UINT cmd)
{
    // 1. Leave every tracking mode before help takes over.
    EndContextHelp();
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    QApplication::setOverrideCursor(Qt::WaitCursor);

    // 2. The topic.
    const DWORD topic = HelpTopic(data, cmd);
    const QString file = AfxGetApp() ? AfxGetApp()->m_pszHelpFilePath : QString();

    // 3 and 4.
    const bool shown = HtmlHelp(window(), file, HH_HELP_CONTEXT, topic) != nullptr;
    QApplication::restoreOverrideCursor();
    if (!shown) {
        HtmlHelp(window(), file, HH_HELP_CONTEXT, kDefaultTopic);
        AfxMessageBox(QStringLiteral("Unable to load help file [%1], or the topic 0x%2 (%3) does not exist!")
                          .arg(file, QString::number(topic, 16).toUpper(), QString::number(topic)),
                      MB_OK);
    }
}

void CMainFrame::OnHelp()
{
    // F1: the command of a highlighted menu item, else the active frame.
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        if (QAction* a = menu->activeAction(); a && MenuBuilder::CommandId(a) != 0) {
            WinHelp(HID_BASE_COMMAND + MenuBuilder::CommandId(a), HELP_CONTEXT);
            return;
        }
    CFrameWnd* active = GetActiveFrame();
    WinHelp(HID_BASE_RESOURCE + (active ? active->m_nIDHelp : IDR_MAINFRAME), HELP_CONTEXT);
}

void CMainFrame::OnContextHelp()
{
    if (m_contextHelp)
        return;
    m_contextHelp = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

void CMainFrame::EndContextHelp()
{
    if (!m_contextHelp)
        return;
    m_contextHelp = false;
    QApplication::restoreOverrideCursor();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) && !m_contextHelp) {
        // F1 while a menu is open asks about its highlighted item, before the
        // accelerator of F1 (which asks about the window) can take the key.
        auto* key = static_cast<QKeyEvent*>(event);
        if (auto* menu = qobject_cast<QMenu*>(watched); menu && key->key() == Qt::Key_F1) {
            const UINT command = MenuBuilder::CommandId(menu->activeAction());
            if (command == 0)
                return false;
            menu->close();
            WinHelp(HID_BASE_COMMAND + command, HELP_CONTEXT);
            return true;
        }
    }
    if (!m_contextHelp)
        return CMDIFrameWnd::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        EndContextHelp();
        return true;
    }
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return CMDIFrameWnd::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || event->type() == QEvent::MouseButtonRelease)
        return widget != nullptr && !qobject_cast<QMenu*>(widget) && !qobject_cast<QMenuBar*>(widget);
    // The click names a menu item, a toolbar button, or a window.
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    UINT command = 0;
    if (auto* menu = qobject_cast<QMenu*>(widget))
        command = MenuBuilder::CommandId(menu->actionAt(at));
    else if (qobject_cast<QMenuBar*>(widget))
        return false; // opening a popup: the item inside is what is asked about
    else
        command = widget->property("id").toUInt();
    EndContextHelp();
    if (auto* menu = qobject_cast<QMenu*>(widget))
        menu->close();
    if (command >= 0x8000 && command < 0xF000 && widget->inherits("QToolButton"))
        WinHelp(HID_BASE_COMMAND + command, HELP_CONTEXT);
    else if (qobject_cast<QMenu*>(widget) && command != 0)
        WinHelp(HID_BASE_COMMAND + command, HELP_CONTEXT);
    else {
        CFrameWnd* active = GetActiveFrame();
        WinHelp(HID_BASE_RESOURCE + (active ? active->m_nIDHelp : IDR_MAINFRAME), HELP_CONTEXT);
    }
    return true;
}
