#include "MsgBox.h"

#include "framework/app/CWinApp.h"
#include "framework/frame/CFrameWnd.h"
#include "platform/ui/MessageBox.h"

#include <QCoreApplication>
#include <QThread>

namespace OWDebug {

int MsgBox(const QString& text, const QString& caption, unsigned int type)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) {
        CFrameWnd* main = app != nullptr ? AfxGetMainWnd() : nullptr;
        return MessageBox(main != nullptr ? main->GetWidget() : nullptr, text, caption, type);
    }
    // Widgets live on the user-interface thread only.
    int result = IDCANCEL;
    QMetaObject::invokeMethod(
        app, [&] { result = MessageBox(nullptr, text, caption, type); }, Qt::BlockingQueuedConnection);
    return result;
}

} // namespace OWDebug
