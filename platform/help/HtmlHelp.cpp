#include "HtmlHelp.h"

#include "HtmlHelpWindow.h"

#include <QPointer>

namespace {
QPointer<HtmlHelpWindow> s_window;
} // namespace

HtmlHelpWindow* HtmlHelpWindowInstance() { return s_window; }

QWidget* HtmlHelp(QWidget* caller, const QString& file, UINT command, DWORD data, const QString& topic)
{
    if (!s_window) {
        s_window = new HtmlHelpWindow;
        s_window->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    if (!s_window->OpenFile(file))
        return nullptr;
    bool shown = false;
    if (command == HH_HELP_CONTEXT)
        shown = s_window->ShowContext(data);
    else if (command == HH_DISPLAY_TOPIC)
        shown = s_window->ShowTopic(topic.isEmpty() ? s_window->File().DefaultTopic() : topic);
    if (!shown)
        return nullptr;
    // The viewer stays beside the window that asked, not over it.
    if (caller && !s_window->isVisible())
        s_window->move(caller->window()->geometry().topLeft() + QPoint(40, 40));
    s_window->show();
    s_window->raise();
    s_window->activateWindow();
    return s_window;
}
